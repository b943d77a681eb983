#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compiler/check_pass.h"

#include "document/file_dialog.h"
#include "editor/list_view_model.h"
#include "engine/list_engine.h"
#include "listmatch/list_compare.h"
#include "serial/transfer_settings.h"

namespace chanora {

class Reporter;
class SerialPort;
class Settings;

enum class DocumentCommand {
  Open,
  Save,
  SaveAs,
  CompileBasic,
  CompilePreInstalled,  // "1  List"
  CompileSplit,         // "AD  Split  List"
  DownloadCurrent,
  DownloadOthers,
  Upload,
};

enum class CompileKind { Basic, PreInstalled, Split };

// A serial transfer that a command has prepared. It runs anywhere (a worker
// thread) without touching the document; its result goes back to the
// document on the thread that owns it.
struct Transfer {
  enum class Kind { DownloadCurrent, DownloadOthers, Upload };
  Kind kind = Kind::DownloadCurrent;
  std::string file;  // the packet file sent, or the file the upload fills
  std::string port;
};

// Runs a prepared transfer over `port` with the waits and the cancel flag of
// `settings` (the port's name is the transfer's).
bool RunTransfer(const Transfer& transfer, SerialPort& port, Reporter& reporter, TransferSettings settings = {});

// The one open channel list and the commands of the File, Compile, Download
// and Upload menus. Each command asks and tells through the reporter, takes
// what a file dialog returns from `choose`, and leaves the document as it
// was when it fails.
class Document {
 public:
  Document(Settings& settings, Reporter& reporter);

  bool Loaded() const { return loaded_; }
  const std::string& Path() const { return path_; }
  // The list came from the receiver and has no file of the user's yet.
  bool Untitled() const { return untitled_; }
  std::string Title() const;
  bool Enabled(DocumentCommand command) const;

  ListViewModel& Model() { return model_; }
  const ListViewModel& Model() const { return model_; }

  bool Open(const ChoosePath& choose);
  bool Save(const ChoosePath& choose);
  bool SaveAs(const ChoosePath& choose);
  bool Compile(CompileKind kind);

  // The transfers in three steps, for a window that runs them on a worker
  // thread: prepare (here), RunTransfer (anywhere), finish (here).
  std::optional<Transfer> PrepareDownloadCurrent();
  std::optional<Transfer> PrepareDownloadOthers(const ChoosePath& choose);
  std::optional<Transfer> PrepareUpload(const ChoosePath& choose);
  bool FinishTransfer(const Transfer& transfer, bool succeeded);

  // The same on this thread.
  bool DownloadCurrent(SerialPort& port, const TransferSettings& settings = {});
  bool DownloadOthers(const ChoosePath& choose, SerialPort& port, const TransferSettings& settings = {});
  bool Upload(const ChoosePath& choose, SerialPort& port, const TransferSettings& settings = {});

  // Before the window closes: asks to save changes. False keeps it open.
  bool ConfirmClose(const ChoosePath& choose);

  // Every problem of the list the last Open refused on the checks, in file
  // order (the first is the one Open showed); empty after any other Open.
  const std::vector<CheckProblem>& RefusedProblems() const { return refusedProblems_; }
  const std::string& RefusedPath() const { return refusedPath_; }

  // The shown list, rows and visible columns, to a file the user chooses: JSON
  // when its name ends in .json, else CSV.
  bool Export(const ChoosePath& choose);
  // The open list (first) against one the user chooses (second); nothing
  // when none is chosen or it fails the checks (its first problem shown).
  std::optional<ListComparison> CompareWith(const ChoosePath& choose);
  // The channels put in the order of a reference list the user chooses,
  // recorded for undo, and how many matched told; nothing when no reference
  // was taken.
  std::optional<std::size_t> OrderLikeReferenceList(const ChoosePath& choose);

 private:
  bool ReleaseList(const ChoosePath& choose);
  bool LoadList(const std::string& path, bool untitled);
  bool Run(std::optional<Transfer> transfer, SerialPort& port, const TransferSettings& settings);
  void KeepRefusedProblems(const std::string& path);
  // A list to compare with, chosen and checked as Open checks one.
  std::optional<LineList> ChooseOtherList(const ChoosePath& choose, const char* title);

  Settings& settings_;
  Reporter& reporter_;
  ListEngine engine_;
  ListViewModel model_;
  std::string path_;
  bool loaded_ = false;
  bool untitled_ = false;
  std::vector<CheckProblem> refusedProblems_;
  std::string refusedPath_;
};

}  // namespace chanora

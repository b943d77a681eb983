#pragma once

#include <optional>
#include <string>

#include "document/file_dialog.h"
#include "editor/list_view_model.h"
#include "engine/list_engine.h"
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

 private:
  bool ReleaseList(const ChoosePath& choose);
  bool LoadList(const std::string& path, bool untitled);
  bool Run(std::optional<Transfer> transfer, SerialPort& port, const TransferSettings& settings);

  Settings& settings_;
  Reporter& reporter_;
  ListEngine engine_;
  ListViewModel model_;
  std::string path_;
  bool loaded_ = false;
  bool untitled_ = false;
};

}  // namespace chanora

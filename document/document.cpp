#include "document/document.h"

#include <cctype>

#include "base/file_io.h"
#include "base/reporter.h"
#include "base/text_conversion.h"
#include "base/utf8_path.h"
#include "listmatch/export.h"
#include "listmatch/reorder_like.h"
#include "document/list_tools.h"
#include "document/options.h"
#include "document/settings.h"
#include "serial/channel_upload.h"
#include "serial/flash_download.h"

namespace chanora {
namespace {

constexpr const char* kSavingFailed = "ERROR!!! Saving not Complete";
constexpr const char* kNotTxt = "Extention Name must be 'txt' ";

const FileFilter kListFilter{"Velk Formatted Text File(*.TXT)", {"*.txt", "*.TXT"}};
const FileFilter kCsvFilter{"CSV File(*.csv)", {"*.csv", "*.CSV"}};
const FileFilter kJsonFilter{"JSON File(*.json)", {"*.json", "*.JSON"}};

// Takes the notes that a second pass over a refused list would repeat.
class SilentReporter : public Reporter {
 public:
  void Message(const std::string&) override {}
  Answer Ask(const std::string&, const std::string&, Buttons) override { return Answer::No; }
  void AppendLine(const std::string&) override {}
  void SetProgress(int) override {}
};

bool HasExtension(const std::string& path, std::string_view extension) {
  const std::string found = Utf8FromPath(PathFromUtf8(path).extension());
  if (found.size() != extension.size()) return false;
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(found[i])) != extension[i]) return false;
  }
  return true;
}

// The path with its final extension, in whatever case, replaced.
std::string WithExtension(const std::string& path, std::string_view extension) {
  return Utf8FromPath(PathFromUtf8(path).replace_extension(PathFromUtf8(extension)));
}

FileDialogRequest ListDialog(FileDialogRequest::Kind kind, const char* title, const Settings& settings) {
  FileDialogRequest request{kind, title, {kListFilter}, std::nullopt};
  if (kind == FileDialogRequest::Kind::Open) request.folder = RecentFolder(settings);
  return request;
}

}  // namespace

bool RunTransfer(const Transfer& transfer, SerialPort& port, Reporter& reporter, TransferSettings settings) {
  settings.port = transfer.port;
  if (transfer.kind == Transfer::Kind::Upload) return UploadChannelList(port, transfer.file, settings, reporter);
  return FlashDownload(port, transfer.file, settings, reporter);
}

Document::Document(Settings& settings, Reporter& reporter)
    : settings_(settings), reporter_(reporter), engine_(reporter) {}

std::string Document::Title() const {
  if (!loaded_) return "Chanora";
  return "Chanora : " + (untitled_ ? std::string("Untitled") : path_);
}

bool Document::Enabled(DocumentCommand command) const {
  switch (command) {
    case DocumentCommand::Open:
    case DocumentCommand::DownloadOthers:
    case DocumentCommand::Upload:
      return true;
    default:
      return loaded_;
  }
}

bool Document::Open(const ChoosePath& choose) {
  refusedProblems_.clear();
  refusedPath_.clear();
  if (!ReleaseList(choose)) return false;
  auto chosen = choose(ListDialog(FileDialogRequest::Kind::Open, "Velk Chanora - Format File Open", settings_));
  if (!chosen) return false;
  StoreRecentFolder(settings_, *chosen);
  if (!HasExtension(*chosen, ".txt")) {
    reporter_.Message(kNotTxt);
    return false;
  }
  if (LoadList(*chosen, false)) return true;
  KeepRefusedProblems(*chosen);
  return false;
}

void Document::KeepRefusedProblems(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return;
  SilentReporter silent;
  refusedProblems_ = FindAllProblems(*bytes, ReadOptions(settings_).maxSatellites, silent);
  refusedPath_ = path;
}

bool Document::Export(const ChoosePath& choose) {
  if (!loaded_) return false;
  auto chosen = choose({FileDialogRequest::Kind::Save, "Export", {kCsvFilter, kJsonFilter}, std::nullopt});
  if (!chosen) return false;
  const std::string text = FormatTable(ShownTable(model_), FormatForPath(*chosen));
  if (ReplaceFile(*chosen, text, std::nullopt) != SaveResult::Saved) {
    reporter_.Message(kSavingFailed);
    return false;
  }
  return true;
}

std::optional<LineList> Document::ChooseOtherList(const ChoosePath& choose, const char* title) {
  if (!loaded_) return std::nullopt;
  auto chosen = choose(ListDialog(FileDialogRequest::Kind::Open, title, settings_));
  if (!chosen) return std::nullopt;
  if (!HasExtension(*chosen, ".txt")) {
    reporter_.Message(kNotTxt);
    return std::nullopt;
  }
  std::optional<LoadedList> other = engine_.Load(*chosen, ReadOptions(settings_).maxSatellites);
  if (!other) return std::nullopt;
  return std::move(other->list);
}

std::optional<ListComparison> Document::CompareWith(const ChoosePath& choose) {
  const std::optional<LineList> other = ChooseOtherList(choose, "Compare With");
  if (!other) return std::nullopt;
  return CompareLists(model_.List(), *other);
}

std::optional<std::size_t> Document::OrderLikeReferenceList(const ChoosePath& choose) {
  const std::optional<LineList> reference = ChooseOtherList(choose, "Like Reference List");
  if (!reference) return std::nullopt;
  const std::size_t matched = OrderLikeReference(model_, *reference);
  reporter_.Message(FormatText("%zu of %zu channels matched the reference list.", matched, ChannelCount(model_)));
  return matched;
}

bool Document::Save(const ChoosePath& choose) {
  if (!loaded_) return false;
  // The upload file is the program's own: the user's list needs a name.
  if (untitled_) return SaveAs(choose);
  if (!engine_.Save(path_, model_.List())) {
    reporter_.Message(kSavingFailed);
    return false;
  }
  model_.MarkSaved();
  return true;
}

bool Document::SaveAs(const ChoosePath& choose) {
  if (!loaded_) return false;
  auto chosen = choose(ListDialog(FileDialogRequest::Kind::Save, "Velk Chanora - Save as", settings_));
  if (!chosen) return false;
  if (!HasExtension(*chosen, ".txt")) {
    reporter_.Message(kNotTxt);
    return false;
  }
  if (!engine_.Save(*chosen, model_.List())) {
    reporter_.Message(kSavingFailed);
    return false;
  }
  // The saved file is read back, as an Open of it would.
  if (!LoadList(*chosen, false)) {
    path_ = *chosen;
    untitled_ = false;
    model_.MarkSaved();
  }
  return true;
}

bool Document::Compile(CompileKind kind) {
  if (!loaded_) return false;
  CompileOptions options;
  options.maxSatellites = ReadOptions(settings_).maxSatellites;
  options.preInstalled = kind != CompileKind::Basic;
  options.split = kind == CompileKind::Split;
  // The list as shown is compiled; its file stays as it is.
  if (!engine_.CompileList(model_.List(), path_, options)) {
    if (kind == CompileKind::Basic) reporter_.Message("Making a HEX file is failed!");
    return false;
  }
  if (kind != CompileKind::Basic) return true;
  if (!engine_.ConvertToPackets(path_)) {
    reporter_.Message("Making a BIN file is failed!");
    return false;
  }
  return true;
}

std::optional<Transfer> Document::PrepareDownloadCurrent() {
  if (!loaded_) return std::nullopt;
  auto packets = DerivedPath(path_, ".bin");
  if (!packets) {
    reporter_.Message(kNotTxt);
    return std::nullopt;
  }
  return Transfer{Transfer::Kind::DownloadCurrent, *packets, ReadOptions(settings_).port};
}

std::optional<Transfer> Document::PrepareDownloadOthers(const ChoosePath& choose) {
  FileDialogRequest request{
      FileDialogRequest::Kind::Open,
      "Velk Chanora - Download Programm File Open",
      {{"Program Binary File(*.bin)", {"*.bin", "*.BIN"}}, {"Hex file(*.HEX)", {"*.hex", "*.HEX"}}},
      RecentFolder(settings_)};
  auto chosen = choose(request);
  if (!chosen) return std::nullopt;
  std::string packets = *chosen;
  // The loader takes packet files only: a hex text is cut into one first.
  if (HasExtension(*chosen, ".hex")) {
    packets = WithExtension(*chosen, ".bin");
    if (!engine_.ConvertHexFile(*chosen, packets)) {
      reporter_.Message("Making a BIN file is failed!");
      return std::nullopt;
    }
  }
  return Transfer{Transfer::Kind::DownloadOthers, packets, ReadOptions(settings_).port};
}

std::optional<Transfer> Document::PrepareUpload(const ChoosePath& choose) {
  if (!ReleaseList(choose)) return std::nullopt;
  auto uploadFile = UploadFilePath();
  if (!uploadFile) {
    reporter_.Message("No folder of your own for the upload file (see " + std::string(UserCacheVariables()) + ")");
    return std::nullopt;
  }
  return Transfer{Transfer::Kind::Upload, *uploadFile, ReadOptions(settings_).port};
}

bool Document::FinishTransfer(const Transfer& transfer, bool succeeded) {
  switch (transfer.kind) {
    case Transfer::Kind::DownloadCurrent:
      if (!succeeded) reporter_.Message("Downloading to FLASH Memory is failed!");
      return succeeded;
    case Transfer::Kind::DownloadOthers:
      return succeeded;  // the download said why it failed
    case Transfer::Kind::Upload:
      return succeeded && LoadList(transfer.file, true);
  }
  return false;
}

bool Document::Run(std::optional<Transfer> transfer, SerialPort& port, const TransferSettings& settings) {
  if (!transfer) return false;
  return FinishTransfer(*transfer, RunTransfer(*transfer, port, reporter_, settings));
}

bool Document::DownloadCurrent(SerialPort& port, const TransferSettings& settings) {
  return Run(PrepareDownloadCurrent(), port, settings);
}

bool Document::DownloadOthers(const ChoosePath& choose, SerialPort& port, const TransferSettings& settings) {
  return Run(PrepareDownloadOthers(choose), port, settings);
}

bool Document::Upload(const ChoosePath& choose, SerialPort& port, const TransferSettings& settings) {
  return Run(PrepareUpload(choose), port, settings);
}

bool Document::ConfirmClose(const ChoosePath& choose) {
  if (!loaded_ || !model_.Modified()) return true;
  switch (reporter_.Ask("Saveing  Modified Data!!!", "Saving", Buttons::YesNoCancel)) {
    case Answer::Yes:
      return Save(choose);
    case Answer::No:
      return true;
    case Answer::Cancel:
      return false;
  }
  return false;
}

// Before another list replaces this one: the list from the receiver is
// offered a name of its own, and changes are offered a save.
bool Document::ReleaseList(const ChoosePath& choose) {
  if (!loaded_ || !untitled_) return ConfirmClose(choose);
  switch (reporter_.Ask("Want to Save upload file as ?", "Save As", Buttons::YesNoCancel)) {
    case Answer::Yes:
      return SaveAs(choose);
    case Answer::No:
      return true;
    case Answer::Cancel:
      return false;
  }
  return false;
}

// Replaces the list only when the file reads without failure.
bool Document::LoadList(const std::string& path, bool untitled) {
  auto loaded = engine_.Load(path, ReadOptions(settings_).maxSatellites);
  if (!loaded) return false;
  model_.Reset(std::move(loaded->list));
  path_ = path;
  untitled_ = untitled;
  loaded_ = true;
  // Null channels were dropped: the file takes the list as it now stands.
  if (loaded->nullChannelsDropped) {
    if (engine_.Save(path_, model_.List())) {
      model_.MarkSaved();
    } else {
      reporter_.Message(kSavingFailed);
    }
  }
  return true;
}

}  // namespace chanora

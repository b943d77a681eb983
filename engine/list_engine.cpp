#include "engine/list_engine.h"

#include "compiler/channel_image_builder.h"
#include "compiler/check_pass.h"
#include "base/file_io.h"
#include "base/reporter.h"
#include "base/text_conversion.h"
#include "packets/packet_conversion.h"
#include "textformat/reader.h"
#include "textformat/writer.h"

namespace chanora {
namespace {

constexpr const char* kExtensionMessage = "Extention Name must be 'txt' ";

}  // namespace

ListEngine::ListEngine(std::string listPath, Reporter& reporter, int maxSatelliteNumber)
    : path(std::move(listPath)), maxSatellites(maxSatelliteNumber), reporter_(reporter) {}

bool ListEngine::LoadBytes(std::string& bytes) {
  auto content = ReadWholeFile(path);
  if (!content) {
    reporter_.Message(FormatText("Can't open Input file : %s\n", path.c_str()));
    return false;
  }
  bytes = std::move(*content);
  return true;
}

bool ListEngine::RunPass(std::string_view bytes, CompileMode mode, ImageBuilder& builder) {
  CheckPass pass(mode, maxSatellites, splitOption, builder, reporter_);
  const bool passed = pass.Run(bytes);
  recordsAccepted = pass.RecordsAccepted();
  recordsSkipped = pass.RecordsSkipped();
  return passed;
}

bool ListEngine::ReadFormattedText(LineList& list) {
  recordsDropped = false;
  // The file is read once, so the checks and the records see the same bytes.
  std::string bytes;
  if (!LoadBytes(bytes)) return false;
  NullImageBuilder nothing;
  checkOnly = true;
  const bool checked = RunPass(bytes, CompileMode::Basic, nothing);
  checkOnly = false;
  if (!checked) {
    reporter_.Message("The Text Format is not correct");
    return false;
  }
  LineList read;
  bool dropped = false;
  if (!ReadListText(bytes, read, reporter_, dropped)) return false;
  list.insert(list.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
  recordsDropped = dropped;
  return true;
}

bool ListEngine::WriteFormattedText(const LineList& list) {
  auto backupPath = DerivedPath(path, ".bak");
  if (!backupPath) {
    reporter_.Message(kExtensionMessage);
    return false;
  }
  if (auto problem = FindUnwritableField(list)) {
    reporter_.Message(*problem);
    return false;
  }
  switch (ReplaceFile(path, FormatListText(list), backupPath)) {
    case SaveResult::Saved:
      return true;
    case SaveResult::CannotCreate:
      reporter_.Message(FormatText("Can't open .temp file : %s\n", path.c_str()));
      return false;
    case SaveResult::CannotWrite:
      reporter_.Message(FormatText("Can't write file : %s\n", path.c_str()));
      return false;
  }
  return false;
}

std::optional<std::string> ListEngine::CompileToHexText(CompileMode mode) {
  std::string bytes;
  if (!LoadBytes(bytes)) return std::nullopt;
  ChannelImageBuilder builder(mode, reporter_);
  if (!RunPass(bytes, mode, builder)) return std::nullopt;
  return builder.HexText();
}

int ListEngine::Compile(CompileMode mode) {
  if (checkOnly) {
    std::string bytes;
    NullImageBuilder nothing;
    return LoadBytes(bytes) && RunPass(bytes, mode, nothing) ? 1 : 0;
  }
  auto hexPath = DerivedPath(path, ".hex");
  if (!hexPath) {
    reporter_.Message(kExtensionMessage);
    return 0;
  }
  auto text = CompileToHexText(mode);
  if (!text || !WriteOutput(*hexPath, *text, "Can't open Output file : %s\n")) {
    // Outputs of an earlier compile no longer match the list.
    RemoveOutputs({".hex", ".bin"});
    return 0;
  }
  return 1;
}

int ListEngine::CompilePreInstalled() {
  auto hexPath = DerivedPath(path, ".hex");
  if (!hexPath) {
    reporter_.Message(kExtensionMessage);
    return 0;
  }
  auto normal = CompileToHexText(CompileMode::Normal);
  auto basic = normal ? CompileToHexText(CompileMode::Basic) : std::nullopt;
  if (!basic || !WriteOutput(*hexPath, *normal + *basic, "Can't open Output file : %s\n")) {
    reporter_.Message("Making a HEX file is failed!");
    RemoveOutputs({".hex", ".bin"});
    return 0;
  }
  if (!ConvertToPackets()) {
    reporter_.Message("Making a BIN file is failed!");
    return 0;
  }
  return 1;
}

int ListEngine::ConvertToPackets() {
  auto hexPath = DerivedPath(path, ".hex");
  auto binPath = DerivedPath(path, ".bin");
  if (!hexPath || !binPath) {
    reporter_.Message(kExtensionMessage);
    return 0;
  }
  auto hexText = ReadWholeFile(*hexPath);
  if (!hexText) {
    reporter_.Message(FormatText("Can't open  %s file \n", hexPath->c_str()));
    RemoveOutputs({".bin"});
    return 0;
  }
  auto packets = ConvertHexToPackets(*hexText, reporter_);
  if (!packets || !WriteOutput(*binPath, *packets, "Can't open  %s file \n")) {
    RemoveOutputs({".bin"});
    return 0;
  }
  reporter_.Message("Conversion is terminated successfully.\n");
  return 1;
}

bool ListEngine::WriteOutput(const std::string& outputPath, std::string_view bytes, const char* failureFormat) {
  if (ReplaceFile(outputPath, bytes, std::nullopt) == SaveResult::Saved) return true;
  reporter_.Message(FormatText(failureFormat, outputPath.c_str()));
  return false;
}

void ListEngine::RemoveOutputs(std::initializer_list<const char*> extensions) {
  for (const char* extension : extensions) {
    if (auto output = DerivedPath(path, extension)) RemoveFile(*output);
  }
}

}  // namespace chanora

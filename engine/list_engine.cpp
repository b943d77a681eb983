#include "engine/list_engine.h"

#include "base/file_io.h"
#include "base/reporter.h"
#include "base/text_conversion.h"
#include "compiler/channel_image_builder.h"
#include "packets/packet_conversion.h"
#include "textformat/reader.h"
#include "textformat/writer.h"

namespace chanora {
namespace {

constexpr const char* kCannotOpenPackets = "Can't open  %s file \n";

}  // namespace

std::optional<CheckSummary> ListEngine::Check(const std::string& path, int maxSatellites) {
  auto text = ReadList(path);
  if (!text) return std::nullopt;
  return CheckText(*text, maxSatellites);
}

std::optional<LoadedList> ListEngine::Load(const std::string& path, int maxSatellites) {
  // The file is read once, so the checks and the records see the same bytes.
  auto text = ReadList(path);
  if (!text) return std::nullopt;
  auto summary = CheckText(*text, maxSatellites);
  if (!summary) {
    reporter_.Message("The Text Format is not correct");
    return std::nullopt;
  }
  LoadedList loaded;
  loaded.summary = *summary;
  if (!ReadListText(*text, loaded.list, reporter_, loaded.nullChannelsDropped)) return std::nullopt;
  return loaded;
}

bool ListEngine::Save(const std::string& path, const LineList& list) {
  if (!DerivedPath(path, ".bak")) return RefuseListName();
  if (auto problem = FindUnwritableField(list)) {
    reporter_.Message(*problem);
    return false;
  }
  switch (ReplaceFile(path, FormatListText(list), ".bak")) {
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

bool ListEngine::CompileFile(const std::string& listPath, const CompileOptions& options) {
  auto hexPath = DerivedPath(listPath, ".hex");
  if (!hexPath) return RefuseListName();
  auto text = ReadList(listPath);
  return WriteCompileOutputs(text ? HexText(*text, options) : std::nullopt, listPath, *hexPath, options);
}

bool ListEngine::CompileList(const LineList& list, const std::string& listPath, const CompileOptions& options) {
  auto hexPath = DerivedPath(listPath, ".hex");
  if (!hexPath) return RefuseListName();
  // A field the file cannot carry would compile to another list than the
  // one a save and a compile of the file give.
  auto problem = FindUnwritableField(list);
  if (problem) reporter_.Message(*problem);
  return WriteCompileOutputs(problem ? std::nullopt : HexText(FormatListText(list), options), listPath, *hexPath,
                             options);
}

bool ListEngine::ConvertToPackets(const std::string& listPath) {
  auto hexPath = DerivedPath(listPath, ".hex");
  auto binPath = DerivedPath(listPath, ".bin");
  if (!hexPath || !binPath) return RefuseListName();
  return ConvertHexFile(*hexPath, *binPath);
}

bool ListEngine::ConvertHexFile(const std::string& hexPath, const std::string& binPath) {
  auto hexText = ReadWholeFile(hexPath);
  if (!hexText) reporter_.Message(FormatText(kCannotOpenPackets, hexPath.c_str()));
  auto packets = hexText ? ConvertHexToPackets(*hexText, reporter_) : std::nullopt;
  if (!packets || !WriteOutput(binPath, *packets, kCannotOpenPackets)) {
    // A packet file of an earlier hex text no longer matches it.
    RemoveFile(binPath);
    return false;
  }
  reporter_.Message("Conversion is terminated successfully.\n");
  return true;
}

std::optional<std::string> ListEngine::ReadList(const std::string& path) {
  auto text = ReadWholeFile(path);
  if (!text) reporter_.Message(FormatText("Can't open Input file : %s\n", path.c_str()));
  return text;
}

std::optional<CheckSummary> ListEngine::CheckText(std::string_view text, int maxSatellites) {
  NullImageBuilder nothing;
  CheckPass pass(CompileMode::Basic, maxSatellites, false, nothing, reporter_);
  if (!pass.Run(text)) return std::nullopt;
  return pass.Summary();
}

std::optional<std::string> ListEngine::HexText(std::string_view text, const CompileOptions& options) {
  if (!options.preInstalled) return PassHexText(text, CompileMode::Basic, options);
  auto normal = PassHexText(text, CompileMode::Normal, options);
  auto basic = normal ? PassHexText(text, CompileMode::Basic, options) : std::nullopt;
  if (!basic) return std::nullopt;
  return *normal + *basic;
}

std::optional<std::string> ListEngine::PassHexText(std::string_view text, CompileMode mode,
                                                   const CompileOptions& options) {
  ChannelImageBuilder builder(mode, reporter_);
  CheckPass pass(mode, options.maxSatellites, options.preInstalled && options.split, builder, reporter_);
  if (!pass.Run(text)) return std::nullopt;
  return builder.HexText();
}

// The ".hex" of a compile, then for the pre-installed build its ".bin"; a
// compile that failed (`hexText` empty, already reported) removes both.
bool ListEngine::WriteCompileOutputs(const std::optional<std::string>& hexText, const std::string& listPath,
                                     const std::string& hexPath, const CompileOptions& options) {
  if (!hexText || !WriteOutput(hexPath, *hexText, "Can't open Output file : %s\n")) {
    if (options.preInstalled) reporter_.Message("Making a HEX file is failed!");
    // Outputs of an earlier compile no longer match the list.
    RemoveOutputs(listPath, {".hex", ".bin"});
    return false;
  }
  if (options.preInstalled && !ConvertToPackets(listPath)) {
    reporter_.Message("Making a BIN file is failed!");
    return false;
  }
  return true;
}

bool ListEngine::WriteOutput(const std::string& outputPath, std::string_view bytes, const char* failureFormat) {
  if (ReplaceFile(outputPath, bytes, std::nullopt) == SaveResult::Saved) return true;
  reporter_.Message(FormatText(failureFormat, outputPath.c_str()));
  return false;
}

void ListEngine::RemoveOutputs(const std::string& listPath, std::initializer_list<const char*> extensions) {
  for (const char* extension : extensions) {
    if (auto output = DerivedPath(listPath, extension)) RemoveFile(*output);
  }
}

bool ListEngine::RefuseListName() {
  reporter_.Message("Extention Name must be 'txt' ");
  return false;
}

}  // namespace chanora

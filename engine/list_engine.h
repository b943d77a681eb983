#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/check_pass.h"
#include "textformat/line_list.h"

namespace chanora {

class Reporter;

struct CompileOptions {
  int maxSatellites = 32;     // 32 or 40
  bool preInstalled = false;  // the Normal image followed by the Basic image, then the packet file
  bool split = false;         // pre-installed only: analog services numbered apart from digital ones
};

struct LoadedList {
  LineList list;
  bool nullChannelsDropped = false;  // the caller saves at once, so the file loses them too
  CheckSummary summary;              // the records the checks accepted, section by section
};

// Reads, checks, saves, compiles and converts channel lists; every message
// goes to `reporter`. It keeps nothing between calls: each names its files.
class ListEngine {
 public:
  explicit ListEngine(Reporter& reporter) : reporter_(reporter) {}

  // The checks over the file, writing nothing; nothing after the first
  // problem has been reported.
  std::optional<CheckSummary> Check(const std::string& path, int maxSatellites);

  // The checks, then the reader: only a file that passes them is read.
  std::optional<LoadedList> Load(const std::string& path, int maxSatellites);

  // Saves `list` at `path`, the previous file kept as ".bak".
  bool Save(const std::string& path, const LineList& list);

  // Compiles the list file at `listPath`: Basic writes its ".hex";
  // pre-installed writes the ".hex" and the ".bin", and says which failed.
  bool CompileFile(const std::string& listPath, const CompileOptions& options);

  // The same for a list in memory: compiles exactly the text a save of
  // `list` would write, so every message names the line it would have in
  // that file. Outputs are named after `listPath`; that file is neither read
  // nor touched.
  bool CompileList(const LineList& list, const std::string& listPath, const CompileOptions& options);

  // The list's ".hex" cut into its ".bin".
  bool ConvertToPackets(const std::string& listPath);

  // A hex text cut into the packet file `binPath`.
  bool ConvertHexFile(const std::string& hexPath, const std::string& binPath);

 private:
  std::optional<std::string> ReadList(const std::string& path);
  std::optional<CheckSummary> CheckText(std::string_view text, int maxSatellites);
  std::optional<std::string> HexText(std::string_view text, const CompileOptions& options);
  std::optional<std::string> PassHexText(std::string_view text, CompileMode mode, const CompileOptions& options);
  bool WriteCompileOutputs(const std::optional<std::string>& hexText, const std::string& listPath,
                           const std::string& hexPath, const CompileOptions& options);
  bool WriteOutput(const std::string& outputPath, std::string_view bytes, const char* failureFormat);
  void RemoveOutputs(const std::string& listPath, std::initializer_list<const char*> extensions);
  bool RefuseListName();

  Reporter& reporter_;
};

}  // namespace chanora

#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/records.h"
#include "textformat/line_list.h"

namespace chanora {

class ImageBuilder;
class Reporter;

// The engine of one open channel list: it reads, writes and compiles the
// list at `path` and reports through `reporter`.
class ListEngine {
 public:
  ListEngine(std::string listPath, Reporter& reporter, int maxSatelliteNumber = 32);

  // Appends the list at `path` to `list` (which the caller has emptied) after
  // the record checks have passed; on failure `list` is left as it was.
  bool ReadFormattedText(LineList& list);

  // Saves `list` at `path`, the previous file kept as ".bak".
  bool WriteFormattedText(const LineList& list);

  // One compiler pass over the file at `path`, written as hex text to the
  // list's ".hex"; with `checkOnly` set every check runs and nothing is
  // written. Returns 1 on success, 0 on failure.
  int Compile(CompileMode mode);

  // The pre-installed build: the Normal image (services numbered apart for
  // analog when `splitOption` is set) followed by the Basic image in one hex
  // text, then the packet file. Returns 1 on success, 0 on failure.
  int CompilePreInstalled();

  // The list's ".hex" cut into the packet file ".bin". 1 on success.
  int ConvertToPackets();

  std::string path;
  int maxSatellites;     // 32 or 40
  bool checkOnly = false;
  bool splitOption = false;
  bool recordsDropped = false;  // set by a read that dropped null channels; the caller clears it

  // What the last pass accepted, per SectionKind, and what it passed over.
  PerSection<int> recordsAccepted;
  int recordsSkipped = 0;

 private:
  bool LoadBytes(std::string& bytes);
  bool RunPass(std::string_view bytes, CompileMode mode, ImageBuilder& builder);
  std::optional<std::string> CompileToHexText(CompileMode mode);
  bool WriteOutput(const std::string& outputPath, std::string_view bytes, const char* failureFormat);
  void RemoveOutputs(std::initializer_list<const char*> extensions);

  Reporter& reporter_;
};

}  // namespace chanora

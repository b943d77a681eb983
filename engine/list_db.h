#pragma once

#include <array>
#include <string>

#include "compiler/records.h"
#include "textformat/line_list.h"

namespace chanora {

class Reporter;

// The engine of one open channel list: it reads, writes and compiles the
// list at `path` and reports through `reporter`.
class CListDB {
 public:
  CListDB(std::string listPath, Reporter& reporter, int maxSatelliteNumber = 32);

  // Appends the list at `path` to `list` (which the caller has emptied) after
  // the record checks have passed; on failure `list` is left as it was.
  bool ReadFormattedText(LineList& list);

  // Saves `list` at `path`, the previous file kept as ".bak".
  bool WriteFormattedText(const LineList& list);

  // One compiler pass over the file at `path`; with `checkOnly` set every
  // check runs and nothing is written. Returns 1 on success, 0 on failure.
  int Compile(CompileMode mode);

  std::string path;
  int maxSatellites;     // 32 or 40
  bool checkOnly = false;
  bool splitOption = false;
  bool recordsDropped = false;  // set by a read that dropped null channels; the caller clears it

  // What the last pass accepted, per SectionKind, and what it passed over.
  std::array<int, kSectionCount + 1> recordsAccepted{};
  int recordsSkipped = 0;

 private:
  bool LoadBytes(std::string& bytes);
  bool RunChecks(std::string_view bytes, CompileMode mode);

  Reporter& reporter_;
};

}  // namespace chanora

#pragma once

#include <array>
#include <optional>

#include "textformat/line_list.h"

namespace chanora {

// Where every section's records lie in a LineList, found in one walk.
class SectionMap {
 public:
  explicit SectionMap(const LineList& list);

  // The records of a section; nothing when a marker is missing.
  std::optional<SectionSpan> Span(SectionKind kind) const;
  std::size_t RecordCount(SectionKind kind) const;
  // Position of the first cell of record `record`.
  std::size_t RecordStart(SectionKind kind, std::size_t record) const;

 private:
  PerSection<std::optional<SectionSpan>> spans_;
};

}  // namespace chanora

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "textformat/sections.h"

namespace chanora {

// The channel list in memory: per section its start marker, one entry per
// field of every record, and its end marker.
using LineList = std::vector<std::string>;

// The record entries of one section: [first, end), end being the index of
// its end marker.
struct SectionSpan {
  std::size_t first = 0;
  std::size_t end = 0;
  std::size_t RecordCount(SectionKind kind) const { return (end - first) / InfoOf(kind).fieldCount; }
};

// Where the markers of a section stand, the last occurrence of each counting.
// Empty when either marker is missing or the end comes before the start.
std::optional<SectionSpan> FindLastSection(const LineList& list, SectionKind kind);

}  // namespace chanora

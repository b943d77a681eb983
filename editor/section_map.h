#pragma once

#include <optional>
#include <string>

#include "textformat/line_list.h"

namespace chanora {

// Where every section's records lie in a LineList, found in one walk.
class SectionMap {
 public:
  SectionMap() = default;  // an empty list: no section
  explicit SectionMap(const LineList& list);

  // The records of a section; nothing when a marker is missing.
  std::optional<SectionSpan> Span(SectionKind kind) const;
  std::size_t RecordCount(SectionKind kind) const;
  // Position of the first cell of record `record`.
  std::size_t RecordStart(SectionKind kind, std::size_t record) const;
  // "Can't find \" %s \" " with the marker that keeps the section from being
  // found: its start marker when there is none, else its end marker.
  // Nothing when the section is found.
  std::optional<std::string> MissingMarkerMessage(SectionKind kind) const;

 private:
  PerSection<std::optional<SectionSpan>> spans_;
  PerSection<bool> hasStart_;
};

}  // namespace chanora

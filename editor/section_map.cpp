#include "editor/section_map.h"

#include <string_view>

#include "base/text_conversion.h"

namespace chanora {
namespace {

// The section that a marker string opens or closes, or None.
SectionKind MarkerSection(std::string_view cell, std::string_view suffix) {
  if (cell.size() <= suffix.size() || cell.substr(cell.size() - suffix.size()) != suffix) return SectionKind::None;
  const std::string_view word = cell.substr(0, cell.size() - suffix.size());
  for (SectionKind kind : kAllSections) {
    if (InfoOf(kind).marker == word) return kind;
  }
  return SectionKind::None;
}

}  // namespace

SectionMap::SectionMap(const LineList& list) {
  PerSection<std::optional<std::size_t>> starts;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string& cell = list[i];
    if (cell.size() < 7 || (cell.back() != 'T' && cell.back() != 'D')) continue;  // not "... START" or "... END"
    if (SectionKind kind = MarkerSection(cell, " START"); kind != SectionKind::None) {
      starts[kind] = i + 1;
      hasStart_[kind] = true;
    } else if (kind = MarkerSection(cell, " END"); kind != SectionKind::None && starts[kind] && *starts[kind] <= i) {
      spans_[kind] = SectionSpan{*starts[kind], i};
    }
  }
}

std::optional<SectionSpan> SectionMap::Span(SectionKind kind) const { return spans_[kind]; }

std::size_t SectionMap::RecordCount(SectionKind kind) const {
  return spans_[kind] ? spans_[kind]->RecordCount(kind) : 0;
}

std::size_t SectionMap::RecordStart(SectionKind kind, std::size_t record) const {
  return spans_[kind]->first + record * static_cast<std::size_t>(InfoOf(kind).fieldCount);
}

std::optional<std::string> SectionMap::MissingMarkerMessage(SectionKind kind) const {
  if (spans_[kind]) return std::nullopt;
  const std::string marker = hasStart_[kind] ? EndMarker(kind) : StartMarker(kind);
  return FormatText("Can't find \" %s \" ", marker.c_str());
}

}  // namespace chanora

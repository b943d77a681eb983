#include "editor/row_tables.h"

#include <unordered_map>

#include "editor/section_map.h"

namespace chanora {
namespace {

using IndexMap = std::unordered_map<std::string_view, std::uint32_t>;

// Index cell text to the first record with it.
IndexMap FirstRecordByIndex(const LineList& list, const SectionMap& sections, SectionKind kind) {
  IndexMap map;
  const std::size_t count = sections.RecordCount(kind);
  map.reserve(count);
  for (std::size_t record = 0; record < count; ++record) {
    const std::size_t start = sections.RecordStart(kind, record);
    map.emplace(list[start], static_cast<std::uint32_t>(start));
  }
  return map;
}

// Appends the given cells of the record that `key` names, or empty cells.
void AddLookedUp(RowTable& table, const IndexMap& map, std::string_view key, std::initializer_list<int> cells) {
  auto it = map.find(key);
  for (int cell : cells) {
    if (it == map.end()) {
      table.AddEmpty();
    } else {
      table.Add(it->second + static_cast<std::uint32_t>(cell));
    }
  }
}

template <typename AddRecord>
void ForEachRecord(const SectionMap& sections, SectionKind kind, AddRecord add) {
  const std::size_t count = sections.RecordCount(kind);
  for (std::size_t record = 0; record < count; ++record) add(static_cast<std::uint32_t>(sections.RecordStart(kind, record)));
}

}  // namespace

std::string_view RowTable::Cell(const LineList& list, std::size_t row, int column) const {
  const std::uint32_t position = cells_[row * static_cast<std::size_t>(width_) + static_cast<std::size_t>(column)];
  return position == kEmpty ? std::string_view() : std::string_view(list[position]);
}

void RebuildRowTables(const LineList& list, RowTables& tables) {
  const SectionMap sections(list);
  const IndexMap tps = FirstRecordByIndex(list, sections, SectionKind::Digital);
  const IndexMap satellites = FirstRecordByIndex(list, sections, SectionKind::Satellite);
  RowTable& digital = tables.digital;
  digital.Clear();
  digital.Reserve(sections.RecordCount(SectionKind::Channel) + sections.RecordCount(SectionKind::ChannelPid));
  auto addTpAndSatellite = [&](std::uint32_t start, int satCell) {
    AddLookedUp(digital, tps, list[start + 1], {2, 3, 4, 5});
    AddLookedUp(digital, satellites, list[start + static_cast<std::uint32_t>(satCell)], {1, 3, 4, 5, 6});
  };
  ForEachRecord(sections, SectionKind::Channel, [&](std::uint32_t start) {
    for (std::uint32_t cell = 0; cell <= 5; ++cell) digital.Add(start + cell);
    for (int empty = 0; empty < 3; ++empty) digital.AddEmpty();
    digital.Add(start + 6);
    digital.Add(start + 7);
    addTpAndSatellite(start, 2);
  });
  tables.channelRows = sections.RecordCount(SectionKind::Channel);
  ForEachRecord(sections, SectionKind::ChannelPid, [&](std::uint32_t start) {
    for (std::uint32_t cell = 0; cell <= 2; ++cell) digital.Add(start + cell);
    digital.AddEmpty();
    for (std::uint32_t cell = 3; cell <= 9; ++cell) digital.Add(start + cell);
    addTpAndSatellite(start, 2);
  });

  RowTable& analog = tables.analog;
  analog.Clear();
  analog.Reserve(sections.RecordCount(SectionKind::Analog));
  ForEachRecord(sections, SectionKind::Analog, [&](std::uint32_t start) {
    for (std::uint32_t cell = 0; cell < 18; ++cell) analog.Add(start + cell);
    AddLookedUp(analog, satellites, list[start + 1], {1, 3, 4, 5, 6});
  });
}

}  // namespace chanora

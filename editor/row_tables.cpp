#include "editor/row_tables.h"

#include <array>
#include <span>
#include <unordered_map>

#include "editor/section_map.h"

namespace chanora {
namespace {

using IndexMap = std::unordered_map<std::string_view, std::size_t>;

// The TP and satellite cells that widen a channel row.
constexpr std::array<std::size_t, 4> kTpCells = {digital_tp_field::kFrequency, digital_tp_field::kSymbolRate,
                                                 digital_tp_field::kPolarization, digital_tp_field::kBouquet};
constexpr std::array<std::size_t, 5> kSatelliteCells = {satellite_field::kName, satellite_field::kLnbHigh,
                                                        satellite_field::kLnbLow, satellite_field::kPosition,
                                                        satellite_field::kDegree};

// Index cell text to the first record with it.
IndexMap FirstRecordByIndex(const LineList& list, const SectionMap& sections, SectionKind kind) {
  IndexMap map;
  const std::size_t count = sections.RecordCount(kind);
  map.reserve(count);
  for (std::size_t record = 0; record < count; ++record) {
    const std::size_t start = sections.RecordStart(kind, record);
    map.emplace(list[start], start);
  }
  return map;
}

// Appends the given cells of the record that `key` names, or empty cells.
void AddLookedUp(RowTable& table, const IndexMap& map, std::string_view key, std::span<const std::size_t> cells) {
  auto it = map.find(key);
  for (std::size_t cell : cells) {
    if (it == map.end()) {
      table.AddEmpty();
    } else {
      table.Add(it->second + cell);
    }
  }
}

// Appends the cells [first, last] of the record at `start`.
void AddCells(RowTable& table, std::size_t start, std::size_t first, std::size_t last) {
  for (std::size_t cell = first; cell <= last; ++cell) table.Add(start + cell);
}

template <typename AddRecord>
void ForEachRecord(const SectionMap& sections, SectionKind kind, AddRecord add) {
  const std::size_t count = sections.RecordCount(kind);
  for (std::size_t record = 0; record < count; ++record) add(sections.RecordStart(kind, record));
}

}  // namespace

std::string_view RowTable::Cell(const LineList& list, std::size_t row, std::size_t column) const {
  const std::uint32_t position = cells_[row * width_ + column];
  return position == kEmpty ? std::string_view() : std::string_view(list[position]);
}

void RebuildRowTables(const LineList& list, const SectionMap& sections, RowTables& tables) {
  const IndexMap tps = FirstRecordByIndex(list, sections, SectionKind::Digital);
  const IndexMap satellites = FirstRecordByIndex(list, sections, SectionKind::Satellite);
  RowTable& digital = tables.digital;
  digital.Clear();
  digital.Reserve(sections.RecordCount(SectionKind::Channel) + sections.RecordCount(SectionKind::ChannelPid));
  // Both channel kinds name their TP and satellite in the same cells.
  static_assert(channel_field::kTpIndex == pid_channel_field::kTpIndex &&
                channel_field::kSatIndex == pid_channel_field::kSatIndex);
  auto addTpAndSatellite = [&](std::size_t start) {
    AddLookedUp(digital, tps, list[start + channel_field::kTpIndex], kTpCells);
    AddLookedUp(digital, satellites, list[start + channel_field::kSatIndex], kSatelliteCells);
  };
  ForEachRecord(sections, SectionKind::Channel, [&](std::size_t start) {
    AddCells(digital, start, channel_field::kIndex, channel_field::kName);
    for (std::size_t pid = digital_row::kVideoPid; pid <= digital_row::kPcrPid; ++pid) digital.AddEmpty();
    AddCells(digital, start, channel_field::kActiveAudio, channel_field::kBlank);
    addTpAndSatellite(start);
  });
  tables.channelRows = sections.RecordCount(SectionKind::Channel);
  ForEachRecord(sections, SectionKind::ChannelPid, [&](std::size_t start) {
    AddCells(digital, start, pid_channel_field::kIndex, pid_channel_field::kSatIndex);
    digital.AddEmpty();  // no service id
    AddCells(digital, start, pid_channel_field::kType, pid_channel_field::kBlank);
    addTpAndSatellite(start);
  });

  RowTable& analog = tables.analog;
  analog.Clear();
  analog.Reserve(sections.RecordCount(SectionKind::Analog));
  ForEachRecord(sections, SectionKind::Analog, [&](std::size_t start) {
    AddCells(analog, start, analog_field::kIndex, analog_field::kBlank);
    AddLookedUp(analog, satellites, list[start + analog_field::kSatIndex], kSatelliteCells);
  });
}

}  // namespace chanora

#include "editor/list_view_model.h"

#include <algorithm>

#include "editor/channel_records.h"
#include "editor/degree.h"
#include "editor/section_map.h"
#include "engine/list_engine.h"
#include "base/reporter.h"
#include "base/text_conversion.h"

namespace chanora {
namespace {

std::vector<int> InitialWidths(std::span<const ChannelColumn> columns) {
  std::vector<int> widths;
  for (const ChannelColumn& column : columns) widths.push_back(column.initial);
  return widths;
}

void SetDetailWidths(std::span<const ChannelColumn> columns, std::vector<int>& widths, bool on) {
  // The Degree column, the last, keeps its width.
  for (std::size_t i = 0; i + 1 < columns.size(); ++i) widths[i] = on ? columns[i].detailOn : columns[i].detailOff;
}

}  // namespace

ListViewModel::ListViewModel()
    : digitalWidths(InitialWidths(DigitalViewColumns())), analogWidths(InitialWidths(AnalogViewColumns())) {}

bool ListViewModel::Load(ListEngine& engine, const std::string& path, int maxSatellites, bool* nullChannelsDropped) {
  auto loaded = engine.Load(path, maxSatellites);
  if (!loaded) return false;
  if (nullChannelsDropped != nullptr) *nullChannelsDropped = loaded->nullChannelsDropped;
  list = std::move(loaded->list);
  modified = false;
  RenumberChannels(list);
  RebuildRowTables();
  return true;
}

void ListViewModel::RenumberAndRebuild() {
  RenumberChannels(list);
  RebuildRowTables();
}

void ListViewModel::RebuildRowTables() { chanora::RebuildRowTables(list, rows); }

void ListViewModel::ToggleDetail() {
  detailColumns = !detailColumns;
  SetDetailWidths(DigitalViewColumns(), digitalWidths, detailColumns);
  SetDetailWidths(AnalogViewColumns(), analogWidths, detailColumns);
}

std::vector<Column> ListViewModel::ShownColumns() const {
  if (shownSection != SectionKind::None) {
    auto columns = SectionColumns(shownSection);
    return {columns.begin(), columns.end()};
  }
  auto columns = showDigital ? DigitalViewColumns() : AnalogViewColumns();
  const std::vector<int>& widths = showDigital ? digitalWidths : analogWidths;
  std::vector<Column> shown;
  for (std::size_t i = 0; i < columns.size(); ++i) shown.push_back({columns[i].title, widths[i]});
  return shown;
}

std::size_t ListViewModel::ShownRowCount() const {
  if (shownSection == SectionKind::None) return (showDigital ? rows.digital : rows.analog).RowCount();
  return SectionMap(list).RecordCount(shownSection);
}

std::string ListViewModel::ShownCell(std::size_t row, int column) const {
  if (shownSection == SectionKind::None) return std::string((showDigital ? rows.digital : rows.analog).Cell(list, row, column));
  const auto kind = shownSection;
  const std::string& cell = list[SectionMap(list).RecordStart(kind, row) + static_cast<std::size_t>(column)];
  if (kind == SectionKind::Satellite && column == kSatelliteDegreeColumn) return DegreeToDisplay(cell).value_or(cell);
  return cell;
}

int ListViewModel::ShownIcon(std::size_t row) const {
  if (shownSection != SectionKind::None) return 2;
  const std::string_view type = showDigital ? rows.digital.Cell(list, row, kDigitalTypeColumn)
                                            : rows.analog.Cell(list, row, kAnalogTypeColumn);
  return type == "TV" ? 0 : 1;
}

std::optional<std::string> ListViewModel::ShownListProblem() const {
  if (shownSection == SectionKind::None) return std::nullopt;
  const auto kind = shownSection;
  if (SectionMap(list).Span(kind)) return std::nullopt;
  const bool hasStart = std::find(list.begin(), list.end(), StartMarker(kind)) != list.end();
  return FormatText("Can't find \" %s \" ", (hasStart ? EndMarker(kind) : StartMarker(kind)).c_str());
}

SectionKind ListViewModel::RowSection(std::size_t row, bool digital) const {
  if (!digital) return SectionKind::Analog;
  return row < rows.channelRows ? SectionKind::Channel : SectionKind::ChannelPid;
}

std::size_t ListViewModel::RecordStartOfRow(std::size_t row, bool digital) const {
  return (digital ? rows.digital : rows.analog).RecordStart(row);
}

std::size_t ListViewModel::ChannelRowCount(bool digital) const {
  return (digital ? rows.digital : rows.analog).RowCount();
}

bool ListViewModel::SaveQuestionOnClose(ListEngine& engine, const std::string& path, Reporter& reporter) {
  if (!modified || reporter.Ask("Saveing  Modified Data!!!", "Saving", Buttons::YesNo) != Answer::Yes) return true;
  if (!engine.Save(path, list)) {
    reporter.Message("ERROR!!! Saving not Complete");
    return false;
  }
  modified = false;
  return true;
}

bool ListViewModel::Undo() {
  if (!undo.Undo(list)) return false;
  modified = true;
  RebuildRowTables();
  return true;
}

}  // namespace chanora

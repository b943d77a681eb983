#include "editor/list_view_model.h"

#include "editor/channel_records.h"
#include "editor/degree.h"

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

void ListViewModel::Reset(LineList list) {
  list_ = std::move(list);
  RenumberAndRebuild();
  undo_.ClearUndo();
  MarkSaved();
}

void ListViewModel::MarkSaved() {
  saved_ = list_;
  modified_ = false;
}

void ListViewModel::CommitChange() {
  RenumberAndRebuild();
  UpdateModified();
}

// An undo record is renumbered already: renumbering it changes nothing.
void ListViewModel::RenumberAndRebuild() {
  sections_ = SectionMap(list_);
  RenumberChannels(list_, sections_);  // moves no cell
  RebuildRowTables(list_, sections_, rows_);
}

// Most changes add or remove cells, which the sizes tell at once; the others
// differ from the saved list within the first cells compared, unless they
// were undone.
void ListViewModel::UpdateModified() { modified_ = list_ != saved_; }

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
  if (shownSection == SectionKind::None) return ChannelRowCount(showDigital);
  return sections_.RecordCount(shownSection);
}

std::string ListViewModel::ShownCell(std::size_t row, int column) const {
  const std::size_t at = static_cast<std::size_t>(column);
  if (row >= ShownRowCount() || column < 0) return {};
  if (shownSection == SectionKind::None) {
    const RowTable& table = showDigital ? rows_.digital : rows_.analog;
    return at < table.Width() ? std::string(table.Cell(list_, row, at)) : std::string();
  }
  if (at >= static_cast<std::size_t>(InfoOf(shownSection).fieldCount)) return {};
  const std::string& cell = list_[sections_.RecordStart(shownSection, row) + at];
  if (shownSection == SectionKind::Satellite && at == satellite_field::kDegree) {
    return DegreeToDisplay(cell).value_or(cell);
  }
  return cell;
}

int ListViewModel::ShownIcon(std::size_t row) const {
  if (shownSection != SectionKind::None) return 2;
  if (row >= ShownRowCount()) return 1;
  const std::string_view type = showDigital ? rows_.digital.Cell(list_, row, digital_row::kType)
                                            : rows_.analog.Cell(list_, row, analog_field::kType);
  return type == "TV" ? 0 : 1;
}

std::optional<std::string> ListViewModel::ShownListProblem() const {
  if (shownSection == SectionKind::None) return std::nullopt;
  return sections_.MissingMarkerMessage(shownSection);
}

SectionKind ListViewModel::RowSection(std::size_t row, bool digital) const {
  if (!digital) return SectionKind::Analog;
  return row < rows_.channelRows ? SectionKind::Channel : SectionKind::ChannelPid;
}

std::size_t ListViewModel::RecordStartOfRow(std::size_t row, bool digital) const {
  return (digital ? rows_.digital : rows_.analog).RecordStart(row);
}

std::size_t ListViewModel::ChannelRowCount(bool digital) const {
  return (digital ? rows_.digital : rows_.analog).RowCount();
}

bool ListViewModel::Undo() {
  if (!undo_.Undo(list_)) return false;
  CommitChange();
  return true;
}

}  // namespace chanora

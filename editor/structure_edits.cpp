#include "editor/structure_edits.h"

#include <algorithm>
#include <numeric>

#include "editor/channel_records.h"
#include "editor/list_view_model.h"
#include "base/reporter.h"

namespace chanora {
namespace {

constexpr const char* kCrossingMessage =
    "Drag Only possible \n\nWhen drag region and drop region are same section.\r\n(channel/pid channel)!!\r\n";

// A selection the channel view can act on: rows in range, ascending, once.
std::vector<std::size_t> UsableRows(const ListViewModel& model, std::vector<std::size_t> rows) {
  if (model.shownSection != SectionKind::None) return {};
  const std::size_t count = model.ChannelRowCount(model.showDigital);
  rows.erase(std::remove_if(rows.begin(), rows.end(), [count](std::size_t row) { return row >= count; }), rows.end());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

std::size_t RecordLength(SectionKind kind) { return static_cast<std::size_t>(InfoOf(kind).fieldCount); }

void Changed(ListViewModel& model) {
  model.modified = true;
  model.RenumberAndRebuild();
}

// Removes the records of the rows in one pass over the LineList.
void RemoveRecords(ListViewModel& model, const std::vector<std::size_t>& rows) {
  std::vector<std::pair<std::size_t, std::size_t>> ranges;  // start, end
  for (std::size_t row : rows) {
    const std::size_t start = model.RecordStartOfRow(row, model.showDigital);
    ranges.emplace_back(start, start + RecordLength(model.RowSection(row, model.showDigital)));
  }
  std::sort(ranges.begin(), ranges.end());
  LineList kept;
  kept.reserve(model.list.size());
  std::size_t next = 0;
  for (const auto& [start, end] : ranges) {
    std::move(model.list.begin() + static_cast<std::ptrdiff_t>(next),
              model.list.begin() + static_cast<std::ptrdiff_t>(start), std::back_inserter(kept));
    next = end;
  }
  std::move(model.list.begin() + static_cast<std::ptrdiff_t>(next), model.list.end(), std::back_inserter(kept));
  model.list = std::move(kept);
}

std::vector<std::string> CopyRecord(const ListViewModel& model, std::size_t row) {
  const std::size_t start = model.RecordStartOfRow(row, model.showDigital);
  const auto first = model.list.begin() + static_cast<std::ptrdiff_t>(start);
  return {first, first + static_cast<std::ptrdiff_t>(RecordLength(model.RowSection(row, model.showDigital)))};
}

std::vector<std::string>& BufferOf(CutBuffers& buffers, SectionKind kind) {
  if (kind == SectionKind::Channel) return buffers.channel;
  if (kind == SectionKind::ChannelPid) return buffers.pid;
  return buffers.analog;
}

// The record order of one channel section after single-row moves, each as a
// drag moves one row: taken out, put in at the target's place (one place
// higher when it came from above). Rows are numbered within the view;
// nothing when a move would cross sections or leave the list.
std::optional<std::vector<std::size_t>> OrderAfterMoves(const ListViewModel& model,
                                                        const std::vector<std::pair<std::size_t, std::size_t>>& moves,
                                                        Reporter& reporter) {
  const std::size_t rowCount = model.ChannelRowCount(model.showDigital);
  std::vector<std::size_t> order(rowCount);
  std::iota(order.begin(), order.end(), 0);
  for (const auto& [from, to] : moves) {
    if (from >= rowCount || to >= rowCount) return std::nullopt;
    if (model.RowSection(from, model.showDigital) != model.RowSection(to, model.showDigital)) {
      reporter.Message(kCrossingMessage);
      return std::nullopt;
    }
    const std::size_t moved = order[from];
    order.erase(order.begin() + static_cast<std::ptrdiff_t>(from));
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(to > from ? to - 1 : to), moved);
  }
  return order;
}

// Rewrites the channel sections in the given row order (rows never change
// section, so each section keeps its place and size).
void ApplyOrder(ListViewModel& model, const std::vector<std::size_t>& order) {
  LineList moved = model.list;
  for (std::size_t row = 0; row < order.size(); ++row) {
    if (order[row] == row) continue;
    const std::size_t to = model.RecordStartOfRow(row, model.showDigital);
    const std::size_t from = model.RecordStartOfRow(order[row], model.showDigital);
    const std::size_t length = RecordLength(model.RowSection(row, model.showDigital));
    for (std::size_t cell = 0; cell < length; ++cell) moved[to + cell] = std::move(model.list[from + cell]);
  }
  model.list = std::move(moved);
}

}  // namespace

bool DeleteRows(ListViewModel& model, const std::vector<std::size_t>& selected) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.empty()) return false;
  model.RecordUndo("Delete Channel");
  RemoveRecords(model, rows);
  Changed(model);
  return true;
}

bool InsertNullRows(ListViewModel& model, const std::vector<std::size_t>& selected) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.empty()) return false;
  model.RecordUndo("Insert Null Channel");
  const std::size_t row = rows.front();
  const SectionKind kind = model.RowSection(row, model.showDigital);
  const std::size_t start = model.RecordStartOfRow(row, model.showDigital);
  const LineList& list = model.list;
  const std::vector<std::string> null =
      kind == SectionKind::Analog ? NullRecord(kind, "", list[start + 1], list[start + 16])
                     : NullRecord(kind, list[start + 1], list[start + 2], list[start + (kind == SectionKind::Channel ? 4 : 3)]);
  std::vector<std::string> inserted;
  for (std::size_t i = 0; i < rows.size(); ++i) inserted.insert(inserted.end(), null.begin(), null.end());
  model.list.insert(model.list.begin() + static_cast<std::ptrdiff_t>(start + RecordLength(kind)), inserted.begin(),
                    inserted.end());
  Changed(model);
  return true;
}

bool CutRows(ListViewModel& model, const std::vector<std::size_t>& selected) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.empty()) return false;
  model.RecordUndo("Cut Channel");
  model.cutBuffers = {};
  for (std::size_t row : rows) {
    std::vector<std::string> record = CopyRecord(model, row);
    auto& buffer = BufferOf(model.cutBuffers, model.RowSection(row, model.showDigital));
    buffer.insert(buffer.end(), std::make_move_iterator(record.begin()), std::make_move_iterator(record.end()));
  }
  RemoveRecords(model, rows);
  Changed(model);
  return true;
}

bool PasteRows(ListViewModel& model, const std::vector<std::size_t>& selected) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.empty()) return false;
  model.RecordUndo("Paste Channel");
  const std::size_t row = rows.front();
  auto& buffer = BufferOf(model.cutBuffers, model.RowSection(row, model.showDigital));
  if (buffer.empty()) return false;
  const std::size_t start = model.RecordStartOfRow(row, model.showDigital);
  model.list.insert(model.list.begin() + static_cast<std::ptrdiff_t>(start), std::make_move_iterator(buffer.begin()),
                    std::make_move_iterator(buffer.end()));
  buffer.clear();
  Changed(model);
  return true;
}

bool MoveRow(ListViewModel& model, std::size_t from, std::optional<std::size_t> to, Reporter& reporter) {
  if (model.shownSection != SectionKind::None || !to || *to == from) return false;
  auto order = OrderAfterMoves(model, {{from, *to}}, reporter);
  if (!order) return false;
  ApplyOrder(model, *order);
  Changed(model);
  return true;
}

bool MoveRows(ListViewModel& model, const std::vector<std::size_t>& selected, std::size_t pressed,
              std::optional<std::size_t> drop, Reporter& reporter) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.size() < 2 || !drop || pressed == *drop) return false;
  if (rows.back() - rows.front() != rows.size() - 1) return false;  // not one unbroken run
  // Dropped below: the last row goes first, each to the row above the one
  // before; dropped above: the first goes first, each to the row below.
  std::vector<std::pair<std::size_t, std::size_t>> moves;
  const bool down = pressed < *drop;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const std::size_t row = down ? rows[rows.size() - 1 - k] : rows[k];
    if (down && k > *drop) return false;  // the run would leave the top of the list
    moves.emplace_back(row, down ? *drop - k : *drop + k);
  }
  auto order = OrderAfterMoves(model, moves, reporter);
  if (!order) return false;
  model.RecordUndo("Group Move");
  ApplyOrder(model, *order);
  Changed(model);
  return true;
}

}  // namespace chanora

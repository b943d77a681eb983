#include "editor/structure_edits.h"

#include <algorithm>
#include <numeric>

#include "base/reporter.h"
#include "editor/channel_records.h"
#include "editor/list_change.h"
#include "editor/list_view_model.h"

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

// The list without the records of the rows, made in one pass.
LineList ListWithout(const ListViewModel& model, const std::vector<std::size_t>& rows) {
  const LineList& list = model.List();
  std::vector<std::pair<std::size_t, std::size_t>> ranges;  // start, end
  for (std::size_t row : rows) {
    const std::size_t start = model.RecordStartOfRow(row, model.showDigital);
    ranges.emplace_back(start, start + RecordLength(model.RowSection(row, model.showDigital)));
  }
  std::sort(ranges.begin(), ranges.end());
  LineList kept;
  kept.reserve(list.size());
  std::size_t next = 0;
  for (const auto& [start, end] : ranges) {
    kept.insert(kept.end(), list.begin() + static_cast<std::ptrdiff_t>(next),
                list.begin() + static_cast<std::ptrdiff_t>(start));
    next = end;
  }
  kept.insert(kept.end(), list.begin() + static_cast<std::ptrdiff_t>(next), list.end());
  return kept;
}

std::vector<std::string> CopyRecord(const ListViewModel& model, std::size_t row) {
  const std::size_t start = model.RecordStartOfRow(row, model.showDigital);
  const auto first = model.List().begin() + static_cast<std::ptrdiff_t>(start);
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

// An order of all rows leaves every row in place only when it is ascending.
bool MovesAnything(const std::vector<std::size_t>& order) { return !std::is_sorted(order.begin(), order.end()); }

// Rewrites the channel sections in the given row order (rows never change
// section, so each section keeps its place and size) and commits.
void ApplyOrder(const ListViewModel& model, ListChange& change, const std::vector<std::size_t>& order) {
  const LineList& before = model.List();
  LineList moved = before;
  for (std::size_t row = 0; row < order.size(); ++row) {
    if (order[row] == row) continue;
    const std::size_t to = model.RecordStartOfRow(row, model.showDigital);
    const std::size_t from = model.RecordStartOfRow(order[row], model.showDigital);
    const std::size_t length = RecordLength(model.RowSection(row, model.showDigital));
    for (std::size_t cell = 0; cell < length; ++cell) moved[to + cell] = before[from + cell];
  }
  change.List() = std::move(moved);
  change.Commit();
}

}  // namespace

bool DeleteRows(ListViewModel& model, const std::vector<std::size_t>& selected) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.empty()) return false;
  ListChange change(model, "Delete Channel");
  change.List() = ListWithout(model, rows);
  change.Commit();
  return true;
}

bool InsertNullRows(ListViewModel& model, const std::vector<std::size_t>& selected) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.empty()) return false;
  const std::size_t row = rows.front();
  const SectionKind kind = model.RowSection(row, model.showDigital);
  const std::size_t start = model.RecordStartOfRow(row, model.showDigital);
  const std::vector<std::string> null = NullRecordLike(model.List(), kind, start);
  std::vector<std::string> inserted;
  for (std::size_t i = 0; i < rows.size(); ++i) inserted.insert(inserted.end(), null.begin(), null.end());
  ListChange change(model, "Insert Null Channel");
  LineList& list = change.List();
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(start + RecordLength(kind)), inserted.begin(), inserted.end());
  change.Commit();
  return true;
}

bool CutRows(ListViewModel& model, const std::vector<std::size_t>& selected) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.empty()) return false;
  ListChange change(model, "Cut Channel");
  model.cutBuffers = {};
  for (std::size_t row : rows) {
    std::vector<std::string> record = CopyRecord(model, row);
    auto& buffer = BufferOf(model.cutBuffers, model.RowSection(row, model.showDigital));
    buffer.insert(buffer.end(), std::make_move_iterator(record.begin()), std::make_move_iterator(record.end()));
  }
  change.List() = ListWithout(model, rows);
  change.Commit();
  return true;
}

bool PasteRows(ListViewModel& model, const std::vector<std::size_t>& selected) {
  const std::vector<std::size_t> rows = UsableRows(model, selected);
  if (rows.empty()) return false;
  const std::size_t row = rows.front();
  auto& buffer = BufferOf(model.cutBuffers, model.RowSection(row, model.showDigital));
  if (buffer.empty()) return false;
  const std::size_t start = model.RecordStartOfRow(row, model.showDigital);
  ListChange change(model, "Paste Channel");
  LineList& list = change.List();
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(start), std::make_move_iterator(buffer.begin()),
              std::make_move_iterator(buffer.end()));
  buffer.clear();
  change.Commit();
  return true;
}

bool MoveRow(ListViewModel& model, std::size_t from, std::optional<std::size_t> to, Reporter& reporter) {
  if (model.shownSection != SectionKind::None || !to) return false;
  auto order = OrderAfterMoves(model, {{from, *to}}, reporter);
  if (!order || !MovesAnything(*order)) return false;
  ListChange change(model);
  ApplyOrder(model, change, *order);
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
  if (!order || !MovesAnything(*order)) return false;
  ListChange change(model, "Group Move");
  ApplyOrder(model, change, *order);
  return true;
}

}  // namespace chanora

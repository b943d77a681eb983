#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textformat/line_list.h"

namespace chanora {

inline constexpr int kDigitalRowWidth = 20;
inline constexpr int kAnalogRowWidth = 23;

// The cells of one channel view: rows of a fixed width, each cell a place in
// the LineList (or empty), so that no text is copied and any cell of any row
// can be read at once. Valid until the LineList changes.
class RowTable {
 public:
  explicit RowTable(int width) : width_(width) {}

  int Width() const { return width_; }
  std::size_t RowCount() const { return cells_.size() / static_cast<std::size_t>(width_); }
  std::string_view Cell(const LineList& list, std::size_t row, int column) const;
  // The LineList position of the first cell of the row's record.
  std::size_t RecordStart(std::size_t row) const { return cells_[row * static_cast<std::size_t>(width_)]; }

  void Clear() { cells_.clear(); }
  void Reserve(std::size_t rows) { cells_.reserve(rows * static_cast<std::size_t>(width_)); }
  void Add(std::uint32_t position) { cells_.push_back(position); }
  void AddEmpty() { cells_.push_back(kEmpty); }

 private:
  static constexpr std::uint32_t kEmpty = UINT32_MAX;
  int width_;
  std::vector<std::uint32_t> cells_;
};

struct RowTables {
  RowTable digital{kDigitalRowWidth};  // CHANNEL rows, then CHANNEL_PID rows
  RowTable analog{kAnalogRowWidth};
  std::size_t channelRows = 0;         // rows of the digital table that are CHANNEL records
};

// Builds both tables from the LineList: each channel row widened with the
// cells of its TP and its satellite, found by the first record whose Index
// is the same text. A TP or satellite that is missing leaves its cells empty.
void RebuildRowTables(const LineList& list, RowTables& tables);

}  // namespace chanora

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textformat/fields.h"
#include "textformat/line_list.h"

namespace chanora {

class SectionMap;

// The columns of a digital channel view row: the channel's own cells (a
// CHANNEL row has no PIDs, a PID row no service id), then its TP's and its
// satellite's.
namespace digital_row {
inline constexpr std::size_t kIndex = 0;
inline constexpr std::size_t kTpIndex = 1;
inline constexpr std::size_t kSatIndex = 2;
inline constexpr std::size_t kServiceId = 3;
inline constexpr std::size_t kType = 4;
inline constexpr std::size_t kName = 5;
inline constexpr std::size_t kVideoPid = 6;
inline constexpr std::size_t kAudioPid = 7;
inline constexpr std::size_t kPcrPid = 8;
inline constexpr std::size_t kActiveAudio = 9;
inline constexpr std::size_t kBlank = 10;
inline constexpr std::size_t kFrequency = 11;
inline constexpr std::size_t kSymbolRate = 12;
inline constexpr std::size_t kPolarization = 13;
inline constexpr std::size_t kBouquet = 14;
inline constexpr std::size_t kSatName = 15;
inline constexpr std::size_t kLnbHigh = 16;
inline constexpr std::size_t kLnbLow = 17;
inline constexpr std::size_t kPosition = 18;
inline constexpr std::size_t kDegree = 19;
inline constexpr std::size_t kWidth = 20;
}  // namespace digital_row

// The columns of an analog channel view row: the record's own cells in
// record order (analog_field), then its satellite's.
namespace analog_row {
inline constexpr std::size_t kSatName = 18;
inline constexpr std::size_t kLnbHigh = 19;
inline constexpr std::size_t kLnbLow = 20;
inline constexpr std::size_t kPosition = 21;
inline constexpr std::size_t kDegree = 22;
inline constexpr std::size_t kWidth = 23;
}  // namespace analog_row

// The cells of one channel view: rows of a fixed width, each cell a place in
// the LineList (or empty), so that no text is copied and any cell of any row
// can be read at once. Valid until the LineList changes.
class RowTable {
 public:
  explicit RowTable(std::size_t width) : width_(width) {}

  std::size_t Width() const { return width_; }
  std::size_t RowCount() const { return cells_.size() / width_; }
  std::string_view Cell(const LineList& list, std::size_t row, std::size_t column) const;
  // The LineList position of the first cell of the row's record.
  std::size_t RecordStart(std::size_t row) const { return cells_[row * width_]; }

  void Clear() { cells_.clear(); }
  void Reserve(std::size_t rows) { cells_.reserve(rows * width_); }
  void Add(std::size_t position) { cells_.push_back(static_cast<std::uint32_t>(position)); }
  void AddEmpty() { cells_.push_back(kEmpty); }

 private:
  static constexpr std::uint32_t kEmpty = UINT32_MAX;
  std::size_t width_;
  std::vector<std::uint32_t> cells_;
};

struct RowTables {
  RowTable digital{digital_row::kWidth};  // CHANNEL rows, then CHANNEL_PID rows
  RowTable analog{analog_row::kWidth};
  std::size_t channelRows = 0;  // rows of the digital table that are CHANNEL records
};

// Builds both tables from the LineList and its sections: each channel row
// widened with the cells of its TP and its satellite, found by the first
// record whose Index is the same text. A TP or satellite that is missing
// leaves its cells empty.
void RebuildRowTables(const LineList& list, const SectionMap& sections, RowTables& tables);

}  // namespace chanora

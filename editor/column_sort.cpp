#include "editor/column_sort.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string>

#include "editor/channel_records.h"
#include "editor/list_change.h"
#include "editor/list_view_model.h"
#include "editor/section_map.h"

namespace chanora {
namespace {

// A cell as a column sort compares it.
struct CellKey {
  enum class Kind { Empty, Number, Text } kind = Kind::Empty;
  double number = 0;
  std::string text;
};

bool IsDecimal(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  const auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (whole.empty() && fraction.empty()) return false;
  return digits(whole) && digits(fraction) && (point == std::string_view::npos || !fraction.empty());
}

bool IsHex(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
  });
}

// Service ids are written in hex.
bool HexColumn(bool digital, std::size_t column) { return digital && column == digital_row::kServiceId; }

CellKey KeyOf(std::string_view cell, bool hex) {
  CellKey key;
  key.text = NormalizedText(cell);
  if (key.text.empty()) return key;
  if (hex) {
    std::uint64_t value = 0;
    const char* end = key.text.data() + key.text.size();
    if (IsHex(key.text) && std::from_chars(key.text.data(), end, value, 16).ec == std::errc()) {
      key.kind = CellKey::Kind::Number;
      key.number = static_cast<double>(value);
      return key;
    }
  }
  std::string_view number = key.text;
  if (number.front() == '+') number.remove_prefix(1);  // from_chars takes no plus sign
  if (IsDecimal(key.text) &&
      std::from_chars(number.data(), number.data() + number.size(), key.number).ec == std::errc()) {
    key.kind = CellKey::Kind::Number;
  } else {
    key.kind = CellKey::Kind::Text;
  }
  return key;
}

bool Less(const CellKey& a, const CellKey& b) {
  if (a.kind != b.kind) return a.kind < b.kind;
  if (a.kind == CellKey::Kind::Number) return a.number < b.number;
  return a.text < b.text;
}

// The new order of rows [begin, end) of a channel view table, as places
// within that range; none when they are in that order already.
std::optional<std::vector<std::uint32_t>> SectionOrder(const ListViewModel& model, const RowTable& rows,
                                                      std::size_t begin, std::size_t end, std::size_t column,
                                                      SortDirection direction) {
  const bool hex = HexColumn(&rows == &model.Rows().digital, column);
  std::vector<CellKey> keys;
  keys.reserve(end - begin);
  for (std::size_t row = begin; row < end; ++row) keys.push_back(KeyOf(rows.Cell(model.List(), row, column), hex));
  std::vector<std::uint32_t> order(keys.size());
  std::iota(order.begin(), order.end(), 0u);
  const bool ascending = direction == SortDirection::Ascending;
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return ascending ? Less(keys[a], keys[b]) : Less(keys[b], keys[a]);
  });
  if (std::is_sorted(order.begin(), order.end())) return std::nullopt;
  return order;
}

}  // namespace

bool SortByColumn(ListViewModel& model, std::size_t column, SortDirection direction) {
  if (model.shownSection != SectionKind::None) return false;
  const bool digital = model.showDigital;
  const RowTable& rows = digital ? model.Rows().digital : model.Rows().analog;
  if (column >= rows.Width()) return false;

  // A channel view lists its sections one after the other.
  const std::size_t rowCount = rows.RowCount();
  const std::size_t split = digital ? model.Rows().channelRows : rowCount;
  std::vector<std::pair<SectionKind, std::vector<std::uint32_t>>> orders;
  auto sortSection = [&](SectionKind kind, std::size_t begin, std::size_t end) {
    if (auto order = SectionOrder(model, rows, begin, end, column, direction)) orders.emplace_back(kind, *order);
  };
  sortSection(digital ? SectionKind::Channel : SectionKind::Analog, 0, split);
  if (digital) sortSection(SectionKind::ChannelPid, split, rowCount);
  if (orders.empty()) return false;

  ListChange change(model, "Sort by column");
  for (const auto& [kind, order] : orders) {
    ReorderRecords(change.List(), model.Sections().Span(kind)->first, static_cast<std::size_t>(InfoOf(kind).fieldCount),
                   order);
  }
  change.Commit();
  return true;
}

std::vector<std::size_t> RowsContaining(const ListViewModel& model, std::string_view text) {
  const std::string wanted = UpperCase(text);
  std::vector<int> columns;
  const std::vector<Column> shown = model.ShownColumns();
  for (std::size_t column = 0; column < shown.size(); ++column) {
    if (shown[column].width > 0) columns.push_back(static_cast<int>(column));
  }
  std::vector<std::size_t> rows;
  for (std::size_t row = 0; row < model.ShownRowCount(); ++row) {
    const bool match = wanted.empty() || std::any_of(columns.begin(), columns.end(), [&](int column) {
                         return UpperCase(model.ShownCell(row, column)).find(wanted) != std::string::npos;
                       });
    if (match) rows.push_back(row);
  }
  return rows;
}

}  // namespace chanora

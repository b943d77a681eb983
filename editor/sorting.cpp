#include "editor/sorting.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>

#include "base/text_conversion.h"
#include "editor/channel_records.h"
#include "editor/list_change.h"
#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "textformat/fields.h"

namespace chanora {
namespace {

// Only texts of up to 256 bytes are trimmed; longer ones sort with their
// blanks, as they always have.
constexpr std::size_t kTrimLimit = 256;

// Names, types and bouquets compare upper-cased and without surrounding
// blanks, byte by byte as unsigned values (std::string's order).
std::string TextKey(std::string_view cell) {
  std::string text(cell);
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (text.size() <= kTrimLimit) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  }
  return text;
}

struct SortKey {
  int satellite = 0;
  std::string type;
  int frequency = 0;    // 0 for all when the order has no frequency
  std::string bouquet;  // empty for all when the order has no bouquet
  std::string name;
};

// The rules as one lexicographic order: satellite ascending, type descending
// (TV before RADIO), frequency or bouquet ascending, name ascending.
bool ComesFirst(const SortKey& a, const SortKey& b) {
  if (a.satellite != b.satellite) return a.satellite < b.satellite;
  if (a.type != b.type) return a.type > b.type;
  if (a.frequency != b.frequency) return a.frequency < b.frequency;
  if (a.bouquet != b.bouquet) return a.bouquet < b.bouquet;
  return a.name < b.name;
}

// Dense ranks of the keys: equal keys share a rank, a lower rank comes first.
std::vector<std::uint32_t> Ranks(const std::vector<SortKey>& keys) {
  std::vector<std::uint32_t> byKey(keys.size());
  std::iota(byKey.begin(), byKey.end(), 0u);
  std::sort(byKey.begin(), byKey.end(), [&](std::uint32_t a, std::uint32_t b) { return ComesFirst(keys[a], keys[b]); });
  std::vector<std::uint32_t> ranks(keys.size());
  std::uint32_t rank = 0;
  for (std::size_t k = 0; k < byKey.size(); ++k) {
    if (k > 0 && ComesFirst(keys[byKey[k - 1]], keys[byKey[k]])) ++rank;
    ranks[byKey[k]] = rank;
  }
  return ranks;
}

// Counts of marked positions before a position.
class PositionCounts {
 public:
  explicit PositionCounts(std::size_t size) : tree_(size + 1, 0) {}
  void Mark(std::size_t position) {
    for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }
  std::uint32_t Before(std::size_t position) const {
    std::uint32_t count = 0;
    for (std::size_t i = position; i > 0; i -= i & (~i + 1)) count += tree_[i];
    return count;
  }

 private:
  std::vector<std::uint32_t> tree_;
};

// The digital orders read a row of the channel view: the record's own cells
// and its TP's frequency and bouquet.
SortKey DigitalKey(const ListViewModel& model, std::size_t row, SortMode mode) {
  const RowTable& rows = model.Rows().digital;
  auto cell = [&](std::size_t column) { return rows.Cell(model.List(), row, column); };
  SortKey key;
  key.satellite = DecimalTextToInt(cell(digital_row::kSatIndex));
  key.type = TextKey(cell(digital_row::kType));
  key.name = TextKey(cell(digital_row::kName));
  if (mode == SortMode::Frequency) key.frequency = DecimalTextToInt(cell(digital_row::kFrequency));
  if (mode == SortMode::Bouquet) key.bouquet = TextKey(cell(digital_row::kBouquet));
  return key;
}

SortKey AnalogKey(const LineList& list, std::size_t start, SortMode mode) {
  SortKey key;
  key.satellite = DecimalTextToInt(list[start + analog_field::kSatIndex]);
  key.type = TextKey(list[start + analog_field::kType]);
  key.name = TextKey(list[start + analog_field::kName]);
  if (mode != SortMode::Name) key.frequency = DecimalTextToInt(list[start + analog_field::kFrequency]);
  return key;
}

}  // namespace

// Why grouping works: one pass of the exchange sort carries the records that
// are strictly smaller than everything before them (its chain of new minima)
// one step along that chain and leaves the smallest in place i. Restricted to
// the records of rank <= v, a pass does exactly what a pass over that
// subsequence alone would do, so the records of rank v end in the order that
// sorting that subsequence gives them, where they are the largest. A largest
// record only moves when it stands first: then the first smaller record is
// taken out and the block of largest records in front of it turns by one
// (its first goes behind its last). Each pass takes out the first smaller
// record that is left, so the smaller records are taken in their original
// order, and one preceded by c records of rank v turns the first c of them.
std::vector<std::uint32_t> ExchangeSortOrder(std::span<const std::uint32_t> ranks) {
  const std::size_t n = ranks.size();
  std::vector<std::uint32_t> byRank(n);
  std::iota(byRank.begin(), byRank.end(), 0u);
  std::stable_sort(byRank.begin(), byRank.end(), [&](std::uint32_t a, std::uint32_t b) { return ranks[a] < ranks[b]; });

  std::vector<std::uint32_t> order;
  order.reserve(n);
  PositionCounts smaller(n);
  std::vector<std::uint32_t> smallerBefore;
  for (std::size_t begin = 0; begin < n;) {
    std::size_t end = begin;
    while (end < n && ranks[byRank[end]] == ranks[byRank[begin]]) ++end;
    // Positions of the group, ascending, and the smaller records before each.
    const std::size_t groupSize = end - begin;
    smallerBefore.resize(groupSize);
    for (std::size_t t = 0; t < groupSize; ++t) smallerBefore[t] = smaller.Before(byRank[begin + t]);
    const std::uint32_t smallerTotal = static_cast<std::uint32_t>(begin);

    order.insert(order.end(), byRank.begin() + static_cast<std::ptrdiff_t>(begin),
                 byRank.begin() + static_cast<std::ptrdiff_t>(end));
    const auto groupBegin = order.end() - static_cast<std::ptrdiff_t>(groupSize);
    // The smaller records between the t-th and the (t+1)-th of the group each
    // turn the first t of the group by one.
    for (std::size_t t = 1; t <= groupSize; ++t) {
      const std::uint32_t next = t < groupSize ? smallerBefore[t] : smallerTotal;
      const std::size_t turns = (next - smallerBefore[t - 1]) % t;
      if (turns != 0) {
        std::rotate(groupBegin, groupBegin + static_cast<std::ptrdiff_t>(turns),
                    groupBegin + static_cast<std::ptrdiff_t>(t));
      }
    }
    for (std::size_t k = begin; k < end; ++k) smaller.Mark(byRank[k]);
    begin = end;
  }
  return order;
}

bool SortChannels(ListViewModel& model, SortMode mode) {
  if (mode != SortMode::Name && mode != SortMode::Frequency && mode != SortMode::Bouquet) return false;
  const LineList& list = model.List();
  const SectionMap& sections = model.Sections();

  // All keys are taken before any record moves.
  const std::size_t channels = model.Rows().channelRows;
  const std::size_t pidChannels = sections.RecordCount(SectionKind::ChannelPid);
  const std::size_t analogChannels = sections.RecordCount(SectionKind::Analog);
  std::vector<SortKey> channelKeys, pidKeys, analogKeys;
  for (std::size_t row = 0; row < channels; ++row) channelKeys.push_back(DigitalKey(model, row, mode));
  for (std::size_t row = 0; row < pidChannels; ++row) pidKeys.push_back(DigitalKey(model, channels + row, mode));
  for (std::size_t record = 0; record < analogChannels; ++record) {
    analogKeys.push_back(AnalogKey(list, sections.RecordStart(SectionKind::Analog, record), mode));
  }

  std::vector<std::pair<SectionKind, std::vector<std::uint32_t>>> orders;
  auto sortSection = [&](SectionKind kind, const std::vector<SortKey>& keys) {
    std::vector<std::uint32_t> order = ExchangeSortOrder(Ranks(keys));
    // An order of every record leaves them in place only when it is ascending.
    if (!std::is_sorted(order.begin(), order.end())) orders.emplace_back(kind, std::move(order));
  };
  sortSection(SectionKind::Channel, channelKeys);
  sortSection(SectionKind::ChannelPid, pidKeys);
  sortSection(SectionKind::Analog, analogKeys);
  if (orders.empty()) return false;  // sorted already
  // Not recorded for undo.
  ListChange change(model);
  for (const auto& [kind, order] : orders) {
    ReorderRecords(change.List(), sections.Span(kind)->first, static_cast<std::size_t>(InfoOf(kind).fieldCount), order);
  }
  change.Commit();
  return true;
}

}  // namespace chanora

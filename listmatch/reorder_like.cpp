#include "listmatch/reorder_like.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "editor/channel_records.h"
#include "editor/list_change.h"
#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "listmatch/list_items.h"

namespace chanora {
namespace {

std::vector<std::string> Keys(const std::vector<ListItem>& items, std::string ListItem::*key) {
  std::vector<std::string> keys;
  keys.reserve(items.size());
  for (const ListItem& item : items) keys.push_back(item.*key);
  return keys;
}

// The section's records in their new order (places in the present order);
// `matched` goes up by the channels the reference also has.
std::vector<std::size_t> OrderOfSection(const LineList& list, const LineList& reference, ItemKind kind,
                                        std::size_t& matched) {
  const std::vector<ListItem> items = ItemsOf(list, kind), refItems = ItemsOf(reference, kind);
  std::vector<std::optional<std::size_t>> matches(items.size());
  std::vector<bool> refTaken(refItems.size(), false);
  MatchInOrder(Keys(items, &ListItem::identity), Keys(refItems, &ListItem::identity), matches, refTaken);
  MatchInOrder(Keys(items, &ListItem::nameIdentity), Keys(refItems, &ListItem::nameIdentity), matches, refTaken);

  std::vector<std::size_t> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  // Matched first by their place in the reference; the rest keep theirs.
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    if (matches[x].has_value() != matches[y].has_value()) return matches[x].has_value();
    return matches[x] && *matches[x] < *matches[y];
  });
  matched += static_cast<std::size_t>(std::count_if(matches.begin(), matches.end(), [](const auto& m) { return m; }));
  return order;
}

void MoveRecords(LineList& list, SectionKind section, const std::vector<std::size_t>& order) {
  const auto span = SectionMap(list).Span(section);
  if (!span || order.empty()) return;
  const std::vector<std::uint32_t> records(order.begin(), order.end());
  ReorderRecords(list, span->first, static_cast<std::size_t>(InfoOf(section).fieldCount), records);
}

}  // namespace

std::size_t OrderLikeReference(ListViewModel& model, const LineList& reference) {
  std::size_t matched = 0;
  std::vector<std::pair<SectionKind, std::vector<std::size_t>>> orders;
  bool moves = false;
  for (ItemKind kind : {ItemKind::Channel, ItemKind::PidChannel, ItemKind::AnalogChannel}) {
    std::vector<std::size_t> order = OrderOfSection(model.List(), reference, kind, matched);
    moves = moves || !std::is_sorted(order.begin(), order.end());
    orders.emplace_back(SectionOf(kind), std::move(order));
  }
  if (!moves) return matched;
  ListChange change(model, "Like Reference List");
  for (const auto& [section, order] : orders) MoveRecords(change.List(), section, order);
  change.Commit();
  return matched;
}

}  // namespace chanora

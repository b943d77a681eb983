#include "listmatch/list_compare.h"

#include <algorithm>
#include <optional>

namespace chanora {
namespace {

std::vector<std::string> Identities(const std::vector<ListItem>& items) {
  std::vector<std::string> keys;
  keys.reserve(items.size());
  for (const ListItem& item : items) keys.push_back(item.identity);
  return keys;
}

// Which of `values` lie on one longest strictly increasing run.
std::vector<bool> OnLongestIncreasingRun(const std::vector<std::size_t>& values) {
  std::vector<std::size_t> tails;     // index into values of the smallest tail per length
  std::vector<std::size_t> previous(values.size(), values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    auto at = std::lower_bound(tails.begin(), tails.end(), values[i],
                               [&](std::size_t t, std::size_t v) { return values[t] < v; });
    if (at != tails.begin()) previous[i] = *(at - 1);
    if (at == tails.end()) {
      tails.push_back(i);
    } else {
      *at = i;
    }
  }
  std::vector<bool> on(values.size(), false);
  for (std::size_t i = tails.empty() ? values.size() : tails.back(); i < values.size(); i = previous[i]) on[i] = true;
  return on;
}

void CompareKind(const LineList& a, const LineList& b, ItemKind kind, ListComparison& comparison) {
  const std::vector<ListItem> itemsA = ItemsOf(a, kind), itemsB = ItemsOf(b, kind);
  const std::vector<std::string> keysA = Identities(itemsA), keysB = Identities(itemsB);
  comparison.repeatedInA += RepeatedKeys(keysA);
  comparison.repeatedInB += RepeatedKeys(keysB);
  std::vector<std::optional<std::size_t>> matches(itemsA.size());
  std::vector<bool> bTaken(itemsB.size(), false);
  MatchInOrder(keysA, keysB, matches, bTaken);

  std::vector<std::size_t> matchedB;
  for (const auto& match : matches) {
    if (match) matchedB.push_back(*match);
  }
  const std::vector<bool> kept = OnLongestIncreasingRun(matchedB);
  std::size_t matched = 0;
  for (std::size_t i = 0; i < itemsA.size(); ++i) {
    const ListItem& itemA = itemsA[i];
    if (!matches[i]) {
      comparison.differences.push_back({kind, ChangeType::Removed, itemA.label, itemA.position, 0, {}});
      continue;
    }
    const ListItem& itemB = itemsB[*matches[i]];
    std::vector<FieldChange> fields;
    for (std::size_t f = 0; f < itemA.fields.size(); ++f) {
      if (itemA.fields[f].second != itemB.fields[f].second) {
        fields.push_back({itemA.fields[f].first, itemA.fields[f].second, itemB.fields[f].second});
      }
    }
    if (!fields.empty()) {
      comparison.differences.push_back(
          {kind, ChangeType::Changed, itemB.label, itemA.position, itemB.position, std::move(fields)});
    }
    if (!kept[matched++]) {
      comparison.differences.push_back({kind, ChangeType::Moved, itemB.label, itemA.position, itemB.position, {}});
    }
  }
  for (std::size_t j = 0; j < itemsB.size(); ++j) {
    if (!bTaken[j]) comparison.differences.push_back({kind, ChangeType::Added, itemsB[j].label, 0, itemsB[j].position, {}});
  }
}

}  // namespace

ListComparison CompareLists(const LineList& a, const LineList& b) {
  ListComparison comparison;
  for (ItemKind kind : kAllItemKinds) CompareKind(a, b, kind, comparison);
  return comparison;
}

}  // namespace chanora

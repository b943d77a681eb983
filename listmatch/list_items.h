#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "textformat/line_list.h"

namespace chanora {

// The kinds of record that lists are compared by, in report order.
enum class ItemKind { SatelliteName, Satellite, Tp, Channel, PidChannel, AnalogChannel };
inline constexpr std::array<ItemKind, 6> kAllItemKinds = {ItemKind::SatelliteName, ItemKind::Satellite,
                                                          ItemKind::Tp,            ItemKind::Channel,
                                                          ItemKind::PidChannel,    ItemKind::AnalogChannel};

SectionKind SectionOf(ItemKind kind);
// "satellite", "digital channel", ... as a report names one.
std::string_view ItemKindName(ItemKind kind);

// One record as comparisons see it. Satellites stand for themselves by name,
// not by their index, which is only the list's own key.
struct ListItem {
  std::string identity;      // what identifies it on air
  std::string nameIdentity;  // its satellite and name, for channels
  std::string label;         // how a report names it
  std::size_t position = 0;  // 1-based within its section
  std::size_t start = 0;     // its first cell in the list
  std::vector<std::pair<std::string_view, std::string>> fields;  // compared when matched: title, value
};

// The records of one kind in list order.
std::vector<ListItem> ItemsOf(const LineList& list, ItemKind kind);

// Pairs records of equal keys, repeated keys in order (the first with the
// first): element i is the place in `b` matched to `a[i]`. Places already
// matched (`bTaken`, set on return) and records of `a` already matched are
// left out.
void MatchInOrder(const std::vector<std::string>& a, const std::vector<std::string>& b,
                  std::vector<std::optional<std::size_t>>& matches, std::vector<bool>& bTaken);

// How many keys stand more than once.
std::size_t RepeatedKeys(const std::vector<std::string>& keys);

}  // namespace chanora

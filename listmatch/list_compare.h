#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "listmatch/list_items.h"

namespace chanora {

enum class ChangeType { Added, Removed, Changed, Moved };

struct FieldChange {
  std::string_view field;
  std::string before;
  std::string after;
};

// One difference of a record between list A and list B. A record matched in
// both lists may be changed and moved: two differences.
struct Difference {
  ItemKind kind = ItemKind::Channel;
  ChangeType type = ChangeType::Changed;
  std::string label;           // as list B names it, or A for a removed record
  std::size_t positionA = 0;   // 1-based within its section; 0 when absent
  std::size_t positionB = 0;
  std::vector<FieldChange> fields;  // of a changed record
};

struct ListComparison {
  std::vector<Difference> differences;  // by kind, then A's order, added records last
  // Identities held by more than one record of a list; such records are
  // matched in order, the first with the first.
  std::size_t repeatedInA = 0;
  std::size_t repeatedInB = 0;
  bool Same() const { return differences.empty(); }
};

// Records are matched by what identifies them on air, not by their index. A
// matched record has moved when it is not among the longest run of matched
// records that keep their order, so one insertion moves nothing.
ListComparison CompareLists(const LineList& a, const LineList& b);

}  // namespace chanora

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/check_pass.h"
#include "listmatch/list_compare.h"
#include "textformat/sections.h"

namespace chanora {

class ListViewModel;

// A message as the checks word it, its line breaks and runs of blanks made
// one space, so that it fits on one line.
std::string OneLineMessage(std::string_view message);

// Every problem as "PATH:LINE: message", one a line.
std::string ProblemsText(const std::vector<CheckProblem>& problems, const std::string& path);

// The digital, PID and analog channels of the model's list.
std::size_t ChannelCount(const ListViewModel& model);

// "added", "removed", "changed" or "moved".
std::string_view ChangeTypeName(ChangeType type);
// The fields of a changed record as "Name 'old' -> 'new', ..."; for a moved
// one "from A to B" (positions within its section).
std::string ChangeDetail(const Difference& difference);

// "3 differences; repeated identities: 0 in this list, 1 in the other", or
// that the lists are the same.
std::string ComparisonSummary(const ListComparison& comparison);

// Where a record of the open list stands in the window: the list that shows
// it (a channel view for channels, else its section's list) and its row.
struct ListPlace {
  SectionKind section = SectionKind::None;  // None: a channel view
  bool digital = true;
  std::size_t row = 0;
};

// The place of a difference's record in the model's list, when that list is
// the first one compared; nothing for a record only the other list has.
std::optional<ListPlace> PlaceInFirstList(const ListViewModel& model, const Difference& difference);

}  // namespace chanora

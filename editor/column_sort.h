#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace chanora {

class ListViewModel;

enum class SortDirection { Ascending, Descending };

// Sorts the channels of the channel view shown by one of its columns, each
// section within itself (CHANNEL and CHANNEL_PID apart): cells that read as
// numbers compare as numbers, others as text without regard to case or
// surrounding blanks; empty cells come first, then numbers, then texts.
// Stable in both directions. Renumbers and records "Sort by column" for
// undo. False when a section list is shown, the column is unknown, or the
// channels are in that order already (nothing is recorded then).
bool SortByColumn(ListViewModel& model, std::size_t column, SortDirection direction);

// The rows of the list shown that have a cell in a visible column containing
// `text`, without regard to case; every row for an empty text. Ascending.
std::vector<std::size_t> RowsContaining(const ListViewModel& model, std::string_view text);

}  // namespace chanora

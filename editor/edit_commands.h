#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace chanora {

class ListViewModel;
class Reporter;

// The commands of the Edit Channel menu, which is also the list's pop-up.
enum class EditCommand { New, Cut, Paste, InsertNull, Delete, Undo };

// Whether a command can be chosen now. Cut, Insert Null and Delete stay
// enabled in the section lists, where they change nothing; New and Paste
// need the channel view, Paste also a record cut from the view shown.
bool EditCommandEnabled(const ListViewModel& model, bool loaded, EditCommand command);

// What a structure edit leaves for the view: whether the list changed, and
// then the row to select and focus. A view shows nothing anew for an edit
// that changed nothing.
struct EditOutcome {
  bool changed = false;
  std::optional<std::size_t> select;
};

// Cut, Paste, Insert Null or Delete on the selected rows; the first selected
// row is selected afterwards.
EditOutcome RunStructureEdit(ListViewModel& model, EditCommand command, const std::vector<std::size_t>& selected);

// A drag released over the channel view, pressed on row `pressed` and let go
// over `drop` (none when no row is under the pointer, which moves nothing).
// A selection of two or more rows moves as a group, else the pressed row
// alone; what moved is selected where it landed.
EditOutcome DropRows(ListViewModel& model, const std::vector<std::size_t>& selected, std::size_t pressed,
                     std::optional<std::size_t> drop, Reporter& reporter);

}  // namespace chanora

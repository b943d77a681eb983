#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace chanora {

class ListViewModel;
class Reporter;

// The structure edits of the channel view, each on the rows selected in the
// view shown (`showDigital`), applied as one batch and ended by renumbering
// and rebuilding the rows. Each returns true when it acted; with nothing
// selected, or while a section list is shown, it does nothing.

// Removes the records of the selected rows ("Delete Channel").
bool DeleteRows(ListViewModel& model, const std::vector<std::size_t>& selected);
// Puts one null record per selected row right after the first selected
// row's record, all modelled on it ("Insert Null Channel").
bool InsertNullRows(ListViewModel& model, const std::vector<std::size_t>& selected);
// Moves the selected records into the cut buffers, each by its kind ("Cut
// Channel").
bool CutRows(ListViewModel& model, const std::vector<std::size_t>& selected);
// Puts the buffer of the first selected row's kind before that row's record
// and empties it ("Paste Channel"). False, with no undo record, when that
// buffer is empty.
bool PasteRows(ListViewModel& model, const std::vector<std::size_t>& selected);

// A drag of one row: the record of row `from` takes the place of row `to`.
// Not recorded for undo. A drop on no row, or across the boundary between
// digital and PID channels (said in a message), moves nothing.
bool MoveRow(ListViewModel& model, std::size_t from, std::optional<std::size_t> to, Reporter& reporter);

// A drag of an unbroken run of selected rows pressed at `pressed` and dropped
// on `drop` ("Group Move"): the run moves as a whole, or nothing moves when
// a member would cross into the other channel section (said once) or leave
// the list. A selection with gaps is ignored.
bool MoveRows(ListViewModel& model, const std::vector<std::size_t>& selected, std::size_t pressed,
              std::optional<std::size_t> drop, Reporter& reporter);

}  // namespace chanora

#include "editor/edit_commands.h"

#include <algorithm>

#include "editor/list_view_model.h"
#include "editor/structure_edits.h"

namespace chanora {
namespace {

bool PasteAvailable(const ListViewModel& model) {
  const CutBuffers& cut = model.cutBuffers;
  return model.showDigital ? !cut.channel.empty() || !cut.pid.empty() : !cut.analog.empty();
}

}  // namespace

bool EditCommandEnabled(const ListViewModel& model, bool loaded, EditCommand command) {
  if (!loaded) return false;
  const bool channelView = model.shownSection == SectionKind::None;
  switch (command) {
    case EditCommand::New:
      return channelView;
    case EditCommand::Paste:
      return channelView && PasteAvailable(model);
    case EditCommand::Undo:
      return model.History().UndoAvailable();
    case EditCommand::Cut:
    case EditCommand::InsertNull:
    case EditCommand::Delete:
      return true;
  }
  return false;
}

EditOutcome RunStructureEdit(ListViewModel& model, EditCommand command, const std::vector<std::size_t>& selected) {
  if (selected.empty()) return {};
  EditOutcome outcome;
  switch (command) {
    case EditCommand::Cut:
      outcome.changed = CutRows(model, selected);
      break;
    case EditCommand::Paste:
      outcome.changed = PasteRows(model, selected);
      break;
    case EditCommand::InsertNull:
      outcome.changed = InsertNullRows(model, selected);
      break;
    case EditCommand::Delete:
      outcome.changed = DeleteRows(model, selected);
      break;
    case EditCommand::New:
    case EditCommand::Undo:
      return {};
  }
  if (!outcome.changed) return outcome;
  const std::size_t first = *std::min_element(selected.begin(), selected.end());
  // After a delete at the end of the list the first selected row may be gone.
  if (first < model.ShownRowCount()) outcome.select = first;
  return outcome;
}

EditOutcome DropRows(ListViewModel& model, const std::vector<std::size_t>& selected, std::size_t pressed,
                     std::optional<std::size_t> drop, Reporter& reporter) {
  if (!drop || *drop == pressed) return {};
  const bool moved = selected.size() >= 2 ? MoveRows(model, selected, pressed, drop, reporter)
                                          : MoveRow(model, pressed, drop, reporter);
  if (!moved) return {};
  // Dragged down, the moved rows end just above the drop row.
  return {true, pressed < *drop ? *drop - 1 : *drop};
}

}  // namespace chanora

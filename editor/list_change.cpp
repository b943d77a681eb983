#include "editor/list_change.h"

#include "editor/list_view_model.h"

namespace chanora {

ListChange::ListChange(ListViewModel& model, std::string undoName) : model_(model), recorded_(true) {
  model_.undo_.RecordUndo(model_.list_, std::move(undoName));
}

ListChange::ListChange(ListViewModel& model) : model_(model) {}

ListChange::~ListChange() {
  if (committed_) return;
  if (recorded_) {
    model_.undo_.RollBack(model_.list_);
  } else if (written_) {
    // Nothing to go back to: the rows must at least follow what was written.
    model_.CommitChange();
  }
}

LineList& ListChange::List() {
  written_ = true;
  return model_.list_;
}

void ListChange::Commit() {
  model_.CommitChange();
  committed_ = true;
}

}  // namespace chanora

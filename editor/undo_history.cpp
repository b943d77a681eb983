#include "editor/undo_history.h"

#include "base/text_conversion.h"

namespace chanora {

void UndoHistory::RecordUndo(const LineList& list, std::string name) {
  evicted_.reset();
  if (records_.size() == kDepth) {
    evicted_ = std::move(records_.front());
    records_.pop_front();
  }
  records_.push_back({list, std::move(name)});
}

bool UndoHistory::Undo(LineList& list) {
  if (records_.empty()) return false;
  list = std::move(records_.back().list);
  records_.pop_back();
  evicted_.reset();
  return true;
}

void UndoHistory::RollBack(LineList& list) {
  if (records_.empty()) return;
  list = std::move(records_.back().list);
  records_.pop_back();
  if (evicted_) records_.push_front(std::move(*evicted_));
  evicted_.reset();
}

void UndoHistory::ClearUndo() {
  records_.clear();
  evicted_.reset();
}

std::string UndoHistory::MenuText() const {
  if (records_.empty()) return "Undo Disable";
  return FormatText("Undo (%zu - %s)", records_.size(), records_.back().name.c_str());
}

}  // namespace chanora

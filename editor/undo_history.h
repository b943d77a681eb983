#pragma once

#include <deque>
#include <optional>
#include <string>

#include "textformat/line_list.h"

namespace chanora {

// The last five changes of the list, each a whole copy of the LineList taken
// just before the change, with the name of the operation. No redo.
class UndoHistory {
 public:
  static constexpr std::size_t kDepth = 5;

  void RecordUndo(const LineList& list, std::string name);
  // Puts the newest copy back into `list`; false when there is none.
  bool Undo(LineList& list);
  // For a change given up: puts the newest copy back into `list` and forgets
  // it, giving back the oldest record that recording it pushed out.
  void RollBack(LineList& list);
  void ClearUndo();

  bool UndoAvailable() const { return !records_.empty(); }
  std::size_t UndoDepth() const { return records_.size(); }
  // "Undo (%d - %s)" while a record is kept, else "Undo Disable".
  std::string MenuText() const;

 private:
  struct Record {
    LineList list;
    std::string name;
  };
  std::deque<Record> records_;
  // The record that the newest one pushed out, until another record comes.
  std::optional<Record> evicted_;
};

}  // namespace chanora

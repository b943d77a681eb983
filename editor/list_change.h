#pragma once

#include <string>

#include "textformat/line_list.h"

namespace chanora {

class ListViewModel;

// One change of the model's list, from its first check to its commit.
// Opened with an undo name, it records the list as it stands for undo; if
// the change is not committed, the list goes back to that record and the
// record is forgotten, so an edit that is refused or changes nothing leaves
// no trace. Opened without one (sorting, a single-row drag, a satellite
// edit), nothing is recorded and whatever is written is committed.
class ListChange {
 public:
  ListChange(ListViewModel& model, std::string undoName);
  explicit ListChange(ListViewModel& model);
  ~ListChange();
  ListChange(const ListChange&) = delete;
  ListChange& operator=(const ListChange&) = delete;

  // The list to write; commit what was written.
  LineList& List();
  // Renumbers the channels, rebuilds the rows and updates Modified(); keeps
  // the undo record.
  void Commit();

 private:
  ListViewModel& model_;
  bool recorded_ = false;
  bool written_ = false;
  bool committed_ = false;
};

}  // namespace chanora

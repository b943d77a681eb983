#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/columns.h"
#include "editor/row_tables.h"
#include "editor/section_map.h"
#include "editor/undo_history.h"
#include "textformat/line_list.h"

namespace chanora {

// Records taken by Cut, one buffer per kind, until they are pasted.
struct CutBuffers {
  std::vector<std::string> channel;  // CHANNEL records, 8 cells each
  std::vector<std::string> pid;      // CHANNEL_PID records, 10 cells each
  std::vector<std::string> analog;   // ANALOG records, 18 cells each
};

// Everything the list view shows and edits, without a window: the LineList,
// which list is shown, the channel views' row tables, the cut buffers and the
// undo history. A window only asks it for columns, rows and cells. The list
// changes only through a ListChange, which keeps the rows, the section map
// and Modified() in step with it.
class ListViewModel {
 public:
  ListViewModel();

  // Takes a freshly loaded list: renumbers its channels, rebuilds the rows, clears the undo history,
  // and makes the list as it now stands the saved state (not modified).
  void Reset(LineList list);
  const LineList& List() const { return list_; }
  // The list differs from the list as it stood after the last Reset or MarkSaved.
  bool Modified() const { return modified_; }
  // The list as it now stands is what its file holds (after a save).
  void MarkSaved();

  void ToggleDetail();

  // The list on screen: the channel view chosen by `showDigital` when
  // `shownSection` is None, else the records of that section. Every cell is
  // answered at once; a cell outside the list is empty.
  std::vector<Column> ShownColumns() const;
  std::size_t ShownRowCount() const;
  std::string ShownCell(std::size_t row, int column) const;
  // 0 a TV channel, 1 any other channel, 2 a record of a section list.
  int ShownIcon(std::size_t row) const;
  // "Can't find \" %s \" " when the shown section lacks a marker.
  std::optional<std::string> ShownListProblem() const;

  // The record of a channel view row: its section and its first cell.
  SectionKind RowSection(std::size_t row, bool digital) const;
  std::size_t RecordStartOfRow(std::size_t row, bool digital) const;
  std::size_t ChannelRowCount(bool digital) const;

  const RowTables& Rows() const { return rows_; }
  const SectionMap& Sections() const { return sections_; }
  const UndoHistory& History() const { return undo_; }
  // Puts the list back as it was before the newest recorded change; false
  // when there is none. The numbering comes back with it.
  bool Undo();

  SectionKind shownSection = SectionKind::None;
  bool showDigital = true;
  bool detailColumns = false;
  std::vector<int> digitalWidths;
  std::vector<int> analogWidths;
  CutBuffers cutBuffers;

 private:
  friend class ListChange;

  // What every change ends with: channels renumbered, sections and rows
  // rebuilt, the modified state brought up to date.
  void CommitChange();
  void RenumberAndRebuild();
  void UpdateModified();

  LineList list_;
  LineList saved_;  // the list as its file holds it
  bool modified_ = false;
  SectionMap sections_;
  RowTables rows_;
  UndoHistory undo_;
};

}  // namespace chanora

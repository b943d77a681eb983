#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editor/columns.h"
#include "editor/row_tables.h"
#include "editor/undo_history.h"
#include "textformat/line_list.h"

namespace chanora {

class ListEngine;
class Reporter;

// Records taken by Cut, one buffer per kind, until they are pasted.
struct CutBuffers {
  std::vector<std::string> channel;  // CHANNEL records, 8 cells each
  std::vector<std::string> pid;      // CHANNEL_PID records, 10 cells each
  std::vector<std::string> analog;   // ANALOG records, 18 cells each
};

// Everything the list view shows and edits, without a window: the LineList,
// which list is shown, the channel views' row tables, the cut buffers and the
// undo history. A window only asks it for columns, rows and cells.
class ListViewModel {
 public:
  ListViewModel();

  // Reads the list at `path`. Only a list that reads without
  // failure replaces the one held; then channels are renumbered and the rows
  // rebuilt. The caller saves at once when the engine dropped null channels.
  bool Load(ListEngine& engine, const std::string& path, int maxSatellites, bool* nullChannelsDropped = nullptr);

  // What every change of channel records ends with.
  void RenumberAndRebuild();
  void RebuildRowTables();
  void ToggleDetail();

  // The list on screen: the channel view chosen by `showDigital` when
  // `shownSection` is None, else the records of that section.
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

  // When the view closes with changes that are not saved: asks "Saveing
  // Modified Data!!!" and on Yes writes the list to `path`. False
  // only when that save failed ("ERROR!!! Saving not Complete").
  bool SaveQuestionOnClose(ListEngine& engine, const std::string& path, Reporter& reporter);

  void RecordUndo(const std::string& name) { undo.RecordUndo(list, name); }
  void DiscardNewestUndo() { undo.DiscardNewestUndo(); }
  bool Undo();

  LineList list;
  SectionKind shownSection = SectionKind::None;
  bool showDigital = true;
  bool detailColumns = false;
  std::vector<int> digitalWidths;
  std::vector<int> analogWidths;
  RowTables rows;
  CutBuffers cutBuffers;
  UndoHistory undo;
  // Changed since it was loaded or saved, whether or not undo can reach the
  // change; the close question asks then.
  bool modified = false;
};

}  // namespace chanora

#pragma once

#include <QTableView>
#include <QTimer>
#include <cstddef>
#include <optional>
#include <vector>

class QMenu;

namespace chanora {

// The list as a report list: whole rows selected by click, Shift, Ctrl or
// keyboard; a right click pops up the edit menu; in the channel views a left
// drag of a row, or of the selection it belongs to, is dropped on the row
// under the pointer, scrolling the list while the pointer is near an edge.
// A filter hides the rows that do not match; rows keep their numbers in the
// list, so every row given or answered here is a row of the whole list.
class ListView : public QTableView {
  Q_OBJECT

 public:
  explicit ListView(QWidget* parent = nullptr);

  // Every selected row, ascending, whether scrolled into view or not; rows
  // hidden by the filter are never among them.
  std::vector<std::size_t> SelectedRows() const;
  // Selects and focuses `row` alone, or clears the selection (also when the
  // row is filtered out), keeping the list scrolled where it stands.
  void SelectOnly(std::optional<std::size_t> row);
  void SetPopupMenu(QMenu* menu) { popup_ = menu; }
  // Rows may be dragged only in the channel views.
  void SetRowDrags(bool allowed);

  // Shows only `rows` (ascending), or every row again.
  void FilterRows(std::optional<std::vector<std::size_t>> rows);
  bool Filtered() const { return filtered_; }
  // Selects the next row shown after the current one, from the top after the last.
  void SelectNextShown();

  // A header click asks for a sort by that column, ascending first, then the
  // other way on the next click; only while allowed.
  void SetColumnSorts(bool allowed);
  void ShowSortIndicator(std::optional<int> column, Qt::SortOrder order = Qt::AscendingOrder);

 signals:
  // A drag pressed on row `pressed` was let go over `drop` (none when no row
  // was under the pointer).
  void rowsDropped(std::size_t pressed, std::optional<std::size_t> drop);
  void columnSortRequested(int column, Qt::SortOrder order);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void ScrollNearEdge();
  void EndDrag();

  QMenu* popup_ = nullptr;
  bool rowDrags_ = false;
  bool filtered_ = false;
  std::optional<int> pressedRow_;  // a left press that may begin a drag
  QPoint pressPoint_;
  bool pressedOnSelection_ = false;
  bool dragging_ = false;
  QPoint dragPoint_;  // the pointer's last place in the viewport during a drag
  QTimer autoScroll_;
};

}  // namespace chanora

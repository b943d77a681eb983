#include "app/list_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace chanora {
namespace {

constexpr int kAutoScrollMillis = 50;

bool PlainLeftPress(const QMouseEvent& event) {
  return event.button() == Qt::LeftButton &&
         !(event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::MetaModifier));
}

}  // namespace

ListView::ListView(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setDragEnabled(false);  // drags move records, not data: handled here
  autoScroll_.setInterval(kAutoScrollMillis);
  connect(&autoScroll_, &QTimer::timeout, this, &ListView::ScrollNearEdge);
  connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, &ListView::columnSortRequested);
}

std::vector<std::size_t> ListView::SelectedRows() const {
  std::vector<std::size_t> rows;
  if (!selectionModel()) return rows;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    // A range selected across the filter spans the rows it hides.
    for (int row = range.top(); row <= range.bottom(); ++row) {
      if (!isRowHidden(row)) rows.push_back(static_cast<std::size_t>(row));
    }
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void ListView::SelectOnly(std::optional<std::size_t> row) {
  const int top = verticalScrollBar()->value();
  const int left = horizontalScrollBar()->value();
  if (row && static_cast<int>(*row) < model()->rowCount() && !isRowHidden(static_cast<int>(*row))) {
    const QModelIndex index = model()->index(static_cast<int>(*row), 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    selectionModel()->clearSelection();
  }
  verticalScrollBar()->setValue(top);
  horizontalScrollBar()->setValue(left);
}

void ListView::SetRowDrags(bool allowed) {
  rowDrags_ = allowed;
  if (!allowed) EndDrag();
}

void ListView::FilterRows(std::optional<std::vector<std::size_t>> rows) {
  if (!rows && !filtered_) return;
  filtered_ = rows.has_value();
  if (filtered_) EndDrag();
  for (int row = 0; row < model()->rowCount(); ++row) {
    setRowHidden(row, rows && !std::binary_search(rows->begin(), rows->end(), static_cast<std::size_t>(row)));
  }
}

void ListView::SelectNextShown() {
  const int rowCount = model()->rowCount();
  const int current = currentIndex().isValid() ? currentIndex().row() : -1;
  for (int step = 1; step <= rowCount; ++step) {
    const int row = (current + step) % rowCount;
    if (isRowHidden(row)) continue;
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
    return;
  }
}

void ListView::SetColumnSorts(bool allowed) { horizontalHeader()->setSortIndicatorShown(allowed); }

void ListView::ShowSortIndicator(std::optional<int> column, Qt::SortOrder order) {
  const QSignalBlocker quiet(horizontalHeader());
  horizontalHeader()->setSortIndicator(column.value_or(-1), order);
}

void ListView::mousePressEvent(QMouseEvent* event) {
  pressedRow_.reset();
  const int row = rowAt(event->position().toPoint().y());
  if (rowDrags_ && row >= 0 && PlainLeftPress(*event)) {
    pressedRow_ = row;
    pressPoint_ = event->position().toPoint();
    pressedOnSelection_ = selectionModel()->isRowSelected(row, {});
    // A press on the selection keeps it, as it may be the group to drag;
    // the release without a drag selects the row alone.
    if (pressedOnSelection_) {
      setFocus(Qt::MouseFocusReason);
      return;
    }
  }
  QTableView::mousePressEvent(event);
}

void ListView::mouseMoveEvent(QMouseEvent* event) {
  if (!pressedRow_ || !(event->buttons() & Qt::LeftButton)) {
    QTableView::mouseMoveEvent(event);
    return;
  }
  const QPoint point = event->position().toPoint();
  if (!dragging_ && (point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
    dragging_ = true;
    setCursor(Qt::BusyCursor);
    autoScroll_.start();
  }
  if (dragging_) dragPoint_ = point;
  // While it may still be a click, the press stays a press: no selection drawn by the move.
}

void ListView::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressedRow_ || event->button() != Qt::LeftButton) {
    QTableView::mouseReleaseEvent(event);
    return;
  }
  const int pressed = *pressedRow_;
  pressedRow_.reset();
  if (!dragging_) {
    if (pressedOnSelection_) SelectOnly(static_cast<std::size_t>(pressed));
    QTableView::mouseReleaseEvent(event);
    return;
  }
  EndDrag();
  // Let go outside the list, the drag lands nowhere, whatever row lies beyond the edge.
  const QPoint point = event->position().toPoint();
  const int row = viewport()->rect().contains(point) ? rowAt(point.y()) : -1;
  emit rowsDropped(static_cast<std::size_t>(pressed),
                   row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt);
}

void ListView::EndDrag() {
  autoScroll_.stop();
  if (dragging_) unsetCursor();
  dragging_ = false;
}

// One row a tick while the pointer is within a row's height of the top or
// bottom edge, or beyond it.
void ListView::ScrollNearEdge() {
  const int margin = verticalHeader()->defaultSectionSize();
  QScrollBar& bar = *verticalScrollBar();
  if (dragPoint_.y() < margin) {
    bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
  } else if (dragPoint_.y() > viewport()->height() - margin) {
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
  }
}

void ListView::contextMenuEvent(QContextMenuEvent* event) {
  if (popup_) popup_->popup(event->globalPos());
  event->accept();
}

}  // namespace chanora

#include "app/list_printer.h"

#include <QAbstractItemModel>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <numeric>

namespace chanora {
namespace {

constexpr int kPointSize = 9;

struct TableLayout {
  std::vector<int> columns;  // model columns, in print order
  std::vector<int> widths;   // device pixels, gaps included
  int gap = 0;
  int lineHeight = 0;
  int rowsPerPage = 1;
  int pageCount = 1;
};

QString Cell(const QAbstractItemModel& model, int row, int column) {
  return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

QString Title(const QAbstractItemModel& model, int column) {
  return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

std::vector<int> ColumnsPresent(const QAbstractItemModel& model, const std::vector<int>& wanted) {
  std::vector<int> present;
  std::copy_if(wanted.begin(), wanted.end(), std::back_inserter(present),
               [count = model.columnCount()](int column) { return column >= 0 && column < count; });
  return present;
}

int ContentWidth(const QAbstractItemModel& model, int column, const QFontMetrics& body, const QFontMetrics& bold) {
  int width = bold.horizontalAdvance(Title(model, column));
  for (int row = 0; row < model.rowCount(); ++row) {
    width = std::max(width, body.horizontalAdvance(Cell(model, row, column)));
  }
  return width;
}

TableLayout LayOut(const QAbstractItemModel& model, const std::vector<int>& columns, QPainter& painter,
                   const QFont& body, const QFont& bold, QSize page) {
  const QFontMetrics bodyMetrics(body, painter.device());
  const QFontMetrics boldMetrics(bold, painter.device());
  TableLayout layout;
  layout.columns = ColumnsPresent(model, columns);
  layout.gap = bodyMetrics.averageCharWidth() * 2;
  layout.lineHeight = bodyMetrics.lineSpacing() + bodyMetrics.lineSpacing() / 4;
  std::vector<int> wanted;
  for (int column : layout.columns) {
    wanted.push_back(ContentWidth(model, column, bodyMetrics, boldMetrics) + layout.gap);
  }
  layout.widths = FitColumnWidths(wanted, page.width());
  // The header with its rule above the rows, the page number below them.
  const int bodyHeight = page.height() - 3 * layout.lineHeight;
  layout.rowsPerPage = std::max(1, bodyHeight / layout.lineHeight);
  layout.pageCount = std::max(1, (model.rowCount() + layout.rowsPerPage - 1) / layout.rowsPerPage);
  return layout;
}

// One line of the table; `text` gives the text of the n-th printed column.
template <typename Text>
void DrawLine(QPainter& painter, const TableLayout& layout, int top, Text text) {
  int left = 0;
  for (std::size_t n = 0; n < layout.columns.size(); ++n) {
    const int width = std::max(0, layout.widths[n] - layout.gap);
    const QString shown = painter.fontMetrics().elidedText(text(layout.columns[n]), Qt::ElideRight, width);
    painter.drawText(QRect(left, top, width, layout.lineHeight), Qt::AlignLeft | Qt::AlignVCenter, shown);
    left += layout.widths[n];
  }
}

void DrawPage(QPainter& painter, const QAbstractItemModel& model, const TableLayout& layout, const QFont& body,
              const QFont& bold, int page, QSize size) {
  painter.setFont(bold);
  DrawLine(painter, layout, 0, [&model](int column) { return Title(model, column); });
  const int ruleY = layout.lineHeight + layout.lineHeight / 4;
  painter.drawLine(0, ruleY, size.width(), ruleY);

  painter.setFont(body);
  const int first = page * layout.rowsPerPage;
  const int last = std::min(model.rowCount(), first + layout.rowsPerPage);
  int top = 2 * layout.lineHeight;
  for (int row = first; row < last; ++row, top += layout.lineHeight) {
    DrawLine(painter, layout, top, [&model, row](int column) { return Cell(model, row, column); });
  }
  const QRect foot(0, size.height() - layout.lineHeight, size.width(), layout.lineHeight);
  painter.drawText(foot, Qt::AlignHCenter | Qt::AlignBottom, QString("%1 / %2").arg(page + 1).arg(layout.pageCount));
}

}  // namespace

std::vector<int> FitColumnWidths(const std::vector<int>& wanted, int available) {
  if (std::accumulate(wanted.begin(), wanted.end(), 0LL) <= available) return wanted;
  std::vector<std::size_t> narrowFirst(wanted.size());
  std::iota(narrowFirst.begin(), narrowFirst.end(), 0);
  std::stable_sort(narrowFirst.begin(), narrowFirst.end(),
                   [&wanted](std::size_t a, std::size_t b) { return wanted[a] < wanted[b]; });
  std::vector<int> widths(wanted.size(), 0);
  int left = std::max(0, available);
  for (std::size_t n = 0; n < narrowFirst.size(); ++n) {
    const int share = left / static_cast<int>(narrowFirst.size() - n);
    const int width = std::min(wanted[narrowFirst[n]], share);
    widths[narrowFirst[n]] = width;
    left -= width;
  }
  return widths;
}

bool PrintTable(const QAbstractItemModel& model, const std::vector<int>& columns, QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  QFont body;
  body.setPointSize(kPointSize);
  QFont bold = body;
  bold.setBold(true);
  const QSize page(device.width(), device.height());
  const TableLayout layout = LayOut(model, columns, painter, body, bold, page);
  for (int n = 0; n < layout.pageCount; ++n) {
    if (n > 0 && !device.newPage()) return false;
    DrawPage(painter, model, layout, body, bold, n, page);
  }
  return painter.end();
}

}  // namespace chanora

#include "app/list_table_model.h"

#include "app/icons.h"
#include "editor/list_view_model.h"

namespace chanora {

ListTableModel::ListTableModel(const ListViewModel& model, QObject* parent)
    : QAbstractTableModel(parent), model_(model), rowIcons_{TvIcon(), RadioIcon(), SectionRowIcon()} {}

int ListTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(model_.ShownRowCount());
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(model_.ShownColumns().size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (role == Qt::DisplayRole) {
    const std::string cell = model_.ShownCell(row, index.column());
    return QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size()));
  }
  if (role == Qt::DecorationRole && index.column() == 0) {
    const int icon = model_.ShownIcon(row);
    if (icon >= 0 && icon < static_cast<int>(rowIcons_.size())) return rowIcons_[static_cast<std::size_t>(icon)];
  }
  return {};
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  // A header click sorts ascending first.
  if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole) return static_cast<int>(Qt::AscendingOrder);
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  const auto columns = model_.ShownColumns();
  if (section < 0 || section >= static_cast<int>(columns.size())) return {};
  const std::string_view title = columns[static_cast<std::size_t>(section)].title;
  return QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size()));
}

int ListTableModel::ColumnWidth(int column) const {
  const auto columns = model_.ShownColumns();
  if (column < 0 || column >= static_cast<int>(columns.size())) return 0;
  return columns[static_cast<std::size_t>(column)].width;
}

void ListTableModel::Refresh() {
  beginResetModel();
  endResetModel();
}

}  // namespace chanora

#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <array>

namespace chanora {

class ListViewModel;

// The list on screen as a table: every row, column, cell and icon is asked
// of the ListViewModel when the view paints it, so nothing is copied per
// cell. Refresh after every change of the list or of the list shown.
class ListTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ListTableModel(const ListViewModel& model, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Pixels; 0 hides the column.
  int ColumnWidth(int column) const;
  void Refresh();

 private:
  const ListViewModel& model_;
  std::array<QIcon, 3> rowIcons_;  // TV channel, other channel, section record
};

}  // namespace chanora

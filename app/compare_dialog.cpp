#include "app/compare_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/window_reporter.h"
#include "document/list_tools.h"

namespace chanora {

CompareDialog::CompareDialog(ListComparison comparison, const QString& otherPath, QWidget* parent)
    : QDialog(parent), comparison_(std::move(comparison)) {
  setObjectName("compareDialog");
  setWindowTitle(QStringLiteral("Compare With ") + otherPath);
  auto* summary = new QLabel(DisplayText(ComparisonSummary(comparison_)), this);
  summary->setObjectName("compareSummary");
  auto* table = new QTableWidget(static_cast<int>(comparison_.differences.size()), 4, this);
  table->setObjectName("differences");
  table->setHorizontalHeaderLabels(
      {QStringLiteral("Kind"), QStringLiteral("Change"), QStringLiteral("Label"), QStringLiteral("Fields")});
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int row = 0; row < table->rowCount(); ++row) {
    const Difference& d = comparison_.differences[static_cast<std::size_t>(row)];
    const std::string cells[] = {std::string(ItemKindName(d.kind)), std::string(ChangeTypeName(d.type)), d.label,
                                 ChangeDetail(d)};
    for (int column = 0; column < 4; ++column) table->setItem(row, column, new QTableWidgetItem(DisplayText(cells[column])));
  }
  table->resizeColumnsToContents();
  connect(table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    emit differenceActivated(comparison_.differences[static_cast<std::size_t>(row)]);
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary);
  layout->addWidget(table);
  resize(760, 420);
}

}  // namespace chanora

#include "app/problems_dock.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/window_reporter.h"
#include "document/list_tools.h"

namespace chanora {

ProblemsDock::ProblemsDock(QWidget* parent) : QDockWidget(QStringLiteral("Problems"), parent) {
  setObjectName("problemsDock");
  auto* body = new QWidget(this);
  table_ = new QTableWidget(0, 2, body);
  table_->setObjectName("problemsList");
  table_->setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Problem")});
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  auto* copy = new QPushButton(QStringLiteral("Copy"), body);
  copy->setObjectName("copyProblems");
  connect(copy, &QPushButton::clicked, this, &ProblemsDock::Copy);
  auto* layout = new QVBoxLayout(body);
  layout->addWidget(table_);
  layout->addWidget(copy, 0, Qt::AlignRight);
  setWidget(body);
}

void ProblemsDock::ShowProblems(const std::vector<CheckProblem>& problems, const std::string& path) {
  table_->setRowCount(static_cast<int>(problems.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const CheckProblem& problem = problems[static_cast<std::size_t>(row)];
    table_->setItem(row, 0, new QTableWidgetItem(QString::number(problem.line)));
    table_->setItem(row, 1, new QTableWidgetItem(DisplayText(OneLineMessage(problem.message))));
  }
  table_->resizeColumnToContents(0);
  copied_ = ProblemsText(problems, path);
  show();
  raise();
}

void ProblemsDock::Copy() const { QGuiApplication::clipboard()->setText(DisplayText(copied_)); }

}  // namespace chanora

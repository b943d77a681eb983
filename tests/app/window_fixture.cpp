#include "tests/app/window_fixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace chanora::testing {

ModalAnswers::ModalAnswers() {
  connect(&timer_, &QTimer::timeout, this, &ModalAnswers::Answer);
  timer_.start(10);
}

void ModalAnswers::Answer() {
  QWidget* modal = QApplication::activeModalWidget();
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    boxes.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
    QAbstractButton* button = nullptr;
    if (!buttons_.empty()) {
      button = box->button(static_cast<QMessageBox::StandardButton>(buttons_.front()));
      buttons_.pop_front();
    }
    if (!button) button = box->defaultButton() ? box->defaultButton() : box->buttons().first();
    button->click();
  } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
    dialogTitles.push_back(dialog->windowTitle().toStdString());
    dialogFilters.push_back(dialog->nameFilters());
    std::optional<std::string> path;
    if (!files_.empty()) {
      path = files_.front();
      files_.pop_front();
    }
    if (path) {
      dialog->selectFile(QString::fromStdString(*path));
      QMetaObject::invokeMethod(dialog, "accept");
    } else {
      dialog->reject();
    }
  }
}

WindowTest::WindowTest(TransferSettings timing) {
  WriteBytes(demoPath, DemoListBytes());
  window = std::make_unique<MainWindow>(settings, std::move(timing));
  window->resize(1000, 700);
  window->show();
}

QAction* WindowTest::Command(const char* name) const {
  auto* action = window->findChild<QAction*>(name);
  EXPECT_NE(action, nullptr) << name;
  return action;
}

bool WindowTest::OpenFile(const std::string& path) {
  answers.ChooseFile(path);
  Command("open")->trigger();
  return window->document().Loaded() && window->document().Path() == path;
}

std::size_t WindowTest::ShownRows() const {
  auto* table = window->findChild<QTableView*>("listView");
  return static_cast<std::size_t>(table->model()->rowCount());
}

void ListViewTest::SetUp() {
  ASSERT_TRUE(OpenFile(demoPath));
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  table().setFocus();
}

ListView& ListViewTest::table() const { return *window->findChild<ListView*>("listView"); }

QPoint ListViewTest::RowPoint(int row) const {
  return {10, table().rowViewportPosition(row) + table().rowHeight(row) / 2};
}

}  // namespace chanora::testing

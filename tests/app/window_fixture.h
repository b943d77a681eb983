#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/list_view.h"
#include "app/main_window.h"
#include "document/settings.h"
#include "serial/transfer_settings.h"
#include "tests/support/temp_dir.h"

namespace chanora::testing {

// Answers the modal dialogs that the window opens, from a script: file
// dialogs get a path (cancelled once the script is used up), message boxes a
// button (their default once it is used up). Keeps every box's text.
class ModalAnswers : public QObject {
 public:
  ModalAnswers();
  void ChooseFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
  void Press(int standardButton) { buttons_.push_back(standardButton); }

  std::vector<std::string> boxes;          // "caption: text" of every message box
  std::vector<std::string> dialogTitles;   // of every file dialog
  std::vector<QStringList> dialogFilters;  // of every file dialog

 private:
  void Answer();

  QTimer timer_;
  std::deque<std::optional<std::string>> files_;
  std::deque<int> buttons_;
};

// A window over a fresh folder that holds the demo list as "demo.txt", with
// settings of its own.
class WindowTest : public ::testing::Test {
 protected:
  explicit WindowTest(TransferSettings timing = {});

  QAction* Command(const char* name) const;
  // Opens through the File menu's dialog.
  bool OpenFile(const std::string& path);
  std::size_t ShownRows() const;

  TempDir dir;
  std::string demoPath = dir.File("demo.txt");
  MemorySettings settings;
  ModalAnswers answers;
  std::unique_ptr<MainWindow> window;
};

// The window active with the demo list open and the list focused, for tests
// that click, type and drag in the list.
class ListViewTest : public WindowTest {
 protected:
  void SetUp() override;

  ListView& table() const;
  const ListViewModel& model() const { return window->document().Model(); }
  // The middle of a row's first cell, in the viewport.
  QPoint RowPoint(int row) const;
};

}  // namespace chanora::testing

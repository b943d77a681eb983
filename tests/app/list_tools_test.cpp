// The window's Problems dock, Compare With, Like Reference List and Export.

#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/compare_dialog.h"
#include "app/list_view.h"
#include "editor/list_view_model.h"
#include "tests/app/window_fixture.h"

namespace chanora::testing {
namespace {

using ListToolsWindow = WindowTest;

std::string DemoWith(std::string_view from, std::string_view to) {
  std::string bytes = DemoListBytes();
  bytes.replace(bytes.find(from), from.size(), to);
  return bytes;
}

std::string ShownName(const ListViewModel& model, std::size_t row) {
  const std::vector<Column> columns = model.ShownColumns();
  int name = 0;
  while (columns[name].title != "Name" || columns[name].width == 0) ++name;
  return model.ShownCell(row, name);
}

TEST_F(ListToolsWindow, ProblemsDockListsEveryProblemOfARefusedListAndCopiesThem) {
  auto* dock = window->findChild<QDockWidget*>("problemsDock");
  ASSERT_NE(dock, nullptr);
  EXPECT_FALSE(dock->isVisible());
  std::string bad = DemoWith("N   11300    10750", "N   113      10750");
  bad.replace(bad.find("\"Metro TV\"       1      N"), 25, "\"Metro TV\"       1      Q");
  const std::string badPath = dir.File("bad.txt");
  WriteBytes(badPath, bad);
  EXPECT_FALSE(OpenFile(badPath));
  EXPECT_TRUE(dock->isVisible());
  auto* list = dock->findChild<QTableWidget*>("problemsList");
  ASSERT_EQ(list->rowCount(), 2);
  EXPECT_EQ(list->item(0, 0)->text(), "50");
  EXPECT_EQ(list->item(1, 0)->text(), "88");
  EXPECT_EQ(list->item(1, 1)->text(), "ERROR : SYNTAX - blank !!! Y or N is OK. line number 88");

  QTest::mouseClick(dock->findChild<QPushButton*>("copyProblems"), Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            badPath + ":50: ERROR : SYNTAX - SAT LNB_HIGH frequency. 4 or 5 digit requested !!! line number 50\n" +
                badPath + ":88: ERROR : SYNTAX - blank !!! Y or N is OK. line number 88\n");

  ASSERT_TRUE(OpenFile(demoPath));
  EXPECT_FALSE(dock->isVisible());
}

TEST_F(ListToolsWindow, CompareWithShowsARowPerDifferenceAndADoubleClickSelectsTheChannel) {
  EXPECT_FALSE(Command("compareWith")->isEnabled());
  ASSERT_TRUE(OpenFile(demoPath));
  std::string other = DemoWith("\"Metro TV\"  ", "\"Metro HD\"  ");
  const std::string feedC = "29     11     4      TV       \"Feed C\"";
  other.erase(other.find(feedC), other.find('\n', other.find(feedC)) + 1 - other.find(feedC));
  WriteBytes(dir.File("other.txt"), other);
  Command("viewSatellites")->trigger();

  answers.ChooseFile(dir.File("other.txt"));
  Command("compareWith")->trigger();
  auto* dialog = window->findChild<CompareDialog*>("compareDialog");
  ASSERT_NE(dialog, nullptr);
  auto* table = dialog->findChild<QTableWidget*>("differences");
  ASSERT_EQ(table->rowCount(), 2);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  const int changed = table->item(0, 1)->text() == "changed" ? 0 : 1;
  EXPECT_EQ(table->item(changed, 0)->text(), "digital channel");
  EXPECT_EQ(table->item(changed, 3)->text().toStdString(), "name 'Metro TV' -> 'Metro HD'");
  EXPECT_EQ(table->item(1 - changed, 1)->text(), "removed");

  for (int row : {changed, 1 - changed}) {
    // A double click is a press, then the second click.
    const QPoint point = table->visualItemRect(table->item(row, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, point);
    const ListViewModel& model = window->document().Model();
    EXPECT_EQ(model.shownSection, SectionKind::None);
    EXPECT_TRUE(model.showDigital);
    const std::vector<std::size_t> selected = window->findChild<ListView*>("listView")->SelectedRows();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(ShownName(model, selected[0]), row == changed ? "Metro TV" : "Feed C");
  }

  // A refused list shows its first problem and no comparison.
  delete dialog;
  WriteBytes(dir.File("bad.txt"), DemoWith("N   11300    10750", "N   113      10750"));
  answers.ChooseFile(dir.File("bad.txt"));
  Command("compareWith")->trigger();
  EXPECT_EQ(window->findChild<CompareDialog*>("compareDialog"), nullptr);
  ASSERT_GE(answers.boxes.size(), 2u);
  EXPECT_NE(answers.boxes[answers.boxes.size() - 2].find("line number 50"), std::string::npos);
}

TEST_F(ListToolsWindow, LikeReferenceListTakesTheOrderForUndo) {
  ASSERT_TRUE(OpenFile(demoPath));
  const LineList original = window->document().Model().List();
  Command("sortName")->trigger();
  const LineList sorted = window->document().Model().List();
  ASSERT_NE(sorted, original);

  answers.ChooseFile(demoPath);
  Command("likeReference")->trigger();
  EXPECT_EQ(answers.boxes.back(), "Chanora: 35 of 35 channels matched the reference list.");
  EXPECT_EQ(window->document().Model().List(), original);
  EXPECT_EQ(Command("undo")->text().toStdString(), "Undo (1 - Like Reference List)");
  Command("undo")->trigger();
  EXPECT_EQ(window->document().Model().List(), sorted);
}

TEST_F(ListToolsWindow, ExportWritesTheShownListInTheChosenFormat) {
  ASSERT_TRUE(OpenFile(demoPath));
  Command("viewSatNameList")->trigger();
  answers.ChooseFile(dir.File("names.csv"));
  Command("exportList")->trigger();
  EXPECT_EQ(answers.dialogTitles.back(), "Export");
  EXPECT_EQ(answers.dialogFilters.back(),
            (QStringList{"CSV File(*.csv) (*.csv *.CSV)", "JSON File(*.json) (*.json *.JSON)"}));
  EXPECT_EQ(ReadBytes(dir.File("names.csv")).substr(0, 28), "Index,SAT Name\r\n1,AURORA 1\r\n");

  answers.ChooseFile(dir.File("names.json"));
  Command("exportList")->trigger();
  EXPECT_EQ(ReadBytes(dir.File("names.json")).rfind("[\n  {\n    \"Index\": \"1\",\n", 0), 0u);
}

}  // namespace
}  // namespace chanora::testing

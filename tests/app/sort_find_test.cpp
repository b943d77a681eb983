#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "app/list_view.h"
#include "editor/column_sort.h"
#include "editor/row_tables.h"
#include "tests/app/window_fixture.h"

namespace chanora::testing {
namespace {

// The demo list's digital view: rows 0-26 are digital channels, 27-29 the PID
// channels.
constexpr std::size_t kChannelRows = 27;
constexpr int kNameColumn = static_cast<int>(digital_row::kName);

class SortFind : public ListViewTest {
 protected:
  QWidget& findBar() const { return *window->findChild<QWidget*>("findBar"); }
  QLineEdit& findText() const { return *window->findChild<QLineEdit*>("findText"); }
  std::string Name(std::size_t row) const { return model().ShownCell(row, kNameColumn); }

  void ClickHeader(int column) {
    QHeaderView& header = *table().horizontalHeader();
    const QPoint point(header.sectionViewportPosition(column) + header.sectionSize(column) / 2, header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, point);
  }
  void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(table().viewport(), Qt::LeftButton, modifiers, RowPoint(row));
  }
  std::vector<std::size_t> ShownRowNumbers() const {
    std::vector<std::size_t> rows;
    for (int row = 0; row < table().model()->rowCount(); ++row) {
      if (!table().isRowHidden(row)) rows.push_back(static_cast<std::size_t>(row));
    }
    return rows;
  }
  void Find(const char* text) {
    QTest::keyClick(&table(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(&findText(), text);
  }
};

// Names of rows [begin, end) in order, compared as a column sort does.
bool NamesInOrder(const ListViewModel& model, std::size_t begin, std::size_t end, bool ascending) {
  for (std::size_t row = begin + 1; row < end; ++row) {
    const QString before = QString::fromStdString(model.ShownCell(row - 1, kNameColumn)).toUpper();
    const QString after = QString::fromStdString(model.ShownCell(row, kNameColumn)).toUpper();
    if (ascending ? after < before : before < after) return false;
  }
  return true;
}

TEST_F(SortFind, HeaderClickSortsAscendingThenDescendingAndUndoRestores) {
  const LineList original = model().List();
  const QHeaderView& header = *table().horizontalHeader();
  ClickHeader(kNameColumn);
  EXPECT_TRUE(NamesInOrder(model(), 0, kChannelRows, true));
  EXPECT_TRUE(NamesInOrder(model(), kChannelRows, ShownRows(), true));
  EXPECT_EQ(Name(kChannelRows), "Feed B");  // the PID channels stay after the others
  EXPECT_EQ(header.sortIndicatorSection(), kNameColumn);
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
  EXPECT_EQ(Command("undo")->text(), "Undo (1 - Sort by column)");

  ClickHeader(kNameColumn);
  EXPECT_TRUE(NamesInOrder(model(), 0, kChannelRows, false));
  EXPECT_EQ(Name(kChannelRows), "Tide Radio");
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);

  Command("undo")->trigger();
  Command("undo")->trigger();
  EXPECT_EQ(model().List(), original);
  EXPECT_EQ(header.sortIndicatorSection(), -1);

  Command("viewSatellites")->trigger();  // a section list has no header sort
  ClickHeader(1);
  EXPECT_EQ(model().List(), original);
  EXPECT_FALSE(Command("undo")->isEnabled());
}

TEST_F(SortFind, FindFiltersF3MovesAndEscapeClears) {
  Find("radio");
  EXPECT_TRUE(findBar().isVisible());
  const std::vector<std::size_t> matches = RowsContaining(model(), "radio");
  ASSERT_GE(matches.size(), 3u);
  EXPECT_EQ(ShownRowNumbers(), matches);

  QTest::keyClick(&findText(), Qt::Key_F3);
  EXPECT_EQ(table().SelectedRows(), std::vector<std::size_t>{matches[0]});
  QTest::keyClick(&findText(), Qt::Key_F3);
  EXPECT_EQ(table().SelectedRows(), std::vector<std::size_t>{matches[1]});
  EXPECT_EQ(ShownRows(), 30u);  // F3 in the box finds; it does not cut
  EXPECT_FALSE(Command("undo")->isEnabled());

  Command("viewAnalog")->trigger();  // the filter follows the view shown
  EXPECT_EQ(ShownRowNumbers(), RowsContaining(model(), "radio"));
  Command("viewDigital")->trigger();

  QTest::keyClick(&findText(), Qt::Key_Escape);
  EXPECT_FALSE(findBar().isVisible());
  EXPECT_EQ(ShownRowNumbers().size(), ShownRows());
  EXPECT_TRUE(table().hasFocus());
}

TEST_F(SortFind, WhileFilteredEditsTakeTheSelectedRecordsOnlyAndDragsAreRefused) {
  Find("nordic");
  const std::vector<std::size_t> matches = ShownRowNumbers();
  ASSERT_EQ(matches, (std::vector<std::size_t>{3, 4}));  // Nordic Film, Nordic Docs

  // A drag between the two shown rows moves nothing.
  const LineList before = model().List();
  QWidget* viewport = table().viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, RowPoint(3));
  QTest::mouseMove(viewport, (RowPoint(3) + RowPoint(4)) / 2);
  QTest::mouseMove(viewport, RowPoint(4));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, RowPoint(4));
  EXPECT_EQ(model().List(), before);

  Click(4);
  Command("delete")->trigger();
  EXPECT_EQ(ShownRows(), 29u);
  EXPECT_EQ(Name(3), "Nordic Film");
  EXPECT_EQ(Name(4), "Aurora FM");
  EXPECT_EQ(ShownRowNumbers(), std::vector<std::size_t>{3});

  // A range selected across hidden rows takes only the shown ones.
  Find("ic");
  const std::vector<std::size_t> found = ShownRowNumbers();
  ASSERT_EQ(found.size(), 3u);  // Nordic Film, Classic 88 and Music Box, Aurora FM between the first two
  ASSERT_GT(found[1], found[0] + 1);
  const std::string between = Name(found[0] + 1);
  Click(static_cast<int>(found[0]));
  Click(static_cast<int>(found[1]), Qt::ShiftModifier);
  Command("delete")->trigger();
  EXPECT_EQ(ShownRows(), 27u);
  EXPECT_EQ(Name(found[0]), between);
}

}  // namespace
}  // namespace chanora::testing

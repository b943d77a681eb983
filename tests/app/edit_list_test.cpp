#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>

#include "app/list_view.h"
#include "tests/app/window_fixture.h"

namespace chanora::testing {
namespace {

// The demo list's digital view: rows 0-26 are digital channels, 27-29 the PID
// channels "Feed B", "Feed C" and "Tide Radio".
constexpr int kDigitalRows = 30;
constexpr int kFirstPidRow = 27;

class EditList : public ListViewTest {
 protected:
  std::string Name(int row) const { return model().ShownCell(static_cast<std::size_t>(row), 5); }

  void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
    table().scrollTo(table().model()->index(row, 0), QAbstractItemView::PositionAtCenter);
    QTest::mouseClick(table().viewport(), Qt::LeftButton, modifiers, RowPoint(row));
  }
  void Drag(int from, int to) {
    QWidget* viewport = table().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, RowPoint(from));
    QTest::mouseMove(viewport, (RowPoint(from) + RowPoint(to)) / 2);
    QTest::mouseMove(viewport, RowPoint(to));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, RowPoint(to));
  }
  std::vector<std::size_t> Selected() const { return table().SelectedRows(); }
};

TEST_F(EditList, TheEditMenuIsThePopUpWithItsTextsAndKeys) {
  auto* menu = window->findChild<QMenu*>("editChannelMenu");
  QStringList texts;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text() + "|" + action->shortcut().toString();
  }
  EXPECT_EQ(texts, (QStringList{"&New (F2)|F2", "&Cut (F3)|F3", "&Paste (F4)|F4", "&Insert Null|Ins", "&Delete|Del",
                                "Undo Disable|"}));
  EXPECT_FALSE(Command("paste")->isEnabled());
  EXPECT_FALSE(Command("undo")->isEnabled());

  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, RowPoint(3), table().viewport()->mapToGlobal(RowPoint(3)));
  QApplication::sendEvent(table().viewport(), &rightClick);
  EXPECT_EQ(QApplication::activePopupWidget(), menu);
  menu->close();
}

TEST_F(EditList, DeleteByMenuAndKeyThenUndoPutsTheListBack) {
  const LineList original = model().List();
  Click(0);
  Click(2, Qt::ControlModifier);
  Command("delete")->trigger();
  EXPECT_EQ(ShownRows(), kDigitalRows - 2u);
  EXPECT_EQ(Name(0), "Aurora Two");
  EXPECT_EQ(Name(1), "Nordic Film");
  EXPECT_EQ(Selected(), std::vector<std::size_t>{0});
  EXPECT_EQ(Command("undo")->text(), "Undo (1 - Delete Channel)");

  QTest::keyClick(&table(), Qt::Key_Down, Qt::ShiftModifier);  // rows 0 and 1
  QTest::keyClick(&table(), Qt::Key_Delete);
  EXPECT_EQ(Name(0), "Nordic Docs");
  EXPECT_EQ(Command("undo")->text(), "Undo (2 - Delete Channel)");

  Command("undo")->trigger();
  EXPECT_EQ(Name(0), "Aurora Two");
  Command("undo")->trigger();
  EXPECT_EQ(model().List(), original);
  EXPECT_EQ(Command("undo")->text(), "Undo Disable");
  EXPECT_FALSE(Command("undo")->isEnabled());
}

TEST_F(EditList, CutAndPasteByKeysMoveRecordsOfTheirOwnKind) {
  Click(2);                                   // "Aurora Kids"
  Click(kFirstPidRow + 1, Qt::ControlModifier);  // "Feed C"
  EXPECT_EQ(Selected(), (std::vector<std::size_t>{2, kFirstPidRow + 1}));
  QTest::keyClick(&table(), Qt::Key_F3);
  EXPECT_EQ(ShownRows(), kDigitalRows - 2u);
  EXPECT_TRUE(Command("paste")->isEnabled());
  Command("viewAnalog")->trigger();  // nothing analog was cut
  EXPECT_FALSE(Command("paste")->isEnabled());
  Command("viewDigital")->trigger();

  Click(0);
  QTest::keyClick(&table(), Qt::Key_F4);  // a digital row takes the digital record, before it
  EXPECT_EQ(Name(0), "Aurora Kids");
  EXPECT_EQ(Name(1), "Aurora One");
  EXPECT_TRUE(Command("paste")->isEnabled());  // "Feed C" waits for a PID row
  EXPECT_EQ(Command("undo")->text(), "Undo (2 - Paste Channel)");
}

TEST_F(EditList, InsertNullPutsNullRecordsAfterTheFirstSelectedRow) {
  Click(4);
  Click(9, Qt::ControlModifier);
  QTest::keyClick(&table(), Qt::Key_Insert);
  EXPECT_EQ(ShownRows(), kDigitalRows + 2u);
  EXPECT_EQ(Name(4), "Nordic Docs");
  for (int row : {5, 6}) {
    EXPECT_EQ(model().ShownCell(row, 3), "0000") << row;
    EXPECT_EQ(model().ShownCell(row, 1), model().ShownCell(4, 1)) << row;  // its TP
  }
  EXPECT_EQ(Name(7), "Aurora FM");
  EXPECT_EQ(Selected(), std::vector<std::size_t>{4});
}

TEST_F(EditList, RowsScrolledOutOfViewTakePartAndTheViewKeepsItsPlace) {
  window->resize(700, 300);
  QApplication::processEvents();
  Click(0);
  Click(kDigitalRows - 1, Qt::ControlModifier);  // scrolls to the bottom
  ASSERT_LT(table().rowViewportPosition(0), 0);
  const int place = table().verticalScrollBar()->value();
  ASSERT_GT(place, 0);

  QTest::keyClick(&table(), Qt::Key_Delete);
  EXPECT_EQ(ShownRows(), kDigitalRows - 2u);
  EXPECT_EQ(Name(0), "Aurora Two");
  EXPECT_EQ(Name(kDigitalRows - 3), "Feed C");
  EXPECT_EQ(Selected(), std::vector<std::size_t>{0});
  EXPECT_EQ(table().verticalScrollBar()->value(), std::min(place, table().verticalScrollBar()->maximum()));
}

TEST_F(EditList, AGroupDragMovesTheSelectedRunAsOneUndoableStep) {
  Click(2);
  Click(4, Qt::ShiftModifier);
  Drag(3, 7);
  EXPECT_EQ(Name(4), "Aurora Kids");
  EXPECT_EQ(Name(5), "Nordic Film");
  EXPECT_EQ(Name(6), "Nordic Docs");
  EXPECT_EQ(Name(2), "Aurora FM");
  EXPECT_EQ(model().ShownCell(2, 0), "3");  // renumbered
  EXPECT_EQ(Selected(), std::vector<std::size_t>{6});
  EXPECT_EQ(Command("undo")->text(), "Undo (1 - Group Move)");

  // Near the bottom edge the list scrolls while the drag goes on.
  window->resize(700, 300);
  QApplication::processEvents();
  table().scrollToTop();
  QWidget* viewport = table().viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, RowPoint(1));
  QTest::mouseMove(viewport, QPoint(10, viewport->height() - 2));
  EXPECT_EQ(table().cursor().shape(), Qt::BusyCursor);
  QTest::qWait(300);
  EXPECT_GT(table().verticalScrollBar()->value(), 0);
  const LineList dragged = model().List();
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() + 50));  // outside the list
  EXPECT_EQ(model().List(), dragged);
  EXPECT_EQ(table().cursor().shape(), Qt::ArrowCursor);

  table().scrollToTop();
  Drag(6, 3);  // one row selected: it moves alone, outside the undo history
  EXPECT_EQ(Name(3), "Nordic Docs");
  EXPECT_EQ(Selected(), std::vector<std::size_t>{3});
  EXPECT_EQ(Command("undo")->text(), "Undo (1 - Group Move)");
}

TEST_F(EditList, DragsAcrossIntoThePidChannelsOrInASectionListMoveNothing) {
  const LineList original = model().List();
  Click(kFirstPidRow - 1);
  Drag(kFirstPidRow - 1, kFirstPidRow);
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_EQ(answers.boxes[0],
            "Chanora: Drag Only possible \n\nWhen drag region and drop region are same section.\n(channel/pid "
            "channel)!!\n");
  EXPECT_EQ(model().List(), original);

  Command("viewSatellites")->trigger();
  Click(0);
  Drag(0, 2);
  Command("viewDigital")->trigger();
  EXPECT_EQ(model().List(), original);
}

TEST_F(EditList, ClosingAfterAnEditAsksAndSavesOnlyOnYes) {
  Click(0);
  Command("delete")->trigger();
  answers.Press(QMessageBox::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(answers.boxes.back(), "Saving: Saveing  Modified Data!!!");
  answers.Press(QMessageBox::No);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(ReadBytes(demoPath), DemoListBytes());

  window = std::make_unique<MainWindow>(settings);
  window->show();
  ASSERT_TRUE(OpenFile(demoPath));
  table().SelectOnly(0);
  Command("delete")->trigger();
  answers.Press(QMessageBox::Yes);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(answers.boxes.size(), 3u);
  EXPECT_EQ(ReadBytes(demoPath).find("Aurora One"), std::string::npos);
}

}  // namespace
}  // namespace chanora::testing

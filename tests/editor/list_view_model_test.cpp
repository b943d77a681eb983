#include "editor/list_change.h"
#include "editor/structure_edits.h"
#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using ListView = EditorTest;

Strings Row(const ListViewModel& model, std::size_t row) {
  Strings cells;
  for (std::size_t column = 0; column < model.ShownColumns().size(); ++column) {
    cells.push_back(model.ShownCell(row, static_cast<int>(column)));
  }
  return cells;
}

// 10 digital channels D0..D9 and 4 PID channels P0..P3 on one TP: rows 0-9
// are digital, rows 10-13 PID.
LineList ChannelList() {
  LineList list = {"SATELLITE START", "0", "S", "N",     "10600", "9750", "0", "0",           "SATELLITE END",
                   "DIGITAL START",   "1", "0", "11778", "27500", "V",    "B", "DIGITAL END", "CHANNEL START"};
  for (int i = 0; i < 10; ++i) {
    list.insert(list.end(),
                {"0", "1", "0", std::to_string(100 + i), i % 3 ? "TV" : "RADIO", "D" + std::to_string(i), "1", "N"});
  }
  list.insert(list.end(), {"CHANNEL END", "CHANNEL_PID START"});
  for (int i = 0; i < 4; ++i) {
    list.insert(list.end(), {"0", "1", "0", "TV", "P" + std::to_string(i), "100", "2", "3", "1", "N"});
  }
  list.push_back("CHANNEL_PID END");
  return list;
}

// The names of the digital view's rows, in order.
std::string Names(const ListViewModel& model) {
  std::string names;
  for (std::size_t row = 0; row < model.ShownRowCount(); ++row) names += model.ShownCell(row, 5) + " ";
  return names;
}

TEST_F(ListView, ChannelRowsJoinTheirTpAndSatelliteByExactIndex) {
  LineList list = SmallList();
  list[RecordStart(list, SectionKind::Channel, 0) + 4] = "tv";
  Start(list);
  // TP "07" is not TP "7": PHOENIX's TP cells stay empty and nothing shifts.
  EXPECT_EQ(Row(model, 1), (Strings{"2", "07", "2", "0002", "TV", "PHOENIX", "",     "",      "",  "1",
                                    "N", "",   "",  "",     "",   "ASTRA",   "9750", "10600", "2", "-0450"}));
  EXPECT_EQ(Row(model, 3), (Strings{"4", "3",     "1",     "",  "TV",  "RAI UNO", "512",  "650",   "8190", "1",
                                    "N", "10832", "22000", "H", "RAI", "HOTBIRD", "9750", "10600", "1",    "0130"}));
  EXPECT_EQ(model.ShownIcon(0), 1);  // "tv" is not TV
  EXPECT_EQ(model.ShownIcon(1), 0);
  model.showDigital = false;
  EXPECT_EQ(Row(model, 2)[18], "");  // satellite 9 does not exist
}

TEST_F(ListView, SectionListsShowDegreesInDisplayFormAndNameAMissingMarker) {
  LineList list = SmallList();
  list.erase(list.begin());  // SAT_NAME START
  list.erase(std::find(list.begin(), list.end(), "CHANNEL_PID END"));
  Start(list);
  model.shownSection = SectionKind::Satellite;
  EXPECT_EQ(model.ShownCell(2, 6), "W045.0");
  EXPECT_EQ(model.ShownCell(1, 1), "HOTBIRD");
  EXPECT_EQ(model.ShownCell(4, 0), "");  // beyond the list: empty
  EXPECT_EQ(model.ShownCell(0, 7), "");
  EXPECT_EQ(model.ShownListProblem(), std::nullopt);
  model.shownSection = SectionKind::SatName;
  EXPECT_EQ(model.ShownRowCount(), 0u);
  EXPECT_EQ(model.ShownListProblem(), "Can't find \" SAT_NAME START \" ");
  model.shownSection = SectionKind::ChannelPid;
  EXPECT_EQ(model.ShownListProblem(), "Can't find \" CHANNEL_PID END \" ");
}

TEST_F(ListView, ModifiedOnlyWhileTheListDiffersFromTheSavedOne) {
  Start(ChannelList());  // its channels all numbered 0: the renumbering of a load is nothing to save
  EXPECT_NE(model.List(), ChannelList());
  EXPECT_FALSE(model.Modified());

  EXPECT_FALSE(MoveRow(model, 3, 4, reporter));  // onto the row below: nothing moves
  EXPECT_FALSE(model.Modified());
  ASSERT_TRUE(MoveRow(model, 4, 3, reporter));
  EXPECT_TRUE(model.Modified());
  ASSERT_TRUE(MoveRow(model, 4, 3, reporter));  // dragged back
  EXPECT_FALSE(model.Modified());

  ASSERT_TRUE(DeleteRows(model, {0}));
  ASSERT_TRUE(DeleteRows(model, {0}));
  EXPECT_TRUE(model.Modified());
  ASSERT_TRUE(model.Undo());
  model.MarkSaved();
  EXPECT_FALSE(model.Modified());
  ASSERT_TRUE(model.Undo());  // back before the save
  EXPECT_TRUE(model.Modified());

  model.Reset(ChannelList());
  EXPECT_EQ(model.List(), original);
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(model.History().MenuText(), "Undo Disable");
}

TEST_F(ListView, DeleteInsertCutAndPasteTakeEverySelectedRow) {
  Start(ChannelList());
  ASSERT_TRUE(DeleteRows(model, {2, 5, 6}));
  EXPECT_EQ(Names(model), "D0 D1 D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.ShownCell(7, 0), "8");  // renumbered, the PID channels going on with the count

  ASSERT_TRUE(InsertNullRows(model, {1, 6}));
  EXPECT_EQ(Names(model), "D0 D1 _ _ D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(Record(SectionKind::Channel, 2), (Strings{"3", "1", "0", "0000", "TV", "_", "1", "Y"}));

  ASSERT_TRUE(CutRows(model, {0, 10}));  // a digital channel and a PID channel
  EXPECT_EQ(Names(model), "D1 _ _ D3 D4 D7 D8 D9 P0 P2 P3 ");
  ASSERT_TRUE(PasteRows(model, {9}));  // on a PID row: only the PID record comes back, before it
  EXPECT_EQ(Names(model), "D1 _ _ D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_FALSE(PasteRows(model, {9}));  // pasted once: nothing to paste, nothing recorded
  EXPECT_EQ(model.History().MenuText(), "Undo (4 - Paste Channel)");

  const LineList before = model.List();
  model.shownSection = SectionKind::Channel;  // a section list: the edits do nothing
  EXPECT_FALSE(DeleteRows(model, {0}));
  EXPECT_FALSE(InsertNullRows(model, {0}));
  EXPECT_EQ(model.List(), before);
}

TEST_F(ListView, DragsMoveRowsWithinTheirSectionOnly) {
  Start(ChannelList());
  ASSERT_TRUE(MoveRow(model, 4, 3, reporter));
  EXPECT_EQ(Names(model), "D0 D1 D2 D4 D3 D5 D6 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.History().UndoDepth(), 0u);

  // A group keeps its order and lands above the drop row when dragged down,
  // on it when dragged up.
  ASSERT_TRUE(MoveRows(model, {2, 3, 4}, 3, 7, reporter));
  EXPECT_EQ(Names(model), "D0 D1 D5 D6 D2 D4 D3 D7 D8 D9 P0 P1 P2 P3 ");
  ASSERT_TRUE(MoveRows(model, {6, 7}, 7, 1, reporter));
  EXPECT_EQ(Names(model), "D0 D3 D7 D1 D5 D6 D2 D4 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.History().MenuText(), "Undo (2 - Group Move)");

  const LineList before = model.List();
  EXPECT_FALSE(MoveRow(model, 9, 10, reporter));
  EXPECT_FALSE(MoveRows(model, {8, 9}, 8, 11, reporter));  // the whole group or nothing
  EXPECT_FALSE(MoveRows(model, {1, 3}, 1, 6, reporter));   // a selection with gaps
  EXPECT_FALSE(MoveRows(model, {2, 3}, 2, 4, reporter));   // onto the row below the run: nothing moves
  EXPECT_EQ(model.List(), before);
  EXPECT_EQ(reporter.messages, Strings(2,
                                       "Drag Only possible \n\nWhen drag region and drop region are same section.\r\n"
                                       "(channel/pid channel)!!\r\n"));
  EXPECT_EQ(model.History().UndoDepth(), 2u);
}

TEST_F(ListView, UndoKeepsTheNewestFiveChangesByName) {
  Start(ChannelList());
  std::vector<LineList> states{model.List()};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(DeleteRows(model, {0}));
    states.push_back(model.List());
  }
  EXPECT_EQ(model.History().MenuText(), "Undo (5 - Delete Channel)");

  // A change given up, even after writing and at full depth, leaves no
  // trace: the list as it was, the record it pushed out given back.
  {
    ListChange change(model, "Setting channel");
    change.List().clear();
  }
  EXPECT_EQ(model.List(), states[6]);
  EXPECT_EQ(model.ShownRowCount(), 8u);

  for (std::size_t i = 5; i >= 1; --i) {
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(model.List(), states[i]);
  }
  EXPECT_EQ(model.History().MenuText(), "Undo Disable");
  EXPECT_FALSE(model.Undo());
  EXPECT_TRUE(model.Modified());  // the first deletion is out of reach

  // A change not recorded for undo keeps what it wrote, committed or not,
  // and the rows follow it.
  {
    ListChange change(model);
    const auto first = static_cast<std::ptrdiff_t>(model.RecordStartOfRow(0, true));
    change.List().erase(change.List().begin() + first, change.List().begin() + first + 8);
  }
  EXPECT_EQ(Names(model), "D2 D3 D4 D5 D6 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.ShownCell(0, 0), "1");
}

}  // namespace
}  // namespace chanora::testing

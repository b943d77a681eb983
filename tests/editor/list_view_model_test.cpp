#include "editor/structure_edits.h"
#include "engine/list_engine.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/temp_dir.h"

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

TEST_F(ListView, ChannelRowsJoinTheirTpAndSatelliteByExactIndex) {
  LineList list = SmallList();
  list[RecordStart(list, SectionKind::Channel, 0) + 4] = "tv";
  Start(list);
  // TP "07" is not TP "7": PHOENIX's TP cells stay empty and nothing shifts.
  EXPECT_EQ(Row(model, 1), (Strings{"2", "07", "2", "0002", "TV", "PHOENIX", "", "", "", "1", "N", "", "", "", "",
                                    "ASTRA", "9750", "10600", "2", "-0450"}));
  EXPECT_EQ(Row(model, 3), (Strings{"4", "3", "1", "", "TV", "RAI UNO", "512", "650", "8190", "1", "N", "10832",
                                    "22000", "H", "RAI", "HOTBIRD", "9750", "10600", "1", "0130"}));
  EXPECT_EQ(model.ShownIcon(0), 1);  // "tv" is not TV
  EXPECT_EQ(model.ShownIcon(1), 0);
  model.showDigital = false;
  EXPECT_EQ(Row(model, 2)[18], "");  // satellite 9 does not exist
}

TEST_F(ListView, SectionListsShowDegreesInDisplayFormAndNameAMissingMarker) {
  LineList list = SmallList();
  list.erase(list.begin());  // SAT_NAME START
  Start(list);
  model.shownSection = SectionKind::Satellite;
  EXPECT_EQ(model.ShownCell(2, 6), "W045.0");
  EXPECT_EQ(model.ShownListProblem(), std::nullopt);
  model.shownSection = SectionKind::SatName;
  EXPECT_EQ(model.ShownRowCount(), 0u);
  EXPECT_EQ(model.ShownListProblem(), "Can't find \" SAT_NAME START \" ");
}

TEST_F(ListView, LoadTakesOnlyAListThatReadsAndCloseSavesOnYes) {
  TempDir dir;
  WriteBytes(dir.File("list.txt"), DemoListBytes());
  WriteBytes(dir.File("bad.txt"), "1 2 3\r\n");
  ListEngine engine(reporter);
  Start();
  model.modified = true;
  EXPECT_FALSE(model.Load(engine, dir.File("bad.txt"), 32));
  EXPECT_EQ(model.list, original);
  ASSERT_TRUE(model.Load(engine, dir.File("list.txt"), 32));
  EXPECT_EQ(model.ShownRowCount(), 30u);
  EXPECT_TRUE(model.SaveQuestionOnClose(engine, dir.File("list.txt"), reporter));
  EXPECT_TRUE(reporter.questions.empty());  // nothing changed since the load, nothing asked

  ASSERT_TRUE(MoveRow(model, 1, 0, reporter));  // not in the undo history, a change all the same
  EXPECT_TRUE(model.SaveQuestionOnClose(engine, dir.File("list.txt"), reporter));  // answered No
  EXPECT_EQ(reporter.questions, Strings{"Saving: Saveing  Modified Data!!!"});
  EXPECT_EQ(ReadBytes(dir.File("list.txt")), DemoListBytes());
  reporter.answers = {Answer::Yes};
  EXPECT_TRUE(model.SaveQuestionOnClose(engine, dir.File("list.txt"), reporter));
  EXPECT_FALSE(model.modified);
  const auto saved = engine.Load(dir.File("list.txt"), 32);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->list[model.RecordStartOfRow(0, true) + 5], "Aurora Two");
}

// 10 digital channels D0..D9 and 4 PID channels P0..P3 on one TP: rows 0-9
// are digital, rows 10-13 PID.
LineList ChannelList() {
  LineList list = {"SATELLITE START", "0", "S", "N", "10600", "9750", "0", "0", "SATELLITE END", "DIGITAL START",
                   "1", "0", "11778", "27500", "V", "B", "DIGITAL END", "CHANNEL START"};
  for (int i = 0; i < 10; ++i) {
    list.insert(list.end(), {"0", "1", "0", std::to_string(100 + i), i % 3 ? "TV" : "RADIO", "D" + std::to_string(i),
                             "1", "N"});
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

TEST_F(ListView, DeleteInsertCutAndPasteTakeEverySelectedRow) {
  Start(ChannelList());
  ASSERT_TRUE(DeleteRows(model, {2, 5, 6}));
  EXPECT_EQ(Names(model), "D0 D1 D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.ShownCell(7, 0), "8");  // renumbered, the PID channels going on with the count

  ASSERT_TRUE(InsertNullRows(model, {1, 6}));
  EXPECT_EQ(Names(model), "D0 D1 _ _ D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(RecordOf(model.list, SectionKind::Channel, 2), (Strings{"3", "1", "0", "0000", "TV", "_", "1", "Y"}));

  ASSERT_TRUE(CutRows(model, {0, 10}));  // a digital channel and a PID channel
  EXPECT_EQ(Names(model), "D1 _ _ D3 D4 D7 D8 D9 P0 P2 P3 ");
  ASSERT_TRUE(PasteRows(model, {9}));  // on a PID row: only the PID record comes back, before it
  EXPECT_EQ(Names(model), "D1 _ _ D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_FALSE(PasteRows(model, {9}));  // pasted once; the asked-for paste is still recorded
  EXPECT_EQ(model.undo.MenuText(), "Undo (5 - Paste Channel)");

  const LineList before = model.list;
  model.shownSection = SectionKind::Channel;  // a section list: the edits do nothing
  EXPECT_FALSE(DeleteRows(model, {0}));
  EXPECT_FALSE(InsertNullRows(model, {0}));
  EXPECT_EQ(model.list, before);
}

TEST_F(ListView, DragsMoveRowsWithinTheirSectionOnly) {
  Start(ChannelList());
  MoveRow(model, 3, 4, reporter);  // onto the row below: the order stays
  ASSERT_TRUE(MoveRow(model, 4, 3, reporter));
  EXPECT_EQ(Names(model), "D0 D1 D2 D4 D3 D5 D6 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.undo.UndoDepth(), 0u);

  // A group keeps its order and lands above the drop row when dragged down,
  // on it when dragged up.
  ASSERT_TRUE(MoveRows(model, {2, 3, 4}, 3, 7, reporter));
  EXPECT_EQ(Names(model), "D0 D1 D5 D6 D2 D4 D3 D7 D8 D9 P0 P1 P2 P3 ");
  ASSERT_TRUE(MoveRows(model, {6, 7}, 7, 1, reporter));
  EXPECT_EQ(Names(model), "D0 D3 D7 D1 D5 D6 D2 D4 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.undo.MenuText(), "Undo (2 - Group Move)");

  const LineList before = model.list;
  EXPECT_FALSE(MoveRow(model, 9, 10, reporter));
  EXPECT_FALSE(MoveRows(model, {8, 9}, 8, 11, reporter));  // the whole group or nothing
  EXPECT_FALSE(MoveRows(model, {1, 3}, 1, 6, reporter));    // a selection with gaps
  EXPECT_EQ(model.list, before);
  EXPECT_EQ(reporter.messages,
            Strings(2, "Drag Only possible \n\nWhen drag region and drop region are same section.\r\n"
                       "(channel/pid channel)!!\r\n"));
  EXPECT_EQ(model.undo.UndoDepth(), 2u);
}

TEST_F(ListView, UndoKeepsTheNewestFiveChangesByName) {
  Start(ChannelList());
  std::vector<LineList> states{model.list};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(DeleteRows(model, {0}));
    states.push_back(model.list);
  }
  EXPECT_EQ(model.undo.MenuText(), "Undo (5 - Delete Channel)");
  for (std::size_t i = 5; i >= 1; --i) {
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(model.list, states[i]);
  }
  EXPECT_EQ(model.undo.MenuText(), "Undo Disable");
  EXPECT_FALSE(model.Undo());

  // A change given up at full depth gives back the record it pushed out.
  for (int i = 0; i < 5; ++i) model.RecordUndo("Cut Channel");
  model.RecordUndo("Setting channel");
  model.DiscardNewestUndo();
  EXPECT_EQ(model.undo.MenuText(), "Undo (5 - Cut Channel)");
}

}  // namespace
}  // namespace chanora::testing

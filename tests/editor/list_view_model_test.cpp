#include "editor/structure_edits.h"
#include "engine/list_db.h"
#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

const std::string kSmallList = CrLfLines({
    "[SATELLITE]",
    R"(0 "AURORA 1" N 10600 9750 0 192)",
    R"(1 "BOREAL 3" N 10600 9750 1 -300)",
    "[DIGITAL TP]",
    R"(07 0 11778 27500 V "MIX")",
    R"(8 1 12187 22000 H "NEWS")",
    "[DIGITAL CHANNEL]",
    R"(1 7 0 1001 TV "On TP 7" 1 N)",
    R"(2 8 1 1002 tv "Lower tv" 2 N)",
    R"(3 8 9 1003 RADIO "No sat" 1 N)",
    "[DIGITAL PID CHANNEL]",
    R"(9 8 1 TV "Feed" 512 650 512 1 N)",
    "[ANALOG TP]",
    R"(1 1 11265 KU "Analog" 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV N)",
    "[END]",
});

using ListView = EditorTest;

std::vector<std::string> Row(const ListViewModel& model, std::size_t row) {
  std::vector<std::string> cells;
  for (std::size_t column = 0; column < model.ShownColumns().size(); ++column) {
    cells.push_back(model.ShownCell(row, static_cast<int>(column)));
  }
  return cells;
}

TEST_F(ListView, ChannelRowsCarryTheirTpAndSatelliteOrEmptyCells) {
  ListViewModel model = ModelFromText(kSmallList);
  ASSERT_EQ(model.ShownRowCount(), 4u);
  // TP "7" finds no TP "07": exact texts; the cells stay empty, nothing shifts.
  EXPECT_EQ(Row(model, 0), (std::vector<std::string>{"1", "7", "0", "1001", "TV", "On TP 7", "", "", "", "1", "N", "",
                                                     "", "", "", "AURORA 1", "10600", "9750", "0", "192"}));
  EXPECT_EQ(Row(model, 2)[14], "NEWS");
  EXPECT_EQ(Row(model, 2)[15], "");
  EXPECT_EQ(Row(model, 3), (std::vector<std::string>{"4", "8", "1", "", "TV", "Feed", "512", "650", "512", "1", "N",
                                                     "12187", "22000", "H", "NEWS", "BOREAL 3", "10600", "9750", "1",
                                                     "-300"}));
  EXPECT_EQ(model.ShownIcon(0), 0);
  EXPECT_EQ(model.ShownIcon(1), 1);  // "tv" is not TV
  EXPECT_EQ(model.RowSection(3, true), CHANNEL_PID);

  model.showDigital = false;
  ASSERT_EQ(model.ShownRowCount(), 1u);
  EXPECT_EQ(model.ShownColumns().size(), 23u);
  EXPECT_EQ(Row(model, 0)[18], "BOREAL 3");
}

TEST_F(ListView, SectionListsShowRecordsWithDegreesInDisplayForm) {
  ListViewModel model = ModelFromText(kSmallList);
  model.shownSection = SATELLITE;
  EXPECT_EQ(model.ShownRowCount(), 2u);
  EXPECT_EQ(model.ShownCell(1, 6), "W030.0");
  EXPECT_EQ(model.ShownIcon(0), 2);
  EXPECT_EQ(model.ShownListProblem(), std::nullopt);
  model.shownSection = SAT_NAME;
  EXPECT_EQ(model.ShownRowCount(), 0u);
  EXPECT_EQ(model.ShownListProblem(), "Can't find \" SAT_NAME START \" ");
}

TEST_F(ListView, ViewDetailShowsTheTypeColumnForGood) {
  ListViewModel model;
  auto typeWidth = [&model] { return model.ShownColumns()[4].width; };
  EXPECT_EQ(typeWidth(), 0);
  model.ToggleDetail();
  EXPECT_EQ(typeWidth(), 70);
  model.ToggleDetail();
  EXPECT_EQ(typeWidth(), 70);
  model.showDigital = false;
  EXPECT_EQ(model.ShownColumns()[16].width, 50);
}

TEST_F(ListView, OnlyAListThatReadsReplacesTheOneHeld) {
  TempDir dir;
  WriteBytes(dir.File("good.txt"), DemoListBytes());
  WriteBytes(dir.File("bad.txt"), "1 2 3\r\n");
  ListViewModel model = ModelFromText(kSmallList);
  const LineList before = model.list;
  CListDB bad(dir.File("bad.txt"), reporter);
  EXPECT_FALSE(model.Load(bad));
  EXPECT_EQ(model.list, before);
  CListDB good(dir.File("good.txt"), reporter);
  EXPECT_TRUE(model.Load(good));
  EXPECT_EQ(model.ShownRowCount(), 30u);
  EXPECT_FALSE(model.modified);
}

TEST_F(ListView, UndoKeepsTheNewestFiveChangesByName) {
  ListViewModel model = ModelFromShape({32, 2, 2, 20, 0, 0});
  std::vector<LineList> states{model.list};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(DeleteRows(model, {0}));
    states.push_back(model.list);
  }
  EXPECT_EQ(model.undo.MenuText(), "Undo (5 - Delete Channel)");
  for (int i = 5; i >= 1; --i) {
    ASSERT_TRUE(model.Undo());
    EXPECT_EQ(model.list, states[static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(model.undo.MenuText(), "Undo Disable");
  EXPECT_FALSE(model.Undo());
  EXPECT_TRUE(model.modified);  // the first deletion is still in the list

  // A change given up at full depth gives back the record it pushed out.
  for (int i = 0; i < 5; ++i) model.RecordUndo("Cut Channel");
  model.RecordUndo("Setting channel");
  model.DiscardNewestUndo();
  EXPECT_EQ(model.undo.MenuText(), "Undo (5 - Cut Channel)");
}

TEST_F(ListView, AsksToSaveOnCloseWhenChangedByAnyEdit) {
  TempDir dir;
  WriteBytes(dir.File("list.txt"), DemoListBytes());
  CListDB engine(dir.File("list.txt"), reporter);
  ListViewModel model;
  ASSERT_TRUE(model.Load(engine));
  EXPECT_TRUE(model.SaveQuestionOnClose(engine, reporter));
  EXPECT_TRUE(reporter.questions.empty());  // nothing changed, nothing asked

  ASSERT_TRUE(MoveRow(model, 1, 0, reporter));  // not in the undo history, a change all the same
  EXPECT_TRUE(model.SaveQuestionOnClose(engine, reporter));  // answered No
  EXPECT_EQ(reporter.questions, std::vector<std::string>{"Saving: Saveing  Modified Data!!!"});
  EXPECT_EQ(ReadBytes(dir.File("list.txt")), DemoListBytes());

  reporter.answers = {Answer::Yes};
  EXPECT_TRUE(model.SaveQuestionOnClose(engine, reporter));
  EXPECT_FALSE(model.modified);
  LineList saved;
  ASSERT_TRUE(CListDB(dir.File("list.txt"), reporter).ReadFormattedText(saved));
  EXPECT_EQ(saved[model.RecordStartOfRow(0, true) + 5], "Aurora Two");
}

}  // namespace
}  // namespace chanora::testing

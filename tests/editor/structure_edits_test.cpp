#include <numeric>
#include <random>

#include "editor/channel_records.h"
#include "engine/text_conversion.h"

#include "editor/structure_edits.h"
#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using StructureEdits = EditorTest;

// 10 digital channels D0..D9 and 4 PID channels P0..P3 on one TP: rows 0-9
// are digital, rows 10-13 PID.
std::string ChannelList() {
  std::string text = CrLfLines({"[SATELLITE]", R"(0 "S" N 10600 9750 0 0)", "[DIGITAL TP]", R"(1 0 11778 27500 V "B")",
                                "[DIGITAL CHANNEL]"});
  for (int i = 0; i < 10; ++i) text += FormatText("%d 1 0 %X %s \"D%d\" 1 N\r\n", i + 1, 0x100 + i, i % 3 ? "TV" : "RADIO", i);
  text += "[DIGITAL PID CHANNEL]\r\n";
  for (int i = 0; i < 4; ++i) text += FormatText("%d 1 0 TV \"P%d\" %d 2 3 1 N\r\n", 11 + i, i, 100 + i);
  return text + "[END]\r\n";
}

// The names of the digital view's rows, in order.
std::string Names(const ListViewModel& model) {
  std::string names;
  for (std::size_t row = 0; row < model.ShownRowCount(); ++row) names += model.ShownCell(row, 5) + " ";
  return names;
}

TEST_F(StructureEdits, DeleteInsertCutAndPasteTakeEverySelectedRow) {
  ListViewModel model = ModelFromText(ChannelList());
  ASSERT_TRUE(DeleteRows(model, {2, 5, 6}));
  EXPECT_EQ(Names(model), "D0 D1 D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.ShownCell(6, 0), "7");  // renumbered
  EXPECT_EQ(model.ShownCell(7, 0), "8");  // the PID channels go on with the count

  ASSERT_TRUE(InsertNullRows(model, {1, 6}));
  EXPECT_EQ(Names(model), "D0 D1 _ _ D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  const std::size_t null = model.RecordStartOfRow(2, true);
  EXPECT_EQ(LineList(model.list.begin() + null + 1, model.list.begin() + null + 8),
            (LineList{"1", "0", "0000", "TV", "_", "1", "Y"}));

  ASSERT_TRUE(CutRows(model, {0, 10}));  // a digital channel and a PID channel
  EXPECT_EQ(Names(model), "D1 _ _ D3 D4 D7 D8 D9 P0 P2 P3 ");
  ASSERT_TRUE(PasteRows(model, {9}));  // on a PID row: only the PID record comes back, before it
  EXPECT_EQ(Names(model), "D1 _ _ D3 D4 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.cutBuffers.channel.size(), 8u);
  EXPECT_FALSE(PasteRows(model, {9}));  // pasted once; the asked-for paste is still recorded
  EXPECT_EQ(model.undo.MenuText(), "Undo (5 - Paste Channel)");

  const LineList before = model.list;
  model.shownSection = CHANNEL;  // a section list: the edits do nothing
  EXPECT_FALSE(DeleteRows(model, {0}));
  EXPECT_FALSE(InsertNullRows(model, {0}));
  EXPECT_EQ(model.list, before);
}

TEST_F(StructureEdits, DragsMoveRowsWithinTheirSectionOnly) {
  ListViewModel model = ModelFromText(ChannelList());
  MoveRow(model, 3, 4, reporter);  // onto the row below: the order stays
  EXPECT_EQ(Names(model), "D0 D1 D2 D3 D4 D5 D6 D7 D8 D9 P0 P1 P2 P3 ");
  ASSERT_TRUE(MoveRow(model, 4, 3, reporter));
  EXPECT_EQ(Names(model), "D0 D1 D2 D4 D3 D5 D6 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_FALSE(MoveRow(model, 0, std::nullopt, reporter));  // dropped on no row
  EXPECT_EQ(model.undo.UndoDepth(), 0u);

  ASSERT_TRUE(MoveRows(model, {2, 3, 4}, 3, 7, reporter));
  EXPECT_EQ(Names(model), "D0 D1 D5 D6 D2 D4 D3 D7 D8 D9 P0 P1 P2 P3 ");
  EXPECT_EQ(model.undo.MenuText(), "Undo (1 - Group Move)");

  const LineList before = model.list;
  EXPECT_FALSE(MoveRow(model, 9, 10, reporter));
  EXPECT_FALSE(MoveRows(model, {8, 9}, 8, 11, reporter));  // the whole group or nothing
  EXPECT_FALSE(MoveRows(model, {1, 3}, 1, 6, reporter));    // a selection with gaps
  EXPECT_EQ(model.list, before);
  EXPECT_EQ(reporter.messages,
            std::vector<std::string>(2, "Drag Only possible \n\nWhen drag region and drop region are same section."
                                        "\r\n(channel/pid channel)!!\r\n"));
  EXPECT_EQ(model.undo.UndoDepth(), 1u);
}

// One drag as a user sees it, cell by cell on the LineList: the record taken
// out of row f and put in at the place of row t.
void LiteralMove(LineList& list, std::size_t first, std::size_t f, std::size_t t) {
  const std::size_t stride = 8;
  if (t == f) return;
  LineList record(list.begin() + first + f * stride, list.begin() + first + (f + 1) * stride);
  if (t < f) {
    list.erase(list.begin() + first + f * stride, list.begin() + first + (f + 1) * stride);
    list.insert(list.begin() + first + t * stride, record.begin(), record.end());
  } else {
    list.insert(list.begin() + first + t * stride, record.begin(), record.end());
    list.erase(list.begin() + first + f * stride, list.begin() + first + (f + 1) * stride);
  }
}

TEST_F(StructureEdits, GroupMoveEqualsItsSingleMovesOneByOne) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    ListViewModel model = ModelFromText(ChannelList());
    const std::size_t first = random() % 9;
    const std::size_t count = 2 + random() % (9 - first);
    const std::size_t pressed = first + random() % count;
    const std::size_t drop = random() % 10;
    std::vector<std::size_t> rows(count);
    std::iota(rows.begin(), rows.end(), first);

    LineList expected = model.list;
    const std::size_t start = model.RecordStartOfRow(0, true);
    bool possible = pressed != drop;
    for (std::size_t k = 0; k < count && possible; ++k) {
      const bool down = pressed < drop;
      const std::size_t from = down ? first + count - 1 - k : first + k;
      possible = down ? k <= drop : drop + k < 10;
      if (possible) LiteralMove(expected, start, from, down ? drop - k : drop + k);
    }
    const bool moved = MoveRows(model, rows, pressed, drop, reporter);
    EXPECT_EQ(moved, possible);
    if (moved) {
      RenumberChannels(expected);
      EXPECT_EQ(model.list, expected) << "run " << first << "+" << count << " pressed " << pressed << " drop " << drop;
    }
  }
}

}  // namespace
}  // namespace chanora::testing

#include "editor/edit_commands.h"

#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using EditCommands = EditorTest;

// The small list's digital view: rows 0-2 are digital channels, row 3 the PID
// channel RAI UNO.
std::string Names(const ListViewModel& model) {
  std::string names;
  for (std::size_t row = 0; row < model.ShownRowCount(); ++row) names += model.ShownCell(row, 5) + "|";
  return names;
}

TEST_F(EditCommands, PasteNeedsACutRecordOfTheViewShownAndNewTheChannelView) {
  Start();
  for (auto command : {EditCommand::New, EditCommand::Cut, EditCommand::Paste, EditCommand::InsertNull,
                       EditCommand::Delete, EditCommand::Undo}) {
    EXPECT_FALSE(EditCommandEnabled(model, false, command));
  }
  EXPECT_TRUE(EditCommandEnabled(model, true, EditCommand::New));
  EXPECT_FALSE(EditCommandEnabled(model, true, EditCommand::Paste));
  EXPECT_FALSE(EditCommandEnabled(model, true, EditCommand::Undo));

  ASSERT_TRUE(RunStructureEdit(model, EditCommand::Cut, {3}).changed);  // the PID channel
  EXPECT_TRUE(EditCommandEnabled(model, true, EditCommand::Paste));
  EXPECT_TRUE(EditCommandEnabled(model, true, EditCommand::Undo));
  model.showDigital = false;  // nothing analog was cut
  EXPECT_FALSE(EditCommandEnabled(model, true, EditCommand::Paste));

  model.showDigital = true;
  model.shownSection = SectionKind::Satellite;
  EXPECT_FALSE(EditCommandEnabled(model, true, EditCommand::New));
  EXPECT_FALSE(EditCommandEnabled(model, true, EditCommand::Paste));
  for (auto command : {EditCommand::Cut, EditCommand::InsertNull, EditCommand::Delete}) {
    EXPECT_TRUE(EditCommandEnabled(model, true, command));
  }
}

TEST_F(EditCommands, StructureEditsSelectTheFirstSelectedRowWhileItExists) {
  Start();
  EditOutcome outcome = RunStructureEdit(model, EditCommand::Delete, {2, 0});
  EXPECT_TRUE(outcome.changed);
  EXPECT_EQ(outcome.select, 0u);
  EXPECT_EQ(Names(model), "PHOENIX|RAI UNO|");

  outcome = RunStructureEdit(model, EditCommand::Delete, {1});  // the last row goes
  EXPECT_TRUE(outcome.changed);
  EXPECT_EQ(outcome.select, std::nullopt);

  EXPECT_FALSE(RunStructureEdit(model, EditCommand::InsertNull, {}).changed);
  model.shownSection = SectionKind::Channel;
  const LineList before = model.List();
  outcome = RunStructureEdit(model, EditCommand::Cut, {0});
  EXPECT_FALSE(outcome.changed);
  EXPECT_EQ(outcome.select, std::nullopt);
  EXPECT_EQ(model.List(), before);
}

TEST_F(EditCommands, DropsMoveThePressedRowOrTheSelectedRunAndSelectWhereItLanded) {
  Start();
  EditOutcome outcome = DropRows(model, {0}, 0, 2, reporter);  // dragged down: lands above the drop row
  EXPECT_TRUE(outcome.changed);
  EXPECT_EQ(outcome.select, 1u);
  EXPECT_EQ(Names(model), "PHOENIX|DAS ERSTE|ZDF RADIO|RAI UNO|");
  EXPECT_EQ(model.History().UndoDepth(), 0u);

  outcome = DropRows(model, {1, 2}, 2, 0, reporter);  // a group dragged up lands on the drop row
  EXPECT_TRUE(outcome.changed);
  EXPECT_EQ(outcome.select, 0u);
  EXPECT_EQ(Names(model), "DAS ERSTE|ZDF RADIO|PHOENIX|RAI UNO|");
  EXPECT_EQ(model.History().MenuText(), "Undo (1 - Group Move)");

  const LineList before = model.List();
  EXPECT_FALSE(DropRows(model, {0}, 0, std::nullopt, reporter).changed);  // let go over no row
  EXPECT_FALSE(DropRows(model, {1}, 1, 1, reporter).changed);
  EXPECT_FALSE(DropRows(model, {2}, 2, 3, reporter).changed);  // into the PID channels
  EXPECT_EQ(model.List(), before);
  EXPECT_EQ(reporter.messages.size(), 1u);
}

}  // namespace
}  // namespace chanora::testing

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "app/analog_channel_dialog.h"
#include "app/digital_channel_dialog.h"
#include "app/satellite_dialog.h"
#include "editor/field_limits.h"
#include "tests/app/dialogs_test_support.h"
#include "tests/app/window_fixture.h"
#include "tests/support/recording_reporter.h"

namespace chanora::testing {
namespace {

template <typename Widget = QLineEdit>
Widget& Field(QWidget& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return *widget;
}

void Type(QWidget& dialog, const char* name, const char* text) { Field(dialog, name).setText(text); }

void Press(QWidget& dialog, const char* button) { Field<QPushButton>(dialog, button).click(); }

class EditDialogsTest : public WindowTest {
 protected:
  EditDialogsTest() { EXPECT_TRUE(OpenFile(demoPath)); }

  QTableView& Table() const { return *window->findChild<QTableView*>("listView"); }
  ListViewModel& Model() const { return window->document().Model(); }

  // The same list in a model of its own, for the editor's calls the window
  // should have made.
  ListViewModel Reference() const {
    ListViewModel reference;
    reference.Reset(Model().List());
    reference.showDigital = Model().showDigital;
    return reference;
  }

  // A double click on `row` (or below the rows when there is none), whose
  // dialog `answer` fills and closes.
  template <typename Dialog>
  void DoubleClick(std::optional<int> row, std::function<void(Dialog&)> answer) {
    QTableView& table = Table();
    int column = 0;
    while (table.isColumnHidden(column)) ++column;
    QPoint point(table.columnViewportPosition(column) + 5, table.viewport()->height() - 3);
    if (row) {
      table.selectRow(*row);
      point = table.visualRect(table.model()->index(*row, column)).center();
    }
    AnswerNextModal<Dialog>(std::move(answer));
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, point);
  }

  std::string UndoText() const { return Command("undo")->text().toStdString(); }
};

TEST_F(EditDialogsTest, DigitalDialogShowsTheRowAndOkAppliesTheEditorsEdit) {
  ListViewModel reference = Reference();
  RecordingReporter quiet;
  DigitalChannelDialog expected = *OpenDigitalChannelEdit(reference, 1, quiet);
  expected.name = "RENAMED";
  expected.bouquet = "NEW BOUQUET";
  ASSERT_TRUE(ApplyDigitalChannelEdit(reference, 1, expected, DigitalEditAction::Ok, quiet));

  DoubleClick<DigitalChannelEditDialog>(1, [](DigitalChannelEditDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Digital Channel Setting...Adjust, New, Delete");
    EXPECT_EQ(Field(dialog, "name").maxLength(), field_limit::kName);
    EXPECT_EQ(Field(dialog, "frequency").maxLength(), field_limit::kFrequency);
    EXPECT_TRUE(Field(dialog, "serviceId").isEnabled());
    EXPECT_FALSE(Field(dialog, "videoPid").isEnabled());
    EXPECT_TRUE(Field<QPushButton>(dialog, "delete").isVisibleTo(&dialog));
    EXPECT_TRUE(Field(dialog, "degree").isReadOnly());
    Type(dialog, "name", "RENAMED");
    Type(dialog, "bouquet", "NEW BOUQUET");
    Press(dialog, "ok");
  });
  EXPECT_EQ(Model().List(), reference.List());
  EXPECT_EQ(UndoText(), "Undo (1 - Setting channel)");
  EXPECT_EQ(Table().selectionModel()->selectedRows().size(), 1);

  // Cancel, and an Ok that changes nothing, leave no trace.
  DoubleClick<DigitalChannelEditDialog>(1, [](DigitalChannelEditDialog& dialog) {
    Type(dialog, "name", "IGNORED");
    Press(dialog, "cancel");
  });
  DoubleClick<DigitalChannelEditDialog>(1, [](DigitalChannelEditDialog& dialog) { Press(dialog, "ok"); });
  EXPECT_EQ(Model().List(), reference.List());
  EXPECT_EQ(UndoText(), "Undo (1 - Setting channel)");
  EXPECT_TRUE(answers.boxes.empty());
}

TEST_F(EditDialogsTest, DigitalRefusalIsTheEditorsMessageAndLeavesNoUndo) {
  const LineList before = Model().List();
  DoubleClick<DigitalChannelEditDialog>(0, [](DigitalChannelEditDialog& dialog) {
    Type(dialog, "serviceId", "0");
    Press(dialog, "ok");
  });
  EXPECT_EQ(answers.boxes, std::vector<std::string>{"Chanora: CANCELED : SvcId nust not be zero!!!"});
  EXPECT_EQ(Model().List(), before);
  EXPECT_EQ(UndoText(), "Undo Disable");
}

TEST_F(EditDialogsTest, DigitalDeleteAsksAndInsertNullKeyAddsANullChannel) {
  const std::size_t rows = ShownRows();
  answers.Press(QMessageBox::No);
  DoubleClick<DigitalChannelEditDialog>(2, [](DigitalChannelEditDialog& dialog) { Press(dialog, "delete"); });
  EXPECT_EQ(ShownRows(), rows);
  answers.Press(QMessageBox::Yes);
  DoubleClick<DigitalChannelEditDialog>(2, [](DigitalChannelEditDialog& dialog) {
    // Delete on the focused Ok button is the Delete button.
    Field<QPushButton>(dialog, "ok").setFocus();
    QTest::keyClick(&Field<QPushButton>(dialog, "ok"), Qt::Key_Delete);
  });
  ASSERT_EQ(answers.boxes.size(), 2u);
  EXPECT_TRUE(answers.boxes[1].starts_with("Delete: Really Wnat to Delete this channel\n Channel Name :   "));
  EXPECT_EQ(ShownRows(), rows - 1);

  DoubleClick<DigitalChannelEditDialog>(
      2, [](DigitalChannelEditDialog& dialog) { QTest::keyClick(&Field(dialog, "name"), Qt::Key_Insert); });
  EXPECT_EQ(ShownRows(), rows);
  EXPECT_EQ(UndoText(), "Undo (2 - Setting channel)");
}

TEST_F(EditDialogsTest, NewDigitalChannelFromF2AndNewAnalogFromADoubleClickOffTheRows) {
  const std::size_t digitalRows = ShownRows();
  AnswerNextModal<DigitalChannelEditDialog>([](DigitalChannelEditDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Setting Digital Channel....New");
    EXPECT_FALSE(Field<QPushButton>(dialog, "delete").isVisibleTo(&dialog));
    // A service id leaves no room for PIDs.
    QTest::keyClicks(&Field(dialog, "serviceId"), "7777");
    EXPECT_FALSE(Field(dialog, "videoPid").isEnabled());
    Type(dialog, "name", "NEWCOMER");
    Type(dialog, "frequency", "12345");
    Type(dialog, "symbolRate", "22000");
    Press(dialog, "ok");
  });
  Command("newChannel")->trigger();
  EXPECT_EQ(ShownRows(), digitalRows + 1);
  EXPECT_EQ(UndoText(), "Undo (1 - New Dig Channel)");

  Command("viewAnalog")->trigger();
  const std::size_t analogRows = ShownRows();
  Table().clearSelection();
  DoubleClick<AnalogChannelEditDialog>(std::nullopt, [](AnalogChannelEditDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Setting Analog Channel....New");
    EXPECT_FALSE(Field<QPushButton>(dialog, "insertNull").isVisibleTo(&dialog));
    Type(dialog, "name", "fresh");
    Type(dialog, "frequency", "3900");
    for (const char* field : {"threshold", "contrast"}) Type(dialog, field, "7");
    for (const char* field : {"audioLeft", "audioRight"}) Type(dialog, field, "6.50");
    Field<QComboBox>(dialog, "bandWidth").setCurrentIndex(4);
    Press(dialog, "ok");
  });
  EXPECT_EQ(ShownRows(), analogRows + 1) << ::testing::PrintToString(answers.boxes);
  EXPECT_EQ(UndoText(), "Undo (2 - New Ana Channel)");
  const LineList& list = Model().List();
  EXPECT_NE(std::find(list.begin(), list.end(), "FRESH"), list.end());
}

TEST_F(EditDialogsTest, AnalogDialogOkCancelDeleteInsertNullAndARefusal) {
  Command("viewAnalog")->trigger();
  ListViewModel reference = Reference();
  RecordingReporter quiet;
  AnalogChannelDialog expected = *OpenAnalogChannelEdit(reference, 0, quiet);
  expected.audioMode = 2;
  expected.dnr = AnalogChannelDialog::Dnr::No;
  ASSERT_TRUE(ApplyAnalogChannelEdit(reference, 0, expected, AnalogEditAction::Ok, quiet));

  DoubleClick<AnalogChannelEditDialog>(0, [](AnalogChannelEditDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Analog Channel Setting...Adjust, New, Delete");
    Field<QComboBox>(dialog, "audioMode").setCurrentIndex(2);
    Field<QRadioButton>(dialog, "dnrSecond").setChecked(true);
    Press(dialog, "ok");
  });
  EXPECT_EQ(Model().List(), reference.List());
  DoubleClick<AnalogChannelEditDialog>(0, [](AnalogChannelEditDialog& dialog) {
    Type(dialog, "threshold", "99");
    Press(dialog, "cancel");
  });
  EXPECT_EQ(Model().List(), reference.List());

  // Renaming to another channel's name is refused by the editor.
  const std::string other = Model().ShownCell(1, 4);
  DoubleClick<AnalogChannelEditDialog>(0, [&other](AnalogChannelEditDialog& dialog) {
    Type(dialog, "name", other.c_str());
    Press(dialog, "ok");
  });
  ASSERT_EQ(answers.boxes.size(), 1u);
  EXPECT_TRUE(answers.boxes[0].starts_with("Chanora: Same analog channel Name exist!!!")) << answers.boxes[0];
  EXPECT_EQ(Model().List(), reference.List());

  const std::size_t rows = ShownRows();
  DoubleClick<AnalogChannelEditDialog>(0, [](AnalogChannelEditDialog& dialog) { Press(dialog, "insertNull"); });
  EXPECT_EQ(ShownRows(), rows + 1);
  answers.Press(QMessageBox::Yes);
  DoubleClick<AnalogChannelEditDialog>(0, [](AnalogChannelEditDialog& dialog) { Press(dialog, "delete"); });
  EXPECT_EQ(answers.boxes.back(), "Delete: Really Wnat to Delete this channel");
  EXPECT_EQ(ShownRows(), rows);
  EXPECT_EQ(UndoText(), "Undo (3 - Setting channel)");
}

TEST_F(EditDialogsTest, SatelliteDialogOkWritesTheRecordAndOtherListsIgnoreADoubleClick) {
  Command("viewSatellites")->trigger();
  ListViewModel reference = Reference();
  RecordingReporter quiet;
  SatelliteDialog expected = *OpenSatelliteEdit(reference, 1, quiet);
  expected.name = "BOREAL 4";
  expected.degree = "W012.5";
  ASSERT_TRUE(ApplySatelliteEdit(reference, 1, expected, quiet));

  DoubleClick<SatelliteEditDialog>(1, [](SatelliteEditDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Satellite Setting Dialog - Edit");
    EXPECT_EQ(Field(dialog, "degree").text(), "E013.0");
    EXPECT_EQ(Field(dialog, "degree").maxLength(), field_limit::kDegree);
    EXPECT_TRUE(Field<QRadioButton>(dialog, "blankSecond").isChecked());
    Type(dialog, "name", "BOREAL 4");
    Type(dialog, "degree", "W012.5");
    Press(dialog, "ok");
  });
  EXPECT_EQ(Model().List(), reference.List());
  EXPECT_EQ(Model().ShownCell(1, 6), "W012.5");

  Command("viewTpList")->trigger();
  QTableView& table = Table();
  table.selectRow(0);
  QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(table.model()->index(0, 0)).center());
  EXPECT_EQ(Model().List(), reference.List());
}

// Also renders the picture of the dialog for the documentation when
// CHANORA_DIALOG_SCREENSHOT names a PNG file.
TEST_F(EditDialogsTest, DigitalDialogFitsItsFieldsWithoutCutting) {
  RecordingReporter quiet;
  DigitalChannelEditDialog dialog(Model(), quiet, *OpenDigitalChannelEdit(Model(), 0, quiet), window.get());
  dialog.show();
  QTest::qWait(20);
  const QPixmap picture = dialog.grab();
  EXPECT_EQ(picture.size(), dialog.sizeHint());
  for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
    EXPECT_GE(field->width(), field->minimumSizeHint().width()) << field->objectName().toStdString();
  }
  if (const QString path = qEnvironmentVariable("CHANORA_DIALOG_SCREENSHOT"); !path.isEmpty()) {
    EXPECT_TRUE(picture.save(path));
  }
}

// The window's edits, saved, reopened and compiled, give the bytes the
// editor gives for the same edits.
TEST_F(EditDialogsTest, EditsThroughTheWidgetsCompileToTheEditorsBytes) {
  const std::string referencePath = dir.File("reference.txt");
  WriteBytes(referencePath, DemoListBytes());
  MemorySettings referenceSettings;
  RecordingReporter referenceReporter;
  Document reference(referenceSettings, referenceReporter);
  ASSERT_TRUE(reference.Open([&](const FileDialogRequest&) { return std::optional<std::string>(referencePath); }));
  DigitalChannelDialog edit = *OpenDigitalChannelEdit(reference.Model(), 4, referenceReporter);
  edit.name = "FILM PLUS";
  edit.activeAudio = "2";
  ASSERT_TRUE(ApplyDigitalChannelEdit(reference.Model(), 4, edit, DigitalEditAction::Ok, referenceReporter));
  referenceReporter.answers.push_back(Answer::Yes);
  ASSERT_TRUE(ApplyDigitalChannelEdit(reference.Model(), 7,
                                      *OpenDigitalChannelEdit(reference.Model(), 7, referenceReporter),
                                      DigitalEditAction::Delete, referenceReporter));
  ASSERT_TRUE(reference.Save({}));
  ASSERT_TRUE(reference.Compile(CompileKind::Basic));

  DoubleClick<DigitalChannelEditDialog>(4, [](DigitalChannelEditDialog& dialog) {
    Type(dialog, "name", "FILM PLUS");
    Type(dialog, "activeAudio", "2");
    Press(dialog, "ok");
  });
  answers.Press(QMessageBox::Yes);
  DoubleClick<DigitalChannelEditDialog>(7, [](DigitalChannelEditDialog& dialog) { Press(dialog, "delete"); });
  Command("save")->trigger();
  ASSERT_TRUE(OpenFile(demoPath));
  Command("compileBasic")->trigger();

  for (const char* extension : {".txt", ".hex", ".bin"}) {
    EXPECT_EQ(ReadBytes(dir.File(std::string("demo") + extension)),
              ReadBytes(dir.File(std::string("reference") + extension)))
        << extension;
  }
}

}  // namespace
}  // namespace chanora::testing

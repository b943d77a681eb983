#include <QDockWidget>
#include <QHeaderView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTableView>
#include <QEventLoop>
#include <QThread>

#include "app/window_reporter.h"
#include "editor/structure_edits.h"
#include "engine/list_engine.h"
#include "tests/app/window_fixture.h"
#include "tests/support/recording_reporter.h"

namespace chanora::testing {
namespace {

const char* const kListCommands[] = {"save",        "saveAs",     "compileBasic", "compileOneList", "compileSplit",
                                     "downloadCurrent", "newChannel", "cut",      "insertNull",     "delete",
                                     "sortName",    "viewDigital", "viewAnalog",  "viewSatellites", "viewTpList",
                                     "viewDetail",  "print"};

QTableView& Table(const MainWindow& window) { return *window.findChild<QTableView*>("listView"); }

TEST_F(WindowTest, BeforeAListIsLoadedOnlyTheCommandsWithoutOneAreEnabled) {
  for (const char* name : kListCommands) EXPECT_FALSE(Command(name)->isEnabled()) << name;
  for (const char* name : {"open", "downloadOthers", "upload", "exit", "option", "about"}) {
    EXPECT_TRUE(Command(name)->isEnabled()) << name;
  }
  EXPECT_EQ(window->windowTitle(), "Chanora");
  EXPECT_FALSE(window->findChild<QDockWidget*>("messageWindow")->isVisible());
  EXPECT_EQ(Command("undo")->text(), "Undo Disable");
}

TEST_F(WindowTest, OpenShowsTheListInEveryViewWithItsColumns) {
  ASSERT_TRUE(OpenFile(demoPath));
  EXPECT_EQ(answers.dialogTitles.back(), "Velk Chanora - Format File Open");
  EXPECT_EQ(answers.dialogFilters.back(), QStringList{"Velk Formatted Text File(*.TXT) (*.txt *.TXT)"});
  EXPECT_EQ(window->windowTitle(), QString::fromStdString("Chanora : " + demoPath));
  for (const char* name : kListCommands) {
    if (std::string_view(name) != "newChannel") {
      EXPECT_TRUE(Command(name)->isEnabled()) << name;
    }
  }

  const ListViewModel& model = window->document().Model();
  QTableView& table = Table(*window);
  const char* const views[] = {"viewDigital",    "viewAnalog", "viewSatellites", "viewChannelList",
                               "viewAnalogList", "viewPidList", "viewTpList",    "viewSatNameList"};
  for (const char* view : views) {
    Command(view)->trigger();
    EXPECT_TRUE(Command(view)->isChecked()) << view;
    ASSERT_GT(model.ShownRowCount(), 0u) << view;
    EXPECT_EQ(ShownRows(), model.ShownRowCount()) << view;
    const auto columns = model.ShownColumns();
    ASSERT_EQ(table.model()->columnCount(), static_cast<int>(columns.size())) << view;
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
      EXPECT_EQ(table.isColumnHidden(column), columns[column].width == 0) << view << column;
      if (columns[column].width > 0) {
        EXPECT_EQ(table.columnWidth(column), columns[column].width) << view << column;
      }
      EXPECT_EQ(table.model()->headerData(column, Qt::Horizontal).toString().toStdString(), columns[column].title);
      EXPECT_EQ(table.model()->index(0, column).data().toString().toStdString(), model.ShownCell(0, column));
    }
    EXPECT_EQ(Command("viewDetail")->isEnabled(), model.shownSection == SectionKind::None) << view;
  }
  EXPECT_TRUE(answers.boxes.empty());

  // View Detail shows the hidden columns of the channel view and is checked.
  Command("viewDigital")->trigger();
  EXPECT_TRUE(table.isColumnHidden(1));
  Command("viewDetail")->trigger();
  EXPECT_TRUE(Command("viewDetail")->isChecked());
  EXPECT_FALSE(table.isColumnHidden(1));
}

TEST_F(WindowTest, SaveAsWritesWhatTheWriterWritesAndRetitles) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(window->document().Model(), {0}));
  window->ListChanged();
  EXPECT_TRUE(Command("undo")->isEnabled());

  const std::string copy = dir.File("copy.txt");
  answers.ChooseFile(copy);
  Command("saveAs")->trigger();
  EXPECT_EQ(answers.dialogTitles.back(), "Velk Chanora - Save as");
  EXPECT_EQ(window->windowTitle(), QString::fromStdString("Chanora : " + copy));

  RecordingReporter quiet;
  ListEngine engine(quiet);
  ASSERT_TRUE(engine.Save(dir.File("expected.txt"), window->document().Model().List()));
  EXPECT_EQ(ReadBytes(copy), ReadBytes(dir.File("expected.txt")));
  EXPECT_FALSE(window->document().Model().Modified());
}

TEST_F(WindowTest, CompileWritesTheImageAndThePacketFile) {
  ASSERT_TRUE(OpenFile(demoPath));
  Command("compileBasic")->trigger();
  EXPECT_TRUE(FileExists(dir.File("demo.hex")));
  EXPECT_TRUE(FileExists(dir.File("demo.bin")));
  EXPECT_TRUE(window->isEnabled());
}

TEST_F(WindowTest, AListThatFailsTheChecksKeepsThePreviousOneOnScreen) {
  ASSERT_TRUE(OpenFile(demoPath));
  Command("viewAnalog")->trigger();
  const std::size_t rows = ShownRows();
  const QString title = window->windowTitle();

  std::string bad = DemoListBytes();
  const std::string channel = "1002     TV       \"Aurora Two\"";
  ASSERT_NE(bad.find(channel), std::string::npos);
  bad.replace(bad.find(channel), channel.size(), "1002     XX       \"Aurora Two\"");
  WriteBytes(dir.File("bad.txt"), bad);
  answers.ChooseFile(dir.File("bad.txt"));
  Command("open")->trigger();
  EXPECT_EQ(answers.boxes.back(), "Chanora: The Text Format is not correct");
  EXPECT_EQ(window->document().Path(), demoPath);
  EXPECT_EQ(ShownRows(), rows);
  EXPECT_EQ(window->windowTitle(), title);
  EXPECT_TRUE(Command("viewAnalog")->isChecked());
}

TEST_F(WindowTest, ClosingAsksAboutChangesAndCancelKeepsTheWindow) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(window->document().Model(), {0}));
  window->ListChanged();
  answers.Press(QMessageBox::Cancel);
  Command("exit")->trigger();
  EXPECT_EQ(answers.boxes.back(), "Saving: Saveing  Modified Data!!!");
  EXPECT_TRUE(window->isVisible());
  answers.Press(QMessageBox::No);
  EXPECT_TRUE(window->close());
}

// A worker's messages, questions and lines reach the window in the order made.
TEST(ForwardingReporter, KeepsTheWorkersOrderAndWaitsForAnswers) {
  QWidget parent;
  WindowReporter target(&parent);
  ModalAnswers answers;
  answers.Press(QMessageBox::Yes);
  std::vector<std::string> seen;
  // Each line and value with the count of boxes shown before it.
  auto after = [&](std::string what) { seen.push_back(what + "@" + std::to_string(answers.boxes.size())); };
  QObject::connect(&target, &WindowReporter::lineAppended, [&](const QString& line) { after(line.toStdString()); });
  QObject::connect(&target, &WindowReporter::progressSet, [&](int percent) { after(std::to_string(percent)); });

  Answer answer = Answer::No;
  std::unique_ptr<QThread> worker(QThread::create([&] {
    ForwardingReporter forwarding(target);
    forwarding.AppendLine("first\r\n");
    forwarding.SetProgress(150);
    answer = forwarding.Ask("Go on?", "Question", Buttons::YesNo);
    forwarding.AppendLine("second");
    forwarding.Message("done\r\nreally");
  }));
  QEventLoop loop;
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  worker->start();
  loop.exec();
  worker->wait();

  EXPECT_EQ(answer, Answer::Yes);
  EXPECT_EQ(seen, (std::vector<std::string>{"first\n@0", "100@0", "second@1"}));
  EXPECT_EQ(answers.boxes, (std::vector<std::string>{"Question: Go on?", "Chanora: done\nreally"}));
}

TEST_F(WindowTest, SortFromTheMenuOrdersAsTheCommandLineToolDoes) {
  ASSERT_TRUE(OpenFile(demoPath));
  Command("sortFrequency")->trigger();
  EXPECT_TRUE(window->document().Model().Modified());
  answers.Press(QMessageBox::Yes);
  ASSERT_TRUE(window->close());  // the close question saves the sorted list

  WriteBytes(dir.File("cli.txt"), DemoListBytes());
  const std::string command = std::string(CHANORA_CLI_PATH) + " sort " + dir.File("cli.txt") +
                              " --by frequency > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadBytes(demoPath), ReadBytes(dir.File("cli.txt")));
}

}  // namespace
}  // namespace chanora::testing

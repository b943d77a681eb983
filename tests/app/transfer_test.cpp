#include <QDockWidget>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cstdlib>

#include "document/options.h"
#include "tests/app/window_fixture.h"
#include "tests/support/test_transfer_settings.h"
#include "tools/simulated_receiver.h"

namespace chanora::testing {
namespace {

// While a transfer runs: the highest value of the status bar's progress
// bar, and whether every command was disabled.
class TransferWatch : public QObject {
 public:
  explicit TransferWatch(MainWindow& window) : window_(window) {
    connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
    timer_.start(5);
  }
  int highest = -1;
  bool commandsDisabled = false;
  bool sawDialog = false;

 private:
  void Look() {
    if (!window_.findChild<QProgressDialog*>()) return;
    sawDialog = true;
    if (auto* bar = window_.statusBar()->findChild<QProgressBar*>("transferProgress")) {
      highest = std::max(highest, bar->value());
    }
    commandsDisabled = true;
    for (QAction* action : window_.findChildren<QAction*>()) {
      if (!action->objectName().isEmpty() && action->isEnabled()) commandsDisabled = false;
    }
  }

  MainWindow& window_;
  QTimer timer_;
};

std::string ReceiverList() {
  const std::string demo = DemoListBytes();
  return demo.substr(demo.find("[SATELLITE_NAME_LIST]"));
}

class WindowTransferTest : public WindowTest {
 protected:
  WindowTransferTest() : WindowTest(TestTransferSettings()) {
    setenv("XDG_CACHE_HOME", dir.File("cache").c_str(), 1);
    StoreOptions(settings, {32, receiver.DevicePath()});
  }
  ~WindowTransferTest() override { unsetenv("XDG_CACHE_HOME"); }

  std::string MessageText() const {
    return window->findChild<QPlainTextEdit*>("messageText")->toPlainText().toStdString();
  }
  bool ProgressBarLeft() const { return window->statusBar()->findChild<QProgressBar*>("transferProgress"); }

  SimulatedReceiver receiver;
};

TEST_F(WindowTransferTest, DownloadThenUploadShowTheirLinesAndProgress) {
  ASSERT_TRUE(OpenFile(demoPath));
  Command("compileBasic")->trigger();
  receiver.StartFlashLoader({});
  {
    TransferWatch watch(*window);
    Command("downloadCurrent")->trigger();
    EXPECT_TRUE(watch.sawDialog);
    EXPECT_TRUE(watch.commandsDisabled);
    EXPECT_GT(watch.highest, 0);
  }
  const LoaderReport report = receiver.WaitLoader();
  EXPECT_TRUE(report.verdictSent);
  EXPECT_TRUE(report.problems.empty());
  EXPECT_FALSE(MessageText().empty());
  EXPECT_FALSE(ProgressBarLeft());
  // The message window goes after a download; its text stays.
  EXPECT_FALSE(window->findChild<QDockWidget*>("messageWindow")->isVisible());
  EXPECT_TRUE(Command("open")->isEnabled());

  ConsoleOptions console;
  console.listText = ReceiverList();
  receiver.StartConsole(console);
  {
    TransferWatch watch(*window);
    Command("upload")->trigger();
    EXPECT_GT(watch.highest, 0);
  }
  receiver.WaitConsole();
  EXPECT_EQ(window->windowTitle(), "Chanora : Untitled");
  EXPECT_GT(ShownRows(), 0u);
  EXPECT_FALSE(ProgressBarLeft());
}

TEST_F(WindowTransferTest, CancelEndsTheTransferAsFailed) {
  ASSERT_TRUE(OpenFile(demoPath));
  Command("compileBasic")->trigger();
  LoaderOptions silent;
  silent.silent = true;
  receiver.StartFlashLoader(silent);

  QTimer::singleShot(300, window.get(), [this] {
    // The dialog's own Cancel button.
    if (auto* dialog = window->findChild<QProgressDialog*>()) dialog->findChild<QPushButton*>()->click();
  });
  QElapsedTimer clock;
  clock.start();
  Command("downloadCurrent")->trigger();
  // The first request wait of the test timing is three seconds.
  EXPECT_LT(clock.elapsed(), 2500);
  receiver.Stop();
  ASSERT_GE(answers.boxes.size(), 2u);
  EXPECT_EQ(answers.boxes[answers.boxes.size() - 2], "Chanora: Transfer cancelled by the user.\n");
  EXPECT_EQ(answers.boxes[answers.boxes.size() - 1], "Chanora: Downloading to FLASH Memory is failed!");
  EXPECT_FALSE(ProgressBarLeft());
  EXPECT_TRUE(Command("downloadCurrent")->isEnabled());
}

TEST_F(WindowTransferTest, ClosingDuringATransferAsksThenCancelsAndCloses) {
  ASSERT_TRUE(OpenFile(demoPath));
  Command("compileBasic")->trigger();
  LoaderOptions silent;
  silent.silent = true;
  receiver.StartFlashLoader(silent);
  answers.ChooseFile(dir.File("demo.bin"));
  answers.Press(QMessageBox::Yes);
  QTimer::singleShot(300, window.get(), [this] { window->close(); });
  Command("downloadOthers")->trigger();
  receiver.Stop();
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace chanora::testing

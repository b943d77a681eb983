#include <cstdlib>
#include <filesystem>

#include "editor/structure_edits.h"
#include "serial/serial_port.h"
#include "tests/document/document_fixture.h"
#include "tests/support/test_transfer_settings.h"
#include "tools/simulated_receiver.h"

namespace chanora::testing {
namespace {

// The list as the receiver's console prints it: from its first section on.
std::string ReceiverList() {
  const std::string demo = DemoListBytes();
  return demo.substr(demo.find("[SATELLITE_NAME_LIST]"));
}

// The document's transfers against the simulated receiver, with waits short
// enough for tests and the upload file in the test's own folder.
class DocumentTransferTest : public DocumentTest {
 protected:
  DocumentTransferTest() {
    setenv("XDG_CACHE_HOME", dir.File("cache").c_str(), 1);
    StoreOptions(settings, {32, receiver.DevicePath()});
  }
  ~DocumentTransferTest() override { unsetenv("XDG_CACHE_HOME"); }

  bool Upload(std::vector<chanora::Answer> answers = {}) {
    reporter.answers.assign(answers.begin(), answers.end());
    return document.Upload(dialog.Chooser(), *port, timing);
  }

  SimulatedReceiver receiver;
  std::unique_ptr<SerialPort> port = MakeSystemSerialPort(nullptr);
  TransferSettings timing = TestTransferSettings();
};

TEST_F(DocumentTransferTest, DownloadCurrentSendsTheCompiledListAndSaysWhenItFails) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(document.Compile(CompileKind::Basic));
  receiver.StartFlashLoader({});
  ASSERT_TRUE(document.DownloadCurrent(*port, timing));
  const LoaderReport report = receiver.WaitLoader();
  EXPECT_TRUE(report.verdictSent);
  EXPECT_TRUE(report.problems.empty());

  LoaderOptions silent;
  silent.silent = true;
  receiver.StartFlashLoader(silent);
  timing.firstRequestWait = std::chrono::milliseconds(300);
  EXPECT_FALSE(document.DownloadCurrent(*port, timing));
  receiver.Stop();
  EXPECT_EQ(reporter.messages.back(), "Downloading to FLASH Memory is failed!");
}

TEST_F(DocumentTransferTest, DownloadOthersCutsAChosenHexIntoPacketsBesideIt) {
  // A list compiled elsewhere; its hex text chosen under a name in capitals.
  std::filesystem::create_directory(dir.File("Lists"));
  ListEngine engine(reporter);
  ASSERT_TRUE(engine.CompileFile(demoPath, {}));
  std::filesystem::rename(dir.File("demo.hex"), dir.File("Lists/Demo.HEX"));

  receiver.StartFlashLoader({});
  dialog.Answer(dir.File("Lists/Demo.HEX"));
  ASSERT_TRUE(document.DownloadOthers(dialog.Chooser(), *port, timing));
  EXPECT_EQ(dialog.requests[0].filters[1].text, "Hex file(*.HEX)");
  EXPECT_TRUE(FileExists(dir.File("Lists/Demo.bin")));
  EXPECT_TRUE(receiver.WaitLoader().verdictSent);
  EXPECT_FALSE(document.Loaded());

  // A hex text that does not convert is never sent.
  WriteBytes(dir.File("Lists/broken.hex"), "not hex\n");
  dialog.Answer(dir.File("Lists/broken.hex"));
  EXPECT_FALSE(document.DownloadOthers(dialog.Chooser(), *port, timing));
  EXPECT_EQ(reporter.messages.back(), "Making a BIN file is failed!");
}

TEST_F(DocumentTransferTest, UploadOpensTheReceiversListUntitledWithAFreshHistory) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  ASSERT_TRUE(document.Save(dialog.Chooser()));

  ConsoleOptions console;
  console.listText = ReceiverList();
  receiver.StartConsole(console);
  ASSERT_TRUE(Upload());
  receiver.WaitConsole();
  EXPECT_TRUE(document.Untitled());
  EXPECT_EQ(document.Title(), "Chanora : Untitled");
  EXPECT_EQ(document.Model().History().UndoDepth(), 0u);
  EXPECT_FALSE(document.Model().Modified());

  // The receiver's list is offered a name before another list comes; Save
  // gives it one instead of writing into the upload file.
  const State uploaded = Snapshot();
  EXPECT_FALSE(OpenFile(demoPath, {Answer::Cancel}));
  EXPECT_EQ(reporter.questions.back(), "Save As: Want to Save upload file as ?");
  EXPECT_EQ(Snapshot(), uploaded);
  dialog.Forget();
  dialog.Answer(dir.File("from-receiver.txt"));
  ASSERT_TRUE(document.Save(dialog.Chooser()));
  EXPECT_EQ(dialog.requests.back().title, "Velk Chanora - Save as");
  EXPECT_EQ(document.Path(), dir.File("from-receiver.txt"));
  EXPECT_FALSE(document.Untitled());
}

TEST_F(DocumentTransferTest, AFailedUploadLeavesTheDocumentAsItWas) {
  ASSERT_TRUE(OpenFile(demoPath));
  ASSERT_TRUE(DeleteRows(document.Model(), {0}));
  const State before = Snapshot();

  ConsoleOptions console;
  console.listText = ReceiverList();
  console.omitEnd = true;
  receiver.StartConsole(console);
  EXPECT_FALSE(Upload({Answer::No}));
  receiver.WaitConsole();
  EXPECT_EQ(Snapshot(), before);

  EXPECT_FALSE(Upload({Answer::Cancel}));  // the changes kept: nothing sent
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace chanora::testing

#include <thread>

#include "serial/channel_upload.h"
#include "serial/console_capture.h"
#include "tests/serial/serial_fixture.h"
#include "textformat/reader.h"

namespace chanora::testing {
namespace {

using ChannelUploadTest = SerialTest;

// The demo list as a receiver prints it: from its first section on.
std::string ReceiverList() {
  const std::string demo = DemoListBytes();
  return demo.substr(demo.find("[SATELLITE_NAME_LIST]"));
}

LineList ReadList(const std::string& text) {
  LineList list;
  RecordingReporter quiet;
  bool dropped = false;
  ReadListText(text, list, quiet, dropped);
  return list;
}

TEST_F(ChannelUploadTest, CapturesTheListAndTellsTheReceiverToGoOn) {
  ConsoleOptions console;
  console.listText = ReceiverList();
  console.floodBytes = 3000;  // boot chatter before the list
  receiver.StartConsole(console);
  const std::string output = dir.File("upload.txt");
  EXPECT_TRUE(UploadChannelList(*port, output, settings, reporter));
  const ConsoleReport report = receiver.WaitConsole();
  EXPECT_TRUE(report.woke);
  EXPECT_TRUE(report.commandReceived);
  EXPECT_TRUE(report.goReceived);
  EXPECT_EQ(reporter.messages, std::vector<std::string>{"Uploading SUCESS"});
  const std::string text = ReadBytes(output);
  EXPECT_EQ(text.substr(0, 21), "[SATELLITE_NAME_LIST]");
  EXPECT_EQ(text.substr(text.size() - 8), "[END]   ");
  EXPECT_EQ(ReadList(text), ReadList(DemoListBytes()));
  EXPECT_FALSE(PortHeld());
}

TEST_F(ChannelUploadTest, AnIncompletePrintoutFailsAndKeepsThePreviousFile) {
  const std::string output = dir.File("upload.txt");
  WriteBytes(output, "previous upload");
  struct Case {
    const char* what;
    ConsoleOptions options;
  };
  std::vector<Case> cases(3);
  cases[0] = {"silence", {}};
  cases[0].options.silenceAfterBytes = 2000;
  cases[1] = {"hang-up", {}};
  cases[1].options.hangUpAfterBytes = 2000;
  cases[2] = {"no [END]", {}};
  cases[2].options.omitEnd = true;
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.options.listText = ReceiverList();
    reporter.messages.clear();
    receiver.StartConsole(c.options);
    settings.port = receiver.DevicePath();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(UploadChannelList(*port, output, settings, reporter));
    EXPECT_LT(SecondsSince(start), 3.0);
    receiver.Stop();
    ASSERT_FALSE(reporter.messages.empty());
    EXPECT_EQ(reporter.messages.back(), "ERROR: Uploading is not complete. try again");
    EXPECT_EQ(ReadBytes(output), "previous upload");
    EXPECT_FALSE(PortHeld());
  }
}

TEST_F(ChannelUploadTest, CancelAndBadPortsEndWithoutAFileAndCancelStillSaysGo) {
  const std::string output = dir.File("upload.txt");
  settings.port = "COM0";
  EXPECT_FALSE(UploadChannelList(*port, output, settings, reporter));
  EXPECT_EQ(reporter.messages.back(), "Selected Com Port is illegal!!!, Select again at Option Menu");

  ConsoleOptions console;
  console.listText = ReceiverList();
  console.silenceAfterBytes = 100;
  receiver.StartConsole(console);
  settings.port = receiver.DevicePath();
  settings.consoleWait = std::chrono::milliseconds(2000);
  std::thread user([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    cancel = true;
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(UploadChannelList(*port, output, settings, reporter));
  user.join();
  EXPECT_LT(SecondsSince(start), 1.5);
  EXPECT_EQ(reporter.messages.back(), "Transfer cancelled by the user.\n");
  EXPECT_FALSE(FileExists(output));
  EXPECT_FALSE(PortHeld());
  // The console printed part of the list and would wait for "go" for ever.
  EXPECT_TRUE(receiver.WaitConsole(std::chrono::seconds(5)).goReceived);
}

TEST_F(ChannelUploadTest, FloodsLongLinesAndALostLineEndClearly) {
  const std::string output = dir.File("upload.txt");
  struct Case {
    const char* what;
    ConsoleOptions options;
    const char* lastMessage;
  };
  std::vector<Case> cases(3);
  cases[0] = {"a flood past the capture limit", {}, "ERROR: Uploading is not complete. try again"};
  cases[0].options.floodBytes = 5 * 1024 * 1024;
  cases[1] = {"a 64 KiB line before the list", {}, "ERROR: Uploading is not complete. try again"};
  cases[1].options.longLineBytes = 64 * 1024;
  cases[2] = {"gone before go", {}, "Serial Port Open FAILED!!!"};
  cases[2].options.hangUpBeforeGo = true;
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.options.listText = ReceiverList();
    reporter.messages.clear();
    receiver.StartConsole(c.options);
    settings.port = receiver.DevicePath();
    settings.consolePause = std::chrono::milliseconds(c.options.hangUpBeforeGo ? 100 : 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(UploadChannelList(*port, output, settings, reporter));
    EXPECT_LT(SecondsSince(start), 5.0);
    receiver.Stop();
    ASSERT_FALSE(reporter.messages.empty());
    EXPECT_EQ(reporter.messages.back(), c.lastMessage);
    EXPECT_FALSE(FileExists(output));
    EXPECT_FALSE(PortHeld());
  }
}

TEST(ConsoleCapture, KeepsOnlyTheMarkedLines) {
  EXPECT_EQ(FilterConsoleCapture("dumpch\r\n||[SATELLITE_NAME_LIST]\r\nSTB> ||1 \"A\"\r\nnoise\r\n||[END]  "),
            "[SATELLITE_NAME_LIST]\r\n1 \"A\"\r\n[END]   ");
  EXPECT_EQ(FilterConsoleCapture(std::string("||a\0b\r\n|x||c\r\n", 14) + "  "), "a b\r\nc\r\n ");
  // A closing prompt: the end block goes over the last 18 bytes written.
  EXPECT_EQ(FilterConsoleCapture("||0123456789ABCDEFGHIJ\r\n>"), "0123 \r\n[END]\r\n\r\nGHIJ\r\n");
  // ... and never before the start of the text.
  EXPECT_EQ(FilterConsoleCapture("||ab\r\n>"), " \r\n[END]\r\n\r\n");
  EXPECT_EQ(FilterConsoleCapture(""), "");
}

}  // namespace
}  // namespace chanora::testing

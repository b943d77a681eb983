// Protocol edge cases on a scripted line: replies parted at every position,
// a write that goes out short, a write that the line never takes.
#include <thread>

#include "serial/channel_upload.h"
#include "serial/flash_download.h"
#include "serial/frames.h"
#include "tests/serial/transfer_fixture.h"
#include "tests/support/scripted_serial_port.h"

namespace chanora::testing {
namespace {

using std::chrono::milliseconds;

// Every frame the scripted receiver sends, parted after `splitAt` bytes
// into two bursts (not at all for 0).
std::vector<std::string> Parted(std::string_view frame, std::size_t splitAt) {
  if (splitAt == 0 || splitAt >= frame.size()) return {std::string(frame)};
  return {std::string(frame.substr(0, splitAt)), std::string(frame.substr(splitAt))};
}

// A flash loader that answers by content: its request until the PC
// answers it, ACK to the file header, to a descriptor and to a whole
// packet, ERR to a packet cut short, ACK and POK to DIS.
class ScriptedLoader : public ScriptedReceiver {
 public:
  explicit ScriptedLoader(std::size_t splitAt = 0) : splitAt_(splitAt) {}

  std::vector<std::string> Heard(std::string_view bytes) override {
    if (bytes == kAckFrame) {
      connected_ = true;
      return Parted(kNxtFrame, splitAt_);
    }
    if (bytes == kNxtFrame) return {};
    if (bytes == kDisFrame) {
      std::vector<std::string> replies = Parted(kAckFrame, splitAt_);
      for (std::string& part : Parted(kPokFrame, splitAt_)) replies.push_back(std::move(part));
      return replies;
    }
    if (bytes.starts_with("\x55\xAA")) {
      received += bytes;
    } else if (bytes[0] == '\x02' && bytes.size() == 14) {
      announced_ = BigEndian(std::string(bytes), 1, 4);
    } else if (bytes.starts_with("ZZ") && bytes.size() == 16 + announced_) {
      received += bytes;
    } else {
      ++refused;
      return Parted(kErrFrame, splitAt_);
    }
    return Parted(kAckFrame, splitAt_);
  }

  std::vector<std::string> Idle() override {
    return connected_ ? std::vector<std::string>{} : Parted(kHeiFrame, splitAt_);
  }

  std::string received;  // the file header and every packet taken
  int refused = 0;

 private:
  static std::uint32_t BigEndian(const std::string& bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
  }

  std::size_t splitAt_;
  bool connected_ = false;
  std::uint32_t announced_ = 0;
};

// A console that prints its printout, in the bursts given, once the dump
// command has been typed, and counts the "go" it is told.
class ScriptedConsole : public ScriptedReceiver {
 public:
  explicit ScriptedConsole(std::vector<std::string> printout) : printout_(std::move(printout)) {}

  std::vector<std::string> Heard(std::string_view bytes) override {
    typed += bytes;
    if (typed.ends_with("go\r\n")) ++goes;
    if (!typed.ends_with("dumpch\r\n")) return {};
    return printout_;
  }

  std::string typed;
  int goes = 0;

 private:
  std::vector<std::string> printout_;
};

using ScriptedLineTest = TransferTest;

TEST_F(ScriptedLineTest, DownloadPutsTogetherEveryReplyPartedAnywhere) {
  const std::string file = ReadBytes(DemoPacketFile());
  for (std::size_t splitAt = 0; splitAt < 8; ++splitAt) {
    SCOPED_TRACE("replies parted after " + std::to_string(splitAt) + " bytes");
    ScriptedLoader loader(splitAt);
    ScriptedSerialPort line(loader, &cancel);
    reporter.messages.clear();
    EXPECT_TRUE(FlashDownload(line, dir.File("demo.bin"), settings, reporter));
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Flash download is terminated successfully.\n"});
    EXPECT_EQ(loader.received, file);
    EXPECT_EQ(loader.refused, 0);
    EXPECT_TRUE(ProgressInRange());
    EXPECT_FALSE(line.IsOpen());
  }
}

TEST_F(ScriptedLineTest, DownloadSendsAPacketThatWentOutShortAgainWhole) {
  const std::string file = ReadBytes(DemoPacketFile());
  ScriptedLoader loader;
  ScriptedSerialPort line(loader, &cancel);
  line.PlanTrouble(WriteTrouble::Short, 100, 60);
  EXPECT_TRUE(FlashDownload(line, dir.File("demo.bin"), settings, reporter));
  EXPECT_EQ(loader.refused, 1);
  EXPECT_EQ(loader.received, file);
  EXPECT_EQ(reporter.messages, std::vector<std::string>{"Flash download is terminated successfully.\n"});
}

TEST_F(ScriptedLineTest, TransfersEndSoonAfterACancelThatAStalledWriteWaitsFor) {
  const std::string path = DemoPacketFile();
  const std::string demo = DemoListBytes();
  ScriptedLoader loader;
  ScriptedConsole console({"dumpch\r\n" + demo.substr(demo.find("[SATELLITE_NAME_LIST]"))});
  ScriptedSerialPort loaderLine(loader, &cancel);
  ScriptedSerialPort consoleLine(console, &cancel);
  loaderLine.PlanTrouble(WriteTrouble::StallsUntilCancelled, 100);  // the first packet
  consoleLine.PlanTrouble(WriteTrouble::StallsUntilCancelled, 1);   // the first wake-up
  const std::string output = dir.File("upload.txt");
  for (const bool download : {true, false}) {
    SCOPED_TRACE(download ? "download" : "upload");
    cancel = false;
    reporter.messages.clear();
    std::thread user([this] {
      std::this_thread::sleep_for(milliseconds(100));
      cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(download ? FlashDownload(loaderLine, path, settings, reporter)
                          : UploadChannelList(consoleLine, output, settings, reporter));
    user.join();
    EXPECT_LT(SecondsSince(start), 0.6);
    ASSERT_FALSE(reporter.messages.empty());
    EXPECT_EQ(reporter.messages.back(), "Transfer cancelled by the user.\n");
  }
  EXPECT_FALSE(loaderLine.IsOpen());
  EXPECT_FALSE(consoleLine.IsOpen());
  // The console was told to go on in a port cycle of its own; no list was kept.
  EXPECT_EQ(consoleLine.Cycles(), (std::vector<std::string>{"", "go\r\n"}));
  EXPECT_FALSE(FileExists(output));
}

TEST_F(ScriptedLineTest, UploadFindsTheEndOfTheListPartedAnywhere) {
  const std::string printout =
      "dumpch\r\n" + CrLfLines({"||[SATELLITE_NAME_LIST]", "||1      \"AURORA 1\"", "||[END]"}) + "STB> ";
  const std::size_t end = printout.find("[END]");
  const std::string output = dir.File("upload.txt");
  for (std::size_t at = end; at <= end + 5; ++at) {
    SCOPED_TRACE("printout parted after " + std::to_string(at) + " bytes");
    ScriptedConsole console({printout.substr(0, at), printout.substr(at)});
    ScriptedSerialPort line(console, &cancel);
    reporter.messages.clear();
    EXPECT_TRUE(UploadChannelList(line, output, settings, reporter));
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Uploading SUCESS"});
    EXPECT_EQ(ReadBytes(output), "[SATELLITE_NAME_LIST]\r\n1      \"AURORA 1\"\r\n[END]   ");
    EXPECT_EQ(console.goes, 1);
    EXPECT_EQ(line.Cycles().back(), "go\r\n");
    EXPECT_TRUE(ProgressInRange());
  }
}

}  // namespace
}  // namespace chanora::testing

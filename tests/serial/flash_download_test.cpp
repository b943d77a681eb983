#include <thread>

#include "serial/flash_download.h"
#include "tests/serial/serial_fixture.h"

namespace chanora::testing {
namespace {

using FlashDownloadTest = SerialTest;
using std::chrono::milliseconds;

// The packets of a packet file, as the receiver should get them.
std::vector<std::string> PacketsOf(const std::string& file) {
  std::vector<std::string> packets;
  for (std::size_t at = 14; at + 12 <= file.size();) {
    std::size_t length = 0;
    for (int i = 8; i < 12; ++i) length = length * 256 + static_cast<unsigned char>(file[at + i]);
    packets.push_back(file.substr(at, 16 + length));
    at += 16 + length;
  }
  return packets;
}

TEST_F(FlashDownloadTest, SendsEveryPacketAndReportsTheReceiversVerdict) {
  const std::string path = DemoPacketFile();
  receiver.StartFlashLoader({});
  EXPECT_TRUE(FlashDownload(*port, path, settings, reporter));
  const LoaderReport report = receiver.WaitLoader();
  const std::string file = ReadBytes(path);
  EXPECT_EQ(report.header, file.substr(0, 14));
  EXPECT_EQ(report.packets, PacketsOf(file));
  EXPECT_TRUE(report.problems.empty()) << report.problems.front();
  EXPECT_EQ(reporter.messages, std::vector<std::string>{"Flash download is terminated successfully.\n"});
  EXPECT_EQ(reporter.lines,
            (std::vector<std::string>{
                "CLEAR ALL MESSAGE", "serial initialize\r\n", "Try to make connection...\r\n",
                "Waitiing Message from Satellite Receiver\r\n",
                "CONNECTING \r\n=> 1.Waiting DN_OPER_REQ from STB \r\n=>COMPLETE while read 1 times\r\n",
                "\r\nConnetion established...\r\n", "send DN_HEADER => 1 times\r\n",
                "\r\nNow, we start to send data packet\r\n", "\r\nWaiting termination message from STB.\r\n",
                "\r\nDisconnecting serial port\r\n"}));
  EXPECT_EQ(reporter.progress.back(), 100);
  EXPECT_FALSE(PortHeld());
}

struct FaultCase {
  const char* what;
  LoaderOptions options;
  bool downloaded;
  const char* lastMessage;
  double maxSeconds;
};

LoaderOptions WithFaults(std::vector<Fault> faults) {
  LoaderOptions options;
  options.faults = std::move(faults);
  return options;
}

TEST_F(FlashDownloadTest, RecoversOrFailsClearlyOnEveryReceiverFault) {
  const std::string path = DemoPacketFile();
  auto every = [](LoaderStep step, FaultKind kind) { return Fault{step, 0, kind}; };
  const char* kDone = "Flash download is terminated successfully.\n";
  const char* kAbnormal = "Flash download is terminated abnormally\n";
  LoaderOptions slow = WithFaults({{LoaderStep::PacketAck, 1, FaultKind::Slow}});
  slow.slowDelay = milliseconds(150);
  LoaderOptions refusing;
  refusing.verdictOk = false;
  LoaderOptions off;
  off.silent = true;
  LoaderOptions flood = WithFaults({every(LoaderStep::Request, FaultKind::Junk)});
  flood.junkBytes = 64 * 1024;
  std::vector<FaultCase> cases = {
      {"a flood of junk", flood, false, "Connetion fail with STB.\n", 4},
      {"shifted request", WithFaults({{LoaderStep::Request, 1, FaultKind::Junk}}), true, kDone, 3},
      {"garbled confirm", WithFaults({{LoaderStep::ConnectConfirm, 1, FaultKind::Garble}}), true, kDone, 3},
      {"one header NAK", WithFaults({{LoaderStep::HeaderAck, 1, FaultKind::Nak}}), true, kDone, 3},
      {"slow packet ACK", slow, true, kDone, 3},
      {"header never acknowledged", WithFaults({every(LoaderStep::HeaderAck, FaultKind::Nak)}), false,
       "\nSTB doesn't ack.\n", 3},
      {"descriptor never acknowledged", WithFaults({every(LoaderStep::DescriptorAck, FaultKind::Drop)}), false,
       "\nSTB doesn't ack\n", 4},
      {"packet always garbled", WithFaults({every(LoaderStep::PacketAck, FaultKind::Garble)}), false,
       "\nAborting to send data due to communication problems!\n", 4},
      {"hang-up in a packet", WithFaults({{LoaderStep::PacketAck, 1, FaultKind::HangUp}}), false,
       "\nAborting to send data due to communication problems!\n", 4},
      {"receiver answers PER", refusing, false, kAbnormal, 3},
      {"no verdict", WithFaults({every(LoaderStep::Verdict, FaultKind::Drop)}), false, kAbnormal, 5},
      {"receiver left off", off, false, "Connetion fail with STB.\n", 5},
  };
  for (FaultCase& c : cases) {
    SCOPED_TRACE(c.what);
    reporter.messages.clear();
    receiver.StartFlashLoader(c.options);
    settings.port = receiver.DevicePath();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FlashDownload(*port, path, settings, reporter), c.downloaded);
    EXPECT_LT(SecondsSince(start), c.maxSeconds);
    receiver.Stop();
    ASSERT_FALSE(reporter.messages.empty());
    EXPECT_EQ(reporter.messages.back(), c.lastMessage);
    EXPECT_EQ(reporter.messages.size(), 1u);
    EXPECT_TRUE(ProgressInRange());
    EXPECT_FALSE(PortHeld());
  }
}

TEST_F(FlashDownloadTest, RefusesUnusableFilesAndPorts) {
  const std::string good = ReadBytes(DemoPacketFile());
  WriteBytes(dir.File("empty.bin"), "");
  WriteBytes(dir.File("stray.bin"), good + "12345");
  std::string huge = good;
  huge[14 + 8] = '\x01';  // a packet longer than the loader can take
  WriteBytes(dir.File("huge.bin"), huge);
  std::string headerless = good;
  headerless[0] = 'X';
  WriteBytes(dir.File("headerless.bin"), headerless);

  struct Case {
    std::string file;
    std::string port;
    bool receiverOn;
    std::string message;
  };
  const Case cases[] = {
      {"empty.bin", receiver.DevicePath(), false, "File packet information is not correct.\n"},
      {"missing.bin", receiver.DevicePath(), false, "Fail to open input file " + dir.File("missing.bin") + "\n"},
      {"demo.bin", "COM7", false, "Selected Com Port is illegal!!!, Select again at Option Menu"},
      {"demo.bin", dir.File("no-such-device"), false, "Serial Port Open FAILED!!!"},
      {"headerless.bin", "", true, "File header format is not correct.\n"},
      {"stray.bin", "", true, "\nERROR in reading File read error.\n"},
      {"huge.bin", "", true, "File packet information is not correct.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " on " + c.port);
    reporter.messages.clear();
    if (c.receiverOn) receiver.StartFlashLoader({});
    settings.port = c.port.empty() ? receiver.DevicePath() : c.port;
    EXPECT_FALSE(FlashDownload(*port, dir.File(c.file), settings, reporter));
    receiver.Stop();
    EXPECT_EQ(reporter.messages, std::vector<std::string>{c.message});
    EXPECT_TRUE(ProgressInRange());
    EXPECT_FALSE(PortHeld());
  }
}

TEST_F(FlashDownloadTest, CancelEndsTheWaitAtOnce) {
  const std::string path = DemoPacketFile();
  LoaderOptions off;
  off.silent = true;
  receiver.StartFlashLoader(off);
  std::thread user([this] {
    std::this_thread::sleep_for(milliseconds(200));
    cancel = true;
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(FlashDownload(*port, path, settings, reporter));
  user.join();
  EXPECT_LT(SecondsSince(start), 1.0);
  EXPECT_EQ(reporter.messages, std::vector<std::string>{"Transfer cancelled by the user.\n"});
  EXPECT_FALSE(PortHeld());
}

}  // namespace
}  // namespace chanora::testing

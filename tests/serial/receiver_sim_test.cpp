#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "base/crc.h"
#include "packets/packet_conversion.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "tools/simulated_receiver.h"

namespace chanora::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string kHei("\x02HEIhei\x03", 8),
    kAck(
        "\x02"
        "ACKack\x03",
        8),
    kNxt("\x02NXTnxt\x03", 8),
    kErr(
        "\x02"
        "ERRerr\x03",
        8),
    kDis(
        "\x02"
        "DISdis\x03",
        8),
    kPok("\x02POKpok\x03", 8), kPer("\x02PERper\x03", 8);

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

std::string PutBigEndian(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
          static_cast<char>(value)};
}

// The PC's end: the slave opened raw, as the serial code opens a port.
class Pc {
 public:
  explicit Pc(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios settings{};
    if (fd_ < 0 || ::tcgetattr(fd_, &settings) != 0) ADD_FAILURE() << "cannot open " << path;
    ::cfmakeraw(&settings);
    ::tcsetattr(fd_, TCSANOW, &settings);
  }
  ~Pc() { ::close(fd_); }
  void Write(const std::string& bytes) { ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  // Up to `count` bytes: 3 s for the first, then a gap of 300 ms ends the read short.
  std::string Read(std::size_t count) {
    std::string got;
    while (got.size() < count) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, got.empty() ? 3000 : 300) <= 0) break;
      char c;
      if (::read(fd_, &c, 1) != 1) break;
      got += c;
    }
    return got;
  }
  std::string ReadThrough(const std::string& end) {
    std::string got;
    char chunk[4096];
    pollfd p{fd_, POLLIN, 0};
    while (got.find(end) == std::string::npos && ::poll(&p, 1, 3000) > 0) {
      const ssize_t n = ::read(fd_, chunk, sizeof chunk);
      if (n <= 0) break;
      got.append(chunk, n);
    }
    return got;
  }

 private:
  int fd_;
};

// A packet file of two packets: 32 bytes at 0x7FF20000 and 16 at 0x7FF30000.
std::string TinyPacketFile() {
  std::string hex;
  for (unsigned address : {0x7FF20000u, 0x7FF20010u, 0x7FF30000u}) {
    char line[80];
    std::snprintf(line, sizeof line, "%08X", address);
    hex += line;
    for (int i = 0; i < 16; ++i) hex += " " + std::to_string(10 + (address + i) % 90);
    hex += "\n";
  }
  RecordingReporter reporter;
  return ConvertHexToPackets(hex, reporter).value_or("");
}

std::string Descriptor(const std::string& header, const std::string& packet) {
  const std::uint32_t length = BigEndian(packet, 8);
  std::string descriptor = "\x02" + PutBigEndian(length) + PutBigEndian(~length) + header[9];
  return descriptor + PutBigEndian(CRC32(descriptor));
}

// Everything after the connection: header, each packet, DIS; returns the verdict.
std::string SendFile(Pc& pc, const std::string& bin, bool nakedHeader = false, bool badFirstPacket = false) {
  const std::string header = bin.substr(0, 14);
  pc.Write(header);
  if (nakedHeader) {
    EXPECT_EQ(pc.Read(8), kErr);
    pc.Write(header);
  }
  EXPECT_EQ(pc.Read(8), kAck);
  for (std::size_t at = 14; at < bin.size();) {
    const std::string packet = bin.substr(at, 16 + BigEndian(bin, at + 8));
    at += packet.size();
    pc.Write(kNxt + Descriptor(header, packet));
    EXPECT_EQ(pc.Read(8), kAck);
    std::string sent = packet;
    if (badFirstPacket && at == 14 + packet.size()) sent.back() ^= 1;
    pc.Write(kNxt + sent);
    if (sent != packet) {
      EXPECT_EQ(pc.Read(8), kErr);
      pc.Write(packet);
    }
    EXPECT_EQ(pc.Read(8), kAck);
  }
  pc.Write(kNxt + kDis);
  EXPECT_EQ(pc.Read(8), kAck);
  return pc.Read(8);
}

// HEI slower than the default, so that no second request overtakes the test's ACK.
LoaderOptions Loader(std::vector<Fault> faults = {}) {
  LoaderOptions options;
  options.faults = std::move(faults);
  options.requestInterval = 500ms;
  return options;
}

TEST(SimulatedLoader, TakesAGoodDownloadAndReportsWhatItGot) {
  const std::string bin = TinyPacketFile();
  ASSERT_EQ(bin.size(), 14u + 16 + 32 + 16 + 16);
  SimulatedReceiver receiver;
  receiver.StartFlashLoader(Loader());
  {
    Pc pc(receiver.DevicePath());
    ASSERT_EQ(pc.Read(8), kHei);
    pc.Write(kAck);
    ASSERT_EQ(pc.Read(8), kNxt);
    EXPECT_EQ(SendFile(pc, bin), kPok);
  }
  const LoaderReport report = receiver.WaitLoader(10s);
  EXPECT_TRUE(report.connected);
  EXPECT_EQ(report.header, bin.substr(0, 14));
  EXPECT_EQ(report.packets, (std::vector<std::string>{bin.substr(14, 48), bin.substr(62, 32)}));
  EXPECT_EQ(report.problems, std::vector<std::string>{});
  EXPECT_TRUE(report.disReceived && report.verdictSent);
  EXPECT_EQ(report.framesFromPc, "ACK HDR NXT DSC NXT PKT NXT DSC NXT PKT NXT DIS");
}

TEST(SimulatedLoader, ShiftedRequestIsFoundAgainAfterTheErrFrame) {
  SimulatedReceiver receiver;
  receiver.StartFlashLoader(Loader({{LoaderStep::Request, 1, FaultKind::Junk}}));
  {
    Pc pc(receiver.DevicePath());
    const std::string first = pc.Read(8);
    ASSERT_EQ(first.size(), 8u);
    EXPECT_EQ(first.substr(3), kHei.substr(0, 5));  // the PC resyncs at offset 3
    pc.Write(kErr);
    EXPECT_EQ(pc.Read(11).substr(3), kHei);
    pc.Write(kAck);
    ASSERT_EQ(pc.Read(8), kNxt);
    EXPECT_EQ(SendFile(pc, TinyPacketFile()), kPok);
  }
  EXPECT_EQ(receiver.WaitLoader(10s).framesFromPc.substr(0, 11), "ERR ACK HDR");
}

TEST(SimulatedLoader, RefusedHeaderIsTakenOnResendAndBadPacketEndsInPer) {
  SimulatedReceiver receiver;
  receiver.StartFlashLoader(Loader({{LoaderStep::HeaderAck, 1, FaultKind::Nak}}));
  {
    Pc pc(receiver.DevicePath());
    ASSERT_EQ(pc.Read(8), kHei);
    pc.Write(kAck);
    ASSERT_EQ(pc.Read(8), kNxt);
    EXPECT_EQ(SendFile(pc, TinyPacketFile(), true, true), kPer);
  }
  const LoaderReport report = receiver.WaitLoader(10s);
  EXPECT_EQ(report.framesFromPc, "ACK HDR HDR NXT DSC NXT PKT PKT NXT DSC NXT PKT NXT DIS");
  ASSERT_EQ(report.problems.size(), 1u);
  EXPECT_NE(report.problems[0].find("packet 0: CRC-32"), std::string::npos) << report.problems[0];
  EXPECT_EQ(report.packets.size(), 2u);
}

TEST(SimulatedConsole, PrintsTheListAtLineRateAndTakesGoOnTheSecondPortCycle) {
  SimulatedReceiver receiver;
  ConsoleOptions options;
  options.listText = CrLfLines({"[SATELLITE_NAME_LIST]", "1      \"AURORA 1\""});
  options.longLineBytes = 4000;
  options.paceAtLineRate = true;
  receiver.StartConsole(options);
  {
    Pc pc(receiver.DevicePath());
    for (const char* wake : {"\r\n", "\x1b", "\r\n"}) pc.Write(std::string(wake, 2));  // CR LF, ESC NUL
    const auto typed = Clock::now();
    pc.Write("dumpch\r\n\r\n");
    const std::string capture = pc.ReadThrough("[END]");
    const auto elapsed = Clock::now() - typed;
    const std::size_t echo = capture.find("dumpch");
    ASSERT_NE(echo, std::string::npos) << capture;
    EXPECT_NE(capture.find("||[SATELLITE_NAME_LIST]\r\n||1      \"AURORA 1\"\r\n||[END]"), std::string::npos);
    // Every byte from the echo on takes 86.8 us on the wire (the bound above leaves room for a busy machine).
    const auto lineTime = (capture.size() - echo) * std::chrono::nanoseconds(86806);
    EXPECT_GE(elapsed, lineTime);
    EXPECT_LE(elapsed, lineTime * 2 + 250ms);
  }
  Pc(receiver.DevicePath()).Write("go\r\n");
  const ConsoleReport report = receiver.WaitConsole(10s);
  EXPECT_TRUE(report.woke && report.commandReceived && report.goReceived);
  EXPECT_EQ(report.portOpens, 2);
  EXPECT_EQ(report.typed.substr(report.typed.size() - 4), "go\r\n");
}

}  // namespace
}  // namespace chanora::testing

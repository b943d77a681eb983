// The system's serial port over a pseudo-terminal whose far end reads
// nothing: a stalled line, as a receiver that has stopped taking bytes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "serial/serial_port.h"

namespace chanora::testing {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class StalledLine {
 public:
  StalledLine() : master_(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    char name[128];
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
      ADD_FAILURE() << "cannot open a pseudo-terminal";
      return;
    }
    device_ = name;
  }
  ~StalledLine() { HangUp(); }

  // Frees a writer that waits on the line.
  void HangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

  const std::string& Device() const { return device_; }
  // Everything that has come through, once the line stays quiet for 100 ms.
  std::string Drain() {
    std::string got;
    char chunk[65536];
    pollfd wait{master_, POLLIN, 0};
    while (::poll(&wait, 1, 100) > 0) {
      const ssize_t n = ::read(master_, chunk, sizeof chunk);
      if (n <= 0) break;
      got.append(chunk, static_cast<std::size_t>(n));
    }
    return got;
  }
  void Send(const std::string& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }

 private:
  int master_;
  std::string device_;
};

TEST(SystemSerialPort, ACancelEndsAStalledWriteAtOnceAndStillLetsAShortOneOut) {
  StalledLine line;
  std::atomic<bool> cancel{false};
  const auto port = MakeSystemSerialPort(&cancel);
  ASSERT_TRUE(port->Open(line.Device()));
  ASSERT_TRUE(port->Configure());

  // Far more than the line holds: without a cancel this write would wait 10 ms a byte.
  const std::string packet(1 << 20, 'Z');
  std::size_t written = 0;
  std::atomic<bool> returned{false};
  std::thread writer([&] {
    written = port->Write(packet.data(), packet.size());
    returned = true;
  });
  std::this_thread::sleep_for(300ms);
  cancel = true;
  std::this_thread::sleep_for(150ms);  // 50 ms slices, and room for a busy machine
  const bool gaveUp = returned;
  if (!gaveUp) line.HangUp();
  writer.join();
  ASSERT_TRUE(gaveUp) << "the write went on after the cancel";
  EXPECT_GT(written, 0u);
  EXPECT_LT(written, packet.size());

  // What the line takes at once still goes out (the receiver's "go"); a read gives up at once.
  EXPECT_EQ(line.Drain().size(), written);
  EXPECT_EQ(port->Write("go\r\n", 4), 4u);
  EXPECT_EQ(line.Drain(), "go\r\n");
  line.Send("x");
  char byte;
  const auto reading = Clock::now();
  EXPECT_EQ(port->Read(&byte, 1, 2000ms), 0u);
  EXPECT_LT(Clock::now() - reading, 100ms);
  port->Close();
}

}  // namespace
}  // namespace chanora::testing

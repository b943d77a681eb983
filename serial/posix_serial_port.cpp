// The serial port on POSIX systems: termios for the line, poll() for the
// timing of reads and writes (VTIME counts in 100 ms steps, too coarse for a
// 10 ms gap, and knows nothing of a cancel).
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

#include "serial/serial_port.h"

namespace chanora {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;


class PosixSerialPort : public SerialPort {
 public:
  explicit PosixSerialPort(const std::atomic<bool>* cancel) : cancel_(cancel) {}
  ~PosixSerialPort() override { Close(); }

  bool Open(const std::string& device) override {
    Close();
    fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
    // Exclusive use: a second open of the device fails while we hold it.
    if (::ioctl(fd_, TIOCEXCL) != 0 && errno != ENOTTY) {
      Close();
      return false;
    }
    return true;
  }

  bool Configure() override {
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0) return false;
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~(CSTOPB | PARENB | CSIZE | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::cfsetispeed(&settings, B115200) != 0 || ::cfsetospeed(&settings, B115200) != 0) return false;
    return ::tcsetattr(fd_, TCSANOW, &settings) == 0;
  }

  void ClearModemLines() override {
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &lines);  // a pseudo-terminal has no modem lines
  }

  void Purge() override { ::tcflush(fd_, TCIOFLUSH); }

  std::size_t Read(char* buffer, std::size_t count, milliseconds firstByte) override {
    std::size_t got = 0;
    auto deadline = Clock::now() + firstByte;
    while (got < count) {
      if (!WaitReady(POLLIN, deadline)) break;
      ssize_t n = ::read(fd_, buffer + got, count - got);
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (n <= 0) break;  // the line hung up
      got += static_cast<std::size_t>(n);
      deadline = Clock::now() + kByteGap;
    }
    return got;
  }

  std::size_t Write(const char* data, std::size_t count) override {
    std::size_t done = 0;
    // A write that the line does not take within 10 ms a byte ends short;
    // after a cancel it takes what goes out at once and waits for no more.
    const auto deadline = Clock::now() + kByteGap * (static_cast<long>(count) + 1);
    while (done < count && fd_ >= 0) {
      const ssize_t n = ::write(fd_, data + done, count - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n == 0 || errno != EAGAIN || !WaitReady(POLLOUT, deadline)) {
        break;
      }
    }
    return done;
  }

  void Close() override {
    if (fd_ < 0) return;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
  }

 private:
  // Waits until the line can take or give bytes (`events`), until the
  // deadline, in short slices so that a cancel is seen at once; false on
  // time-out, cancel or hang-up.
  bool WaitReady(short events, Clock::time_point deadline) {
    while (true) {
      if (cancel_ != nullptr && cancel_->load()) return false;
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return false;
      pollfd wait{fd_, events, 0};
      const int ready = ::poll(&wait, 1, static_cast<int>(std::min(left, kCancelCheck).count()) + 1);
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0) return false;
      if (ready > 0) return (wait.revents & events) != 0;
    }
  }

  const std::atomic<bool>* cancel_;
  int fd_ = -1;
};

// The kernel keeps ttyS nodes for ports that are not there; a real one
// reports its UART type. One we may not open is listed all the same.
bool IsPresent(const std::string& device) {
  if (device.rfind("/dev/ttyS", 0) != 0) return true;
  int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == EACCES || errno == EBUSY;
  serial_struct info{};
  const bool present = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
  ::close(fd);
  return present;
}

}  // namespace

std::vector<std::string> SystemSerialDevices() {
  std::vector<std::string> devices;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("ttyS", 0) == 0 || name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0) {
      if (IsPresent(entry.path().string())) devices.push_back(entry.path().string());
    }
  }
  std::sort(devices.begin(), devices.end());
  return devices;
}

std::optional<std::string> DeviceOfPort(std::string_view port) {
  if (!port.empty() && port[0] == '/') return std::string(port);
  if (port.size() == 4 && std::toupper(static_cast<unsigned char>(port[0])) == 'C' &&
      std::toupper(static_cast<unsigned char>(port[1])) == 'O' &&
      std::toupper(static_cast<unsigned char>(port[2])) == 'M') {
    port.remove_prefix(3);
  }
  if (port.size() == 1 && port[0] >= '1' && port[0] <= '4') {
    return "/dev/ttyS" + std::string(1, static_cast<char>(port[0] - 1));
  }
  return std::nullopt;
}

std::unique_ptr<SerialPort> MakeSystemSerialPort(const std::atomic<bool>* cancel) {
  return std::make_unique<PosixSerialPort>(cancel);
}

}  // namespace chanora

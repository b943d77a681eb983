// The serial port on Windows. Reads and writes are cut into slices of at
// most 50 ms through the port's time-outs, so that a cancel is seen between
// them: a read slice returns as soon as any byte is there (ReadIntervalTimeout
// and ReadTotalTimeoutMultiplier MAXDWORD, the constant the slice), a write
// slice when the line has taken the bytes or the constant has passed.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include "base/windows_text.h"
#include "serial/serial_port.h"

namespace chanora {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// After a cancel a write waits no more than this for the line to take bytes.
constexpr milliseconds kNoWait{1};

constexpr std::string_view kDevicePrefix = "\\\\.\\";

// The number of a port named "COMn" in any case (n without leading zeros),
// the name itself being no device path: the system knows "COM10" and above
// only through the device namespace.
std::optional<std::string_view> ComNumber(std::string_view name) {
  if (name.size() < 4 || name.size() > 12) return std::nullopt;
  for (std::size_t i = 0; i < 3; ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return std::nullopt;
  }
  const std::string_view number = name.substr(3);
  if (number[0] == '0') return std::nullopt;
  if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  return number;
}

std::string ComDevice(std::string_view number) { return std::string(kDevicePrefix) + "COM" + std::string(number); }

class WindowsSerialPort : public SerialPort {
 public:
  explicit WindowsSerialPort(const std::atomic<bool>* cancel) : cancel_(cancel) {}
  ~WindowsSerialPort() override { Close(); }

  bool Open(const std::string& device) override {
    Close();
    const auto number = ComNumber(device);
    const std::wstring path = WideFromUtf8(number ? ComDevice(*number) : device);
    // No sharing: a second open of the port fails while we hold it.
    handle_ = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    slices_.reset();
    return true;
  }

  bool Configure() override {
    DCB line{};
    line.DCBlength = sizeof line;
    line.BaudRate = CBR_115200;
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fBinary = TRUE;
    line.fDtrControl = DTR_CONTROL_DISABLE;
    line.fRtsControl = RTS_CONTROL_DISABLE;
    line.XonLim = 1;
    line.XoffLim = 1;
    // Unused with XON/XOFF off, but the driver refuses the whole setting when
    // the two are equal, which would leave the line at its old speed.
    line.XonChar = 0x11;
    line.XoffChar = 0x13;
    return ::SetCommState(handle_, &line) != 0;
  }

  void ClearModemLines() override {
    ::EscapeCommFunction(handle_, CLRDTR);
    ::EscapeCommFunction(handle_, CLRRTS);
  }

  void Purge() override { ::PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR); }

  std::size_t Read(char* buffer, std::size_t count, milliseconds firstByte) override {
    std::size_t got = 0;
    auto deadline = Clock::now() + firstByte;
    while (got < count && handle_ != INVALID_HANDLE_VALUE && !Cancelled()) {
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) break;
      if (!UseSlices({std::min(left, kCancelCheck) + kNoWait, WriteSlice()})) break;
      DWORD n = 0;
      if (!::ReadFile(handle_, buffer + got, Chunk(count - got), &n, nullptr)) break;
      if (n == 0) continue;  // the slice passed without a byte
      got += n;
      deadline = Clock::now() + kByteGap;
    }
    return got;
  }

  std::size_t Write(const char* data, std::size_t count) override {
    std::size_t done = 0;
    // A write that the line does not take within 10 ms a byte ends short;
    // after a cancel it takes what goes out at once and waits for no more.
    const auto deadline = Clock::now() + kByteGap * (static_cast<long>(count) + 1);
    while (done < count && handle_ != INVALID_HANDLE_VALUE) {
      const bool cancelled = Cancelled();
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
      if (!cancelled && left.count() <= 0) break;
      const milliseconds slice = cancelled ? kNoWait : std::min(left, kCancelCheck) + kNoWait;
      if (!UseSlices({ReadSlice(), slice})) break;
      DWORD n = 0;
      const bool written = ::WriteFile(handle_, data + done, Chunk(count - done), &n, nullptr) != 0;
      done += n;
      // A slice that ran out ends with fewer bytes and success (or with
      // ERROR_TIMEOUT on some drivers); any other failure is a dead line.
      if (cancelled || (!written && ::GetLastError() != ERROR_TIMEOUT)) break;
    }
    return done;
  }

  void Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  bool Cancelled() const { return cancel_ != nullptr && cancel_->load(); }

  static DWORD Chunk(std::size_t count) { return static_cast<DWORD>(std::min<std::size_t>(count, 1 << 20)); }

  struct Slices {
    milliseconds read;
    milliseconds write;
    bool operator==(const Slices&) const = default;
  };

  milliseconds ReadSlice() const { return slices_ ? slices_->read : kCancelCheck; }
  milliseconds WriteSlice() const { return slices_ ? slices_->write : kCancelCheck; }

  // Gives the port the time-outs of these slices unless it has them: a
  // packet goes out one byte per write, each with its own slice.
  bool UseSlices(Slices wanted) {
    if (slices_ == wanted) return true;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(wanted.read.count());
    timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(wanted.write.count());
    if (!::SetCommTimeouts(handle_, &timeouts)) return false;
    slices_ = wanted;
    return true;
  }

  const std::atomic<bool>* cancel_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::optional<Slices> slices_;  // as last set on the open port
};

// "COM2" before "COM10": runs of digits compare by their value.
bool NaturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (std::isdigit(static_cast<unsigned char>(a[i])) && std::isdigit(static_cast<unsigned char>(b[j]))) {
      const std::size_t aEnd = a.find_first_not_of("0123456789", i);
      const std::size_t bEnd = b.find_first_not_of("0123456789", j);
      std::string_view aDigits = std::string_view(a).substr(i, aEnd - i);
      std::string_view bDigits = std::string_view(b).substr(j, bEnd - j);
      aDigits.remove_prefix(std::min(aDigits.find_first_not_of('0'), aDigits.size()));
      bDigits.remove_prefix(std::min(bDigits.find_first_not_of('0'), bDigits.size()));
      if (aDigits.size() != bDigits.size()) return aDigits.size() < bDigits.size();
      if (aDigits != bDigits) return aDigits < bDigits;
      i = std::min(aEnd, a.size());
      j = std::min(bEnd, b.size());
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

}  // namespace

std::vector<std::string> SystemSerialDevices() {
  std::vector<std::string> devices;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return devices;
  }
  DWORD nameSize = 0;
  DWORD dataSize = 0;
  if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nameSize, &dataSize,
                         nullptr, nullptr) == ERROR_SUCCESS) {
    std::wstring name(nameSize + 1, L'\0');
    std::wstring data(dataSize / sizeof(wchar_t) + 1, L'\0');
    for (DWORD index = 0;; ++index) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
      DWORD type = 0;
      const LSTATUS status = ::RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &dataBytes);
      if (status == ERROR_NO_MORE_ITEMS) break;
      if (status != ERROR_SUCCESS || type != REG_SZ) continue;
      // The stored text may or may not end in its NUL.
      std::wstring_view port(data.data(), dataBytes / sizeof(wchar_t));
      port = port.substr(0, port.find(L'\0'));
      if (!port.empty()) devices.push_back(std::string(kDevicePrefix) + Utf8FromWide(port));
    }
  }
  ::RegCloseKey(key);
  std::sort(devices.begin(), devices.end(), NaturalLess);
  return devices;
}

std::optional<std::string> DeviceOfPort(std::string_view port) {
  if (port.substr(0, kDevicePrefix.size()) == kDevicePrefix) return std::string(port);
  if (port.size() == 1 && port[0] >= '1' && port[0] <= '4') return ComDevice(port);
  if (const auto number = ComNumber(port)) return ComDevice(*number);
  return std::nullopt;
}

std::unique_ptr<SerialPort> MakeSystemSerialPort(const std::atomic<bool>* cancel) {
  return std::make_unique<WindowsSerialPort>(cancel);
}

}  // namespace chanora

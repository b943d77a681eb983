#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chanora {

// A pause longer than this between two bytes ends a read: the receiver's
// replies arrive as bursts.
inline constexpr std::chrono::milliseconds kByteGap{10};
// How soon a port sees a cancel while it waits on the line.
inline constexpr std::chrono::milliseconds kCancelCheck{50};

// One serial port of the operating system, as the transfers use it: opened
// for one port cycle at a time, with blocking reads that end early at a pause
// in the incoming bytes. The object outlives its port cycles: a transfer may
// open and close it more than once.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens an existing device for exclusive use; false when absent or busy.
  virtual bool Open(const std::string& device) = 0;
  // 115200 baud, 8 data bits, no parity, 1 stop bit, raw, no flow control.
  virtual bool Configure() = 0;
  // DTR and RTS inactive: the receiver must not see the PC as a modem.
  virtual void ClearModemLines() = 0;
  // Discards what waits in either direction.
  virtual void Purge() = 0;
  // Waits up to `firstByte` for the first byte, then takes bytes until
  // `count` have come or more than 10 ms pass between two of them. Returns
  // the count read: less than asked is a short read.
  virtual std::size_t Read(char* buffer, std::size_t count, std::chrono::milliseconds firstByte) = 0;
  // Writes the bytes that the line takes within 10 ms a byte (and 10 ms
  // more); returns the count written: less than asked is a short write.
  virtual std::size_t Write(const char* data, std::size_t count) = 0;
  virtual void Close() = 0;
};

// The serial port of this platform. Once `cancel` is set, a read gives up at
// once and a write puts out only what the line takes without waiting: the
// few bytes that tell the receiver to go on still leave, a stalled packet is
// abandoned within 50 ms.
std::unique_ptr<SerialPort> MakeSystemSerialPort(const std::atomic<bool>* cancel);

// The serial devices present on this system, in name order.
std::vector<std::string> SystemSerialDevices();

// The device that a port name stands for: "1" to "4" and "COM1" to "COM4"
// are the system's first four serial ports, a path names a device itself
// (a USB adapter, say). Nothing for any other name.
std::optional<std::string> DeviceOfPort(std::string_view port);

}  // namespace chanora

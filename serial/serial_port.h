#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace chanora {

// One serial port of the operating system, as the transfers use it: opened
// for one port cycle, with blocking reads that end early at a pause in the
// incoming bytes.
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
  // Writes all bytes unless the port fails; returns the count written.
  virtual std::size_t Write(const char* data, std::size_t count) = 0;
  virtual void Close() = 0;
};

// The serial port of this platform. Reads give up early once `cancel` is set.
std::unique_ptr<SerialPort> MakeSystemSerialPort(const std::atomic<bool>* cancel);

// The serial devices present on this system, in name order.
std::vector<std::string> SystemSerialDevices();

}  // namespace chanora

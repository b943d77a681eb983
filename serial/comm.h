#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "serial/serial_port.h"

namespace chanora {

class Reporter;

// The device that a port name stands for: "1" to "4" and "COM1" to "COM4"
// are the system's first four serial ports, a path names a device itself
// (a USB adapter, say). Nothing for any other name.
std::optional<std::string> DeviceOfPort(std::string_view port);

// One port cycle: open, configure, use, close. The port is closed on every
// way out, at the latest when the CComm goes.
class CComm {
 public:
  CComm(Reporter& reporter, const std::atomic<bool>* cancel);
  ~CComm();

  // Opens the port, reporting an illegal name or a port that cannot be opened.
  bool Open(std::string_view port);
  // Sets the fixed line settings; a refusal is reported and the cycle goes on.
  void Configure();
  // Discards what waits on the line in either direction.
  void Purge();
  std::size_t Read(char* buffer, std::size_t count, std::chrono::milliseconds firstByte);
  std::string Read(std::size_t count, std::chrono::milliseconds firstByte);
  void Write(std::string_view bytes);
  void Close();

 private:
  Reporter& reporter_;
  std::unique_ptr<SerialPort> port_;
  bool open_ = false;
};

}  // namespace chanora

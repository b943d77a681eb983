#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "serial/serial_port.h"

namespace chanora {

class Reporter;

// One port cycle over the caller's port, with its reporting: open,
// configure, purge, read, write, close. The port is closed on every way
// out, at the latest when the session goes; the port itself stays the
// caller's and may carry another session afterwards.
class PortSession {
 public:
  PortSession(SerialPort& port, Reporter& reporter);
  ~PortSession();
  PortSession(const PortSession&) = delete;
  PortSession& operator=(const PortSession&) = delete;

  // Opens the port that the name stands for, reporting an illegal name or a
  // port that cannot be opened.
  bool Open(std::string_view portName);
  // Sets the fixed line settings; a refusal is reported and the cycle goes on.
  void Configure();
  // Discards what waits on the line in either direction.
  void Purge();
  // Up to `count` bytes: fewer when the line pauses (see SerialPort::Read).
  std::string Read(std::size_t count, std::chrono::milliseconds firstByte);
  // The receiver's reply tells whether the bytes arrived, so a short write
  // is not reported here.
  void Write(std::string_view bytes);
  void Close();

 private:
  SerialPort& port_;
  Reporter& reporter_;
  bool open_ = false;
};

}  // namespace chanora

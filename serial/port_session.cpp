#include "serial/port_session.h"

#include "base/reporter.h"

namespace chanora {

PortSession::PortSession(SerialPort& port, Reporter& reporter) : port_(port), reporter_(reporter) {}

PortSession::~PortSession() { Close(); }

bool PortSession::Open(std::string_view portName) {
  auto device = DeviceOfPort(portName);
  if (!device) {
    reporter_.Message("Selected Com Port is illegal!!!, Select again at Option Menu");
    return false;
  }
  if (!port_.Open(*device)) {
    reporter_.Message("Serial Port Open FAILED!!!");
    return false;
  }
  open_ = true;
  port_.ClearModemLines();
  return true;
}

void PortSession::Configure() {
  if (open_ && !port_.Configure()) reporter_.Message("Serial Initialize failed");
}

void PortSession::Purge() {
  if (open_) port_.Purge();
}

std::string PortSession::Read(std::size_t count, std::chrono::milliseconds firstByte) {
  if (!open_) return {};
  std::string bytes(count, '\0');
  bytes.resize(port_.Read(bytes.data(), count, firstByte));
  return bytes;
}

void PortSession::Write(std::string_view bytes) {
  if (open_) port_.Write(bytes.data(), bytes.size());
}

void PortSession::Close() {
  if (!open_) return;
  open_ = false;
  // No purge: what was written (the final "go", say) must still reach the line.
  port_.Close();
}

}  // namespace chanora

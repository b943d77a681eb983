#include "serial/comm.h"

#include <cctype>

#include "base/reporter.h"

namespace chanora {

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

CComm::CComm(Reporter& reporter, const std::atomic<bool>* cancel)
    : reporter_(reporter), port_(MakeSystemSerialPort(cancel)) {}

CComm::~CComm() { Close(); }

bool CComm::Open(std::string_view port) {
  auto device = DeviceOfPort(port);
  if (!device) {
    reporter_.Message("Selected Com Port is illegal!!!, Select again at Option Menu");
    return false;
  }
  if (!port_->Open(*device)) {
    reporter_.Message("Serial Port Open FAILED!!!");
    return false;
  }
  open_ = true;
  port_->ClearModemLines();
  return true;
}

void CComm::Configure() {
  if (open_ && !port_->Configure()) reporter_.Message("Serial Initialize failed");
}

void CComm::Purge() {
  if (open_) port_->Purge();
}

std::size_t CComm::Read(char* buffer, std::size_t count, std::chrono::milliseconds firstByte) {
  return open_ ? port_->Read(buffer, count, firstByte) : 0;
}

std::string CComm::Read(std::size_t count, std::chrono::milliseconds firstByte) {
  std::string bytes(count, '\0');
  bytes.resize(Read(bytes.data(), count, firstByte));
  return bytes;
}

void CComm::Write(std::string_view bytes) {
  if (open_) port_->Write(bytes.data(), bytes.size());
}

void CComm::Close() {
  if (!open_) return;
  open_ = false;
  // No purge: what was written (the final "go", say) must still reach the line.
  port_->Close();
}

}  // namespace chanora

// The serial port on Windows: not written yet.
#include "serial/serial_port.h"

namespace chanora {

std::unique_ptr<SerialPort> MakeSystemSerialPort(const std::atomic<bool>*) { return nullptr; }

std::vector<std::string> SystemSerialDevices() { return {}; }

std::optional<std::string> DeviceOfPort(std::string_view) { return std::nullopt; }

}  // namespace chanora

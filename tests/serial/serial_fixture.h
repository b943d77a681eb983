#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "serial/serial_port.h"
#include "tests/serial/transfer_fixture.h"
#include "tools/simulated_receiver.h"

namespace chanora::testing {

// A transfer over the system's serial port against the simulated receiver.
class SerialTest : public TransferTest {
 protected:
  SerialTest() { settings.port = receiver.DevicePath(); }

  // Whether this process still holds a descriptor on the receiver's device.
  bool PortHeld() const {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code error;
      if (std::filesystem::read_symlink(entry.path(), error) == receiver.DevicePath()) return true;
    }
    return false;
  }

  SimulatedReceiver receiver;
  std::unique_ptr<SerialPort> port = MakeSystemSerialPort(&cancel);
};

}  // namespace chanora::testing

#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "engine/list_engine.h"
#include "serial/serial_port.h"
#include "serial/transfer_settings.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_transfer_settings.h"
#include "tools/simulated_receiver.h"

namespace chanora::testing {

// A transfer over the system's serial port against the simulated receiver,
// with bounds short enough for tests, and the packet file of the demo list
// at hand.
class SerialTest : public ::testing::Test {
 protected:
  SerialTest() {
    settings.port = receiver.DevicePath();
    settings.cancel = &cancel;
  }

  // The packet file of the demo list (one packet) or of a larger list.
  std::string DemoPacketFile() {
    WriteBytes(dir.File("demo.txt"), DemoListBytes());
    ListEngine engine(reporter);
    EXPECT_TRUE(engine.CompileFile(dir.File("demo.txt"), {}) && engine.ConvertToPackets(dir.File("demo.txt")));
    reporter.messages.clear();
    return dir.File("demo.bin");
  }

  // Whether this process still holds a descriptor on the receiver's device.
  bool PortHeld() const {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code error;
      if (std::filesystem::read_symlink(entry.path(), error) == receiver.DevicePath()) return true;
    }
    return false;
  }

  // The progress indicator was only ever given values it can show.
  bool ProgressInRange() const {
    return std::all_of(reporter.progress.begin(), reporter.progress.end(), [](int p) { return p >= 0 && p <= 100; });
  }

  static double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  SimulatedReceiver receiver;
  TempDir dir;
  RecordingReporter reporter;
  std::atomic<bool> cancel{false};
  std::unique_ptr<SerialPort> port = MakeSystemSerialPort(&cancel);
  TransferSettings settings = TestTransferSettings();
};

}  // namespace chanora::testing

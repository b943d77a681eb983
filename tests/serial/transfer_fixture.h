#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>

#include "engine/list_engine.h"
#include "serial/transfer_settings.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_transfer_settings.h"

namespace chanora::testing {

// A transfer with bounds short enough for tests, and the packet file of the
// demo list at hand.
class TransferTest : public ::testing::Test {
 protected:
  TransferTest() { settings.cancel = &cancel; }

  // The packet file of the demo list (one packet) or of a larger list.
  std::string DemoPacketFile() {
    WriteBytes(dir.File("demo.txt"), DemoListBytes());
    ListEngine engine(reporter);
    EXPECT_TRUE(engine.CompileFile(dir.File("demo.txt"), {}) && engine.ConvertToPackets(dir.File("demo.txt")));
    reporter.messages.clear();
    return dir.File("demo.bin");
  }

  // The progress indicator was only ever given values it can show.
  bool ProgressInRange() const {
    return std::all_of(reporter.progress.begin(), reporter.progress.end(), [](int p) { return p >= 0 && p <= 100; });
  }

  static double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  TempDir dir;
  RecordingReporter reporter;
  std::atomic<bool> cancel{false};
  TransferSettings settings = TestTransferSettings();
};

}  // namespace chanora::testing

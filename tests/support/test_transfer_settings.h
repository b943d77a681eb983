#pragma once

#include <chrono>

#include "serial/transfer_settings.h"

namespace chanora::testing {

// Waits short enough for tests against the simulated receiver, which answers
// at once, yet long enough for a busy machine.
inline TransferSettings TestTransferSettings() {
  TransferSettings settings;
  settings.firstRequestWait = std::chrono::milliseconds(3000);
  settings.replyWait = std::chrono::milliseconds(400);
  settings.verdictWait = std::chrono::milliseconds(1500);
  settings.consoleWait = std::chrono::milliseconds(150);
  settings.packetPause = std::chrono::milliseconds(0);
  settings.consolePause = std::chrono::milliseconds(1);
  return settings;
}

}  // namespace chanora::testing

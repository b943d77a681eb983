#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>

namespace chanora {

// Where and how long a transfer may wait. The receiver's loader speaks only
// after the user has switched it off and on, hence the long first wait.
struct TransferSettings {
  std::string port = "COM1";
  std::chrono::milliseconds firstRequestWait{30000};  // and the whole connection phase
  std::chrono::milliseconds replyWait{10000};         // any other reply
  std::chrono::milliseconds verdictWait{30000};       // the receiver programming its flash
  std::chrono::milliseconds consoleWait{2000};        // one read of the console printout
  std::chrono::milliseconds packetPause{1};           // before a packet goes out
  std::chrono::milliseconds consolePause{50};         // between keys typed on the console
  // Set from another thread to abandon the transfer; the same flag that the
  // port was made with, so that its reads and writes give up as well.
  const std::atomic<bool>* cancel = nullptr;
};

inline constexpr std::string_view kTransferCancelled = "Transfer cancelled by the user.\n";

}  // namespace chanora

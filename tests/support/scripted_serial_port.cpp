#include "tests/support/scripted_serial_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace chanora::testing {

void ScriptedSerialPort::PlanTrouble(WriteTrouble trouble, std::size_t fromSize, std::size_t bytesTaken) {
  troublePlanned_ = true;
  trouble_ = trouble;
  troubleFrom_ = fromSize;
  troubleTakes_ = bytesTaken;
}

bool ScriptedSerialPort::Open(const std::string&) {
  EXPECT_FALSE(open_) << "a port cycle began while another was open";
  open_ = true;
  cycles_.emplace_back();
  return true;
}

std::size_t ScriptedSerialPort::Read(char* buffer, std::size_t count, std::chrono::milliseconds) {
  if (!open_ || Cancelled()) return 0;
  if (bursts_.empty()) {
    for (std::string& burst : receiver_.Idle()) bursts_.push_back(std::move(burst));
  }
  if (bursts_.empty()) return 0;
  std::string& burst = bursts_.front();
  const std::size_t got = std::min(count, burst.size());
  std::copy_n(burst.begin(), got, buffer);
  burst.erase(0, got);
  if (burst.empty()) bursts_.pop_front();
  return got;
}

std::size_t ScriptedSerialPort::Write(const char* data, std::size_t count) {
  if (!open_) return 0;
  const std::size_t taken = Taken(count);
  const std::string_view bytes(data, taken);
  cycles_.back() += bytes;
  if (taken > 0) {
    for (std::string& burst : receiver_.Heard(bytes)) bursts_.push_back(std::move(burst));
  }
  return taken;
}

// How much of a write of `count` bytes the line takes, after any trouble
// planned for it.
std::size_t ScriptedSerialPort::Taken(std::size_t count) {
  if (!troublePlanned_ || count < troubleFrom_) return count;
  troublePlanned_ = false;
  if (trouble_ == WriteTrouble::Short) return std::min(count, troubleTakes_);
  // Bounded all the same, so that a test without a cancel fails instead of hanging.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!Cancelled()) {
    if (std::chrono::steady_clock::now() > giveUp) {
      ADD_FAILURE() << "a stalled write was never cancelled";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return 0;
}

}  // namespace chanora::testing

#pragma once

#include <atomic>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "serial/serial_port.h"

namespace chanora::testing {

// The far end of a scripted line. It sends bursts: a pause on the line
// parts two bursts, so one read never takes bytes of two.
class ScriptedReceiver {
 public:
  virtual ~ScriptedReceiver() = default;
  // What the receiver sends in reply to bytes that reached it.
  virtual std::vector<std::string> Heard(std::string_view bytes) = 0;
  // What it sends of its own while the PC waits on a quiet line.
  virtual std::vector<std::string> Idle() { return {}; }
};

enum class WriteTrouble { Short, StallsUntilCancelled };

// A serial port in memory, for what a real line cannot stage at will:
// replies parted anywhere, a write that goes out short, a write that the
// line never takes. Nothing waits for real time but a stalled write: a read
// on a quiet line answers at once with nothing. Once `cancel` is set, reads
// give up, as the system's port does.
class ScriptedSerialPort : public SerialPort {
 public:
  ScriptedSerialPort(ScriptedReceiver& receiver, const std::atomic<bool>* cancel)
      : receiver_(receiver), cancel_(cancel) {}

  // The next write of at least `fromSize` bytes takes only `bytesTaken`, or
  // takes nothing until the cancel (then gives up, as the system's port does).
  void PlanTrouble(WriteTrouble trouble, std::size_t fromSize, std::size_t bytesTaken = 0);

  // The bytes that went out in each port cycle, in order.
  const std::vector<std::string>& Cycles() const { return cycles_; }
  bool IsOpen() const { return open_; }

  bool Open(const std::string& device) override;
  bool Configure() override { return open_; }
  void ClearModemLines() override {}
  void Purge() override { bursts_.clear(); }
  std::size_t Read(char* buffer, std::size_t count, std::chrono::milliseconds firstByte) override;
  std::size_t Write(const char* data, std::size_t count) override;
  void Close() override { open_ = false; }

 private:
  bool Cancelled() const { return cancel_ != nullptr && cancel_->load(); }
  std::size_t Taken(std::size_t count);

  ScriptedReceiver& receiver_;
  const std::atomic<bool>* cancel_;
  bool open_ = false;
  std::vector<std::string> cycles_;
  std::deque<std::string> bursts_;
  bool troublePlanned_ = false;
  WriteTrouble trouble_ = WriteTrouble::Short;
  std::size_t troubleFrom_ = 0;
  std::size_t troubleTakes_ = 0;
};

}  // namespace chanora::testing

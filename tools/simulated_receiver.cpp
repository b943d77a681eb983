#include "tools/simulated_receiver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "base/crc.h"

namespace chanora::testing {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// 10 bits a byte (start, 8 data, stop) at 115200 baud.
constexpr auto kByteTime = std::chrono::nanoseconds(86806);
// The longest a loop waits before it looks at the stop flag and the port again.
constexpr auto kSlice = 10ms;
// A frame whose bytes stop coming for this long is taken as broken off.
constexpr auto kFrameGap = 1s;
// After its NXT a loader that hears nothing goes back to asking for a download.
constexpr auto kHeaderWait = 1s;
// Output the PC does not read for this long is given up.
constexpr auto kWriteStall = 5s;
// The PC's packet frame buffer holds 65536 bytes with the 16 bytes around the data.
constexpr std::uint32_t kMaxPacketData = 65536 - 16;

const std::string kHei("\x02HEIhei\x03", 8);
const std::string kAck(
    "\x02"
    "ACKack\x03",
    8);
const std::string kNxt("\x02NXTnxt\x03", 8);
const std::string kErr(
    "\x02"
    "ERRerr\x03",
    8);
const std::string kDis(
    "\x02"
    "DISdis\x03",
    8);
const std::string kPok("\x02POKpok\x03", 8);
const std::string kPer("\x02PERper\x03", 8);

std::uint32_t BigEndian(std::string_view bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::string Format(const char* format, auto... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Hex(std::string_view bytes) {
  std::string text;
  for (unsigned char c : bytes) text += Format(text.empty() ? "%02X" : " %02X", c);
  return text;
}

// Junk that holds neither STX nor ETX, so it cannot pass for the start of a frame.
std::string Junk(long count) {
  static constexpr char kPattern[] = {'\xA5', '\x7E', '\xC3', '\x00', '\xFF', '\x3C'};
  std::string junk;
  for (long i = 0; i < count; ++i) junk += kPattern[i % sizeof kPattern];
  return junk;
}

const char* StepName(LoaderStep step) {
  switch (step) {
    case LoaderStep::Request:
      return "Request";
    case LoaderStep::ConnectConfirm:
      return "ConnectConfirm";
    case LoaderStep::HeaderAck:
      return "HeaderAck";
    case LoaderStep::DescriptorAck:
      return "DescriptorAck";
    case LoaderStep::PacketAck:
      return "PacketAck";
    case LoaderStep::DisAck:
      return "DisAck";
    case LoaderStep::Verdict:
      return "Verdict";
  }
  return "?";
}

const char* KindName(FaultKind kind) {
  switch (kind) {
    case FaultKind::Nak:
      return "Nak";
    case FaultKind::Drop:
      return "Drop";
    case FaultKind::Garble:
      return "Garble";
    case FaultKind::Slow:
      return "Slow";
    case FaultKind::HangUp:
      return "HangUp";
    case FaultKind::Junk:
      return "Junk";
  }
  return "?";
}

timespec ToTimespec(Clock::duration wait) {
  const auto ns = std::max<std::int64_t>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count());
  return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

// The receiver's end of the cable: the pty master. The PC has the port open
// while the master does not report a hang-up; a close and a quick reopen in
// between two looks would go unseen that way, so the opens and closes of the
// slave are also counted as they happen, where the system can watch them.
// When paced, bytes take their time on the wire in both directions, on a
// schedule against the steady clock so that long transfers come out exact.
class Line {
 public:
  Line(int& master, int watch, const std::atomic<bool>& stop, bool paced)
      : master_(master), watch_(watch), stop_(stop), paced_(paced) {}

  bool Stopped() const { return stop_.load() || master_ < 0; }
  bool HungUp() const { return master_ < 0; }

  bool PortOpen() const {
    if (master_ < 0) return false;
    pollfd p{master_, POLLIN, 0};
    return ::poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0;
  }

  // Opens and closes of the port since the session began; -1 when they cannot be watched.
  int Opens() {
    Watch();
    return watch_ < 0 ? -1 : opens_;
  }
  int Closes() {
    Watch();
    return closes_;
  }

  // Waits until bytes from the PC have arrived in Buffer(), or until the deadline.
  bool Receive(Clock::time_point deadline) {
    const std::size_t before = buffer_.size();
    for (;;) {
      MoveDue();
      if (buffer_.size() > before) return true;
      if (Stopped()) return false;
      const auto now = Clock::now();
      if (now >= deadline) return false;
      auto until = std::min(deadline, now + kSlice);
      if (!inFlight_.empty()) until = std::min(until, inFlight_.front().second);
      pollfd p{master_, POLLIN, 0};
      const timespec wait = ToTimespec(until - now);
      const int ready = ::ppoll(&p, 1, &wait, nullptr);
      if (ready < 0 && errno != EINTR) return false;
      if (ready > 0 && (p.revents & POLLIN) != 0) {
        ReadKernel();
      } else if (ready > 0) {
        std::this_thread::sleep_until(until);  // a closed port reports a hang-up at once
      }
    }
  }

  // Everything the PC has sent, at once: when it closed the port, the bytes it
  // sent last still count.
  void DrainAll() {
    if (master_ >= 0) ReadKernel();
    for (auto& [byte, due] : inFlight_) buffer_ += byte;
    if (!inFlight_.empty()) lastArrival_ = Clock::now();
    inFlight_.clear();
  }

  std::string& Buffer() { return buffer_; }
  Clock::time_point LastArrival() const { return lastArrival_; }

  // Bytes sent while the PC has the port closed are lost, as on a real line.
  bool Send(std::string_view bytes) {
    std::size_t sent = 0;
    auto stalledSince = Clock::now();
    if (paced_) txClock_ = std::max(txClock_, Clock::now());
    while (sent < bytes.size()) {
      if (Stopped() || !PortOpen()) return false;
      std::size_t allowed = bytes.size() - sent;
      if (paced_) {
        // Byte k of the schedule is through the wire at txClock_ + (k + 1) * kByteTime.
        const auto due = (Clock::now() - txClock_) / kByteTime;
        if (due <= 0) {
          std::this_thread::sleep_until(txClock_ + kByteTime);
          continue;
        }
        allowed = std::min<std::size_t>(allowed, static_cast<std::size_t>(due));
      }
      const ssize_t written = ::write(master_, bytes.data() + sent, allowed);
      if (written > 0) {
        sent += static_cast<std::size_t>(written);
        if (paced_) txClock_ += written * kByteTime;
        stalledSince = Clock::now();
      } else if (written < 0 && errno == EAGAIN) {
        // The PC is not reading; its input queue is full.
        if (Clock::now() - stalledSince > kWriteStall) return false;
        pollfd p{master_, POLLOUT, 0};
        const timespec wait = ToTimespec(kSlice);
        ::ppoll(&p, 1, &wait, nullptr);
      } else if (written < 0 && errno != EINTR) {
        return false;
      }
    }
    return true;
  }

  bool Pause(Clock::duration length) {
    const auto until = Clock::now() + length;
    while (!Stopped()) {
      const auto now = Clock::now();
      if (now >= until) return true;
      std::this_thread::sleep_for(std::min<Clock::duration>(until - now, kSlice));
    }
    return false;
  }

  void HangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  void Watch() {
    if (watch_ < 0) return;
    alignas(inotify_event) char events[4096];
    ssize_t got;
    while ((got = ::read(watch_, events, sizeof events)) > 0) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if (event->mask & IN_OPEN) ++opens_;
        if (event->mask & IN_CLOSE) ++closes_;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
  }

  void ReadKernel() {
    char chunk[4096];
    for (;;) {
      const ssize_t got = ::read(master_, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return;  // nothing more now, or the PC closed the port (EIO)
      const auto now = Clock::now();
      for (ssize_t i = 0; i < got; ++i) {
        if (paced_) {
          rxClock_ = std::max(rxClock_, now) + kByteTime;
          inFlight_.emplace_back(chunk[i], rxClock_);
        } else {
          buffer_ += chunk[i];
        }
      }
      if (!paced_) lastArrival_ = now;
    }
  }

  void MoveDue() {
    const auto now = Clock::now();
    while (!inFlight_.empty() && inFlight_.front().second <= now) {
      buffer_ += inFlight_.front().first;
      lastArrival_ = inFlight_.front().second;
      inFlight_.pop_front();
    }
  }

  int& master_;
  const int watch_;
  int opens_ = 0;
  int closes_ = 0;
  const std::atomic<bool>& stop_;
  const bool paced_;
  std::string buffer_;
  std::deque<std::pair<char, Clock::time_point>> inFlight_;
  Clock::time_point rxClock_{};
  Clock::time_point txClock_{};
  Clock::time_point lastArrival_ = Clock::now();
};

// The receiver's flash loader. It reads what arrives by content, not by a
// fixed script: the PC repeats a frame after a reply it missed, so a frame
// that equals the last one accepted is answered again rather than refused.
class LoaderSession {
 public:
  LoaderSession(Line& line, const LoaderOptions& options, LoaderReport& report)
      : line_(line), options_(options), report_(report) {}

  void Run() {
    if (options_.silent) {
      Tell("silent: the receiver is switched off");
      while (!line_.Stopped()) {
        line_.Receive(Clock::now() + kSlice);
        line_.Buffer().clear();
      }
      return;
    }
    bool wasOpen = false;
    int closesSeen = line_.Closes();
    nextRequest_ = Clock::now();
    while (!line_.Stopped()) {
      const int closes = line_.Closes();
      const bool open = line_.PortOpen() && closes == closesSeen;
      if (open != wasOpen) {
        Tell(open ? "the PC opened the port" : "the PC closed the port");
        wasOpen = open;
        asked_ = false;
      }
      if (!open) {
        line_.DrainAll();
        Parse();
        if (phase_ == Phase::Request) {
          // Not connected yet: the receiver goes on asking whenever the port is open.
          closesSeen = closes;
          nextRequest_ = Clock::now();
          line_.Receive(Clock::now() + kSlice);  // sleeps while the port is closed
          continue;
        }
        if (phase_ != Phase::Done) Problem("the PC closed the port before the download finished");
        return;
      }
      auto now = Clock::now();
      if (phase_ == Phase::Request && now >= nextRequest_) Request();
      auto deadline = now + kSlice;
      if (phase_ == Phase::Request) deadline = std::min(deadline, nextRequest_);
      if (line_.Receive(deadline)) {
        lastHeard_ = Clock::now();
        Parse();
      }
      if (line_.Stopped()) break;
      now = Clock::now();
      if (!line_.Buffer().empty() && now - line_.LastArrival() > kFrameGap) {
        Log(Format("PART(%zu)", line_.Buffer().size()));
        Problem("a frame broke off after " + std::to_string(line_.Buffer().size()) +
                " bytes: " + Hex(line_.Buffer().substr(0, 16)));
        line_.Buffer().clear();
        Send(kErr);
      }
      if (phase_ == Phase::Header && now - lastHeard_ > kHeaderWait) {
        Tell("no DN_HEADER came: asking again");
        phase_ = Phase::Request;
        nextRequest_ = now;
      } else if (phase_ != Phase::Request && phase_ != Phase::Header && now - lastHeard_ > options_.pcTimeout) {
        if (phase_ == Phase::Done) return;
        Problem(Format("the PC sent nothing for %lld ms", static_cast<long long>(options_.pcTimeout.count())));
        return;
      }
    }
    if (line_.HungUp()) Tell("the line is dead");
  }

 private:
  enum class Phase { Request, Header, Item, Descriptor, PacketNxt, Packet, Done };

  void Tell(const std::string& text) {
    if (options_.onEvent) options_.onEvent(text);
  }
  void Problem(const std::string& text) {
    report_.problems.push_back(text);
    Tell("problem: " + text);
  }
  void Log(const std::string& token) {
    if (!report_.framesFromPc.empty()) report_.framesFromPc += ' ';
    report_.framesFromPc += token;
  }
  void Send(const std::string& bytes) {
    if (!line_.Send(bytes)) Tell("reply lost: the port is closed");
  }
  static bool Intact(std::optional<FaultKind> fault) {
    return !fault || *fault == FaultKind::Slow || *fault == FaultKind::Junk;
  }

  // Sends a reply, or what the fault on this occurrence of it makes of it.
  std::optional<FaultKind> Reply(LoaderStep step, const std::string& frame) {
    const int count = ++replies_[step];
    const auto fault = std::find_if(options_.faults.begin(), options_.faults.end(), [&](const Fault& f) {
      return f.step == step && (f.occurrence == 0 || f.occurrence == count);
    });
    if (fault == options_.faults.end()) {
      Send(frame);
      return std::nullopt;
    }
    Tell(Format("fault: %s on %s #%d", KindName(fault->kind), StepName(step), count));
    switch (fault->kind) {
      case FaultKind::Nak:
        Send(kErr);
        break;
      case FaultKind::Drop:
        break;
      case FaultKind::Garble: {
        std::string garbled = frame;
        garbled[garbled.size() / 2] = static_cast<char>(garbled[garbled.size() / 2] ^ 0xFF);
        Send(garbled);
        break;
      }
      case FaultKind::Slow:
        if (line_.Pause(options_.slowDelay)) Send(frame);
        break;
      case FaultKind::HangUp:
        line_.HangUp();
        break;
      case FaultKind::Junk:
        Send(Junk(options_.junkBytes) + frame);
        break;
    }
    return fault->kind;
  }

  void Request() {
    if (!asked_) Tell("HEI: asking for a download");
    asked_ = true;
    Reply(LoaderStep::Request, kHei);
    nextRequest_ = Clock::now() + options_.requestInterval;
  }

  // Cuts what has arrived into frames: control frames and descriptors start
  // with STX (a control frame's second byte is an upper-case letter, a
  // descriptor's is the top byte of a length), DN_HEADER with 55 AA, packets
  // with 5A 5A. Anything else is stray.
  void Parse() {
    std::string& buffer = line_.Buffer();
    while (!buffer.empty() && !line_.HungUp()) {
      const auto first = static_cast<unsigned char>(buffer[0]);
      if ((first == 0x02 || first == 0x55 || first == 0x5A) && buffer.size() < 2) break;
      const auto second = buffer.size() > 1 ? static_cast<unsigned char>(buffer[1]) : 0;
      std::size_t need = 0;
      void (LoaderSession::*handler)(const std::string&) = nullptr;
      if (first == 0x02 && second >= 'A' && second <= 'Z') {
        need = 8;
        handler = &LoaderSession::OnControl;
      } else if (first == 0x02) {
        need = 14;
        handler = &LoaderSession::OnDescriptor;
      } else if (first == 0x55 && second == 0xAA) {
        need = 14;
        handler = &LoaderSession::OnHeader;
      } else if (first == 0x5A && second == 0x5A) {
        // The loader takes the length it was told in the descriptor.
        std::uint32_t length = length_;
        if (descriptor_.empty()) {
          if (buffer.size() < 12) break;
          length = BigEndian(buffer, 8, 4);
        }
        if (length <= kMaxPacketData) {
          need = 16 + length;
          handler = &LoaderSession::OnPacket;
        }
      }
      if (handler == nullptr) {
        ++junk_;
        buffer.erase(0, 1);
        continue;
      }
      if (buffer.size() < need) break;
      FlushJunk();
      const std::string frame = buffer.substr(0, need);
      buffer.erase(0, need);
      (this->*handler)(frame);
    }
    if (buffer.empty()) FlushJunk();
  }

  void FlushJunk() {
    if (junk_ == 0) return;
    Log(Format("JUNK(%ld)", junk_));
    Problem(std::to_string(junk_) + " stray bytes from the PC");
    junk_ = 0;
  }

  void OnControl(const std::string& frame) {
    static const std::map<std::string, std::string> kNames = {
        {kAck, "ACK"}, {kNxt, "NXT"}, {kErr, "ERR"}, {kDis, "DIS"}, {kHei, "HEI"}, {kPok, "POK"}, {kPer, "PER"}};
    const auto known = kNames.find(frame);
    const std::string name = known == kNames.end() ? "" : known->second;
    Log(name.empty() ? "???" : name);
    const bool connecting = phase_ == Phase::Request || phase_ == Phase::Header;
    if (name == "ACK" && connecting) {
      // Also a second ACK after NXT: the PC took an older HEI; confirm again.
      lastHeard_ = Clock::now();
      const auto fault = Reply(LoaderStep::ConnectConfirm, kNxt);
      if (Intact(fault)) report_.connected = true;
      Tell("ACK from the PC: NXT, connected");
      phase_ = Phase::Header;
      return;
    }
    if (name == "ERR" && connecting) {
      // The PC found our last frame wrong and waits for a request: send it at once.
      Tell("ERR from the PC: asking again");
      phase_ = Phase::Request;
      Request();
      return;
    }
    if (name == "ERR") {
      Problem("ERR received");  // no answer: an ERR for an ERR leads nowhere
      return;
    }
    if (name == "NXT" && phase_ == Phase::Item) {
      phase_ = Phase::Descriptor;
      return;
    }
    if (name == "NXT" && phase_ == Phase::PacketNxt) {
      phase_ = Phase::Packet;
      return;
    }
    if (name == "DIS" && (phase_ == Phase::Item || phase_ == Phase::Descriptor || phase_ == Phase::Done)) {
      OnDis();
      return;
    }
    Problem(name.empty() ? "unknown frame " + Hex(frame) : name + " out of place");
    Send(kErr);
  }

  void OnHeader(const std::string& frame) {
    Log("HDR");
    if (phase_ == Phase::Header) {
      const std::uint32_t crc = CRC32(std::string_view(frame).substr(0, 10));
      if (crc != BigEndian(frame, 10, 4)) {
        Problem(Format("DN_HEADER CRC-32 is %08X, its bytes 10 to 13 say %08X", crc, BigEndian(frame, 10, 4)));
        Send(kErr);
        return;
      }
      report_.header = frame;
      Tell(Format("DN_HEADER: %u packets, %u data bytes", BigEndian(frame, 8, 2), BigEndian(frame, 4, 4)));
      if (Reply(LoaderStep::HeaderAck, kAck) != FaultKind::Nak) phase_ = Phase::Item;
      return;
    }
    if (phase_ == Phase::Item && report_.packets.empty() && frame == report_.header) {
      Tell("DN_HEADER again: ACK again");
      Reply(LoaderStep::HeaderAck, kAck);
      return;
    }
    Problem("DN_HEADER out of place");
    Send(kErr);
  }

  std::string DescriptorFault(const std::string& frame) const {
    const std::uint32_t length = BigEndian(frame, 1, 4);
    const std::uint32_t crc = CRC32(std::string_view(frame).substr(0, 10));
    if (BigEndian(frame, 5, 4) != static_cast<std::uint32_t>(~length))
      return Format("bytes 5 to 8 (%08X) are not the complement of the length %08X", BigEndian(frame, 5, 4), length);
    if (frame[9] != report_.header[9])
      return Format("byte 9 is %02X, the file header's is %02X", static_cast<unsigned char>(frame[9]),
                    static_cast<unsigned char>(report_.header[9]));
    if (crc != BigEndian(frame, 10, 4))
      return Format("CRC-32 is %08X, bytes 10 to 13 say %08X", crc, BigEndian(frame, 10, 4));
    if (length == 0 || length > kMaxPacketData) return Format("a packet of %u data bytes cannot be taken", length);
    return "";
  }

  void OnDescriptor(const std::string& frame) {
    Log("DSC");
    if (phase_ == Phase::Descriptor) {
      const std::string fault = DescriptorFault(frame);
      if (!fault.empty()) {
        Problem(Format("descriptor of packet %zu: ", report_.packets.size()) + fault);
        Send(kErr);
        return;
      }
      if (Reply(LoaderStep::DescriptorAck, kAck) != FaultKind::Nak) {
        descriptor_ = frame;
        length_ = BigEndian(frame, 1, 4);
        phase_ = Phase::PacketNxt;
      }
      return;
    }
    if (phase_ == Phase::PacketNxt && frame == descriptor_) {
      Tell("descriptor again: ACK again");
      Reply(LoaderStep::DescriptorAck, kAck);
      return;
    }
    Problem("packet descriptor out of place");
    Send(kErr);
  }

  std::string PacketFault(const std::string& frame) const {
    const std::uint32_t crc = CRC32(std::string_view(frame).substr(0, 12 + length_));
    if (BigEndian(frame, 8, 4) != length_)
      return Format("its length field says %u, the descriptor said %u", BigEndian(frame, 8, 4), length_);
    if (crc != BigEndian(frame, 12 + length_, 4))
      return Format("CRC-32 is %08X, its last 4 bytes say %08X", crc, BigEndian(frame, 12 + length_, 4));
    if (BigEndian(frame, 2, 2) != report_.packets.size()) return Format("it is numbered %u", BigEndian(frame, 2, 2));
    return "";
  }

  void OnPacket(const std::string& frame) {
    Log("PKT");
    if (phase_ == Phase::Packet) {
      const std::string fault = PacketFault(frame);
      if (!fault.empty()) {
        Problem(Format("packet %zu: ", report_.packets.size()) + fault);
        Send(kErr);
        return;
      }
      Tell(Format("packet %u: %u bytes at 0x%08X", BigEndian(frame, 2, 2), length_, BigEndian(frame, 4, 4)));
      if (Reply(LoaderStep::PacketAck, kAck) != FaultKind::Nak) {
        report_.packets.push_back(frame);
        phase_ = Phase::Item;
      }
      return;
    }
    if (phase_ == Phase::Item && !report_.packets.empty() && frame == report_.packets.back()) {
      Tell("packet again: ACK again");
      Reply(LoaderStep::PacketAck, kAck);
      return;
    }
    Problem("packet out of place");
    Send(kErr);
  }

  void OnDis() {
    report_.disReceived = true;
    const bool first = phase_ != Phase::Done;
    const auto fault = Reply(LoaderStep::DisAck, kAck);
    // The verdict follows the first DIS that got its ACK; until then the PC repeats DIS.
    if (!first || !Intact(fault)) return;
    std::uint32_t total = 0;
    for (const std::string& packet : report_.packets) total += BigEndian(packet, 8, 4);
    if (BigEndian(report_.header, 8, 2) != report_.packets.size() || BigEndian(report_.header, 4, 4) != total)
      Problem(Format("the file header announced %u packets of %u bytes in all; %zu packets of %u bytes came",
                     BigEndian(report_.header, 8, 2), BigEndian(report_.header, 4, 4), report_.packets.size(), total));
    const bool ok = options_.verdictOk && report_.problems.empty();
    Tell(ok ? "DIS: programmed, POK" : "DIS: PER");
    report_.verdictSent = Intact(Reply(LoaderStep::Verdict, ok ? kPok : kPer));
    phase_ = Phase::Done;
  }

  Line& line_;
  const LoaderOptions& options_;
  LoaderReport& report_;
  Phase phase_ = Phase::Request;
  std::map<LoaderStep, int> replies_;
  Clock::time_point nextRequest_{};
  Clock::time_point lastHeard_ = Clock::now();
  bool asked_ = false;
  std::string descriptor_;
  std::uint32_t length_ = 0;
  long junk_ = 0;
};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    at = end + 1;
  }
  return lines;
}

// Text of the given length from a repeated pattern.
std::string Repeat(std::string_view pattern, long count) {
  std::string text;
  for (long i = 0; i < count; ++i) text += pattern[i % pattern.size()];
  return text;
}

// The receiver's text console. It sleeps until it sees CR, LF or ESC, then
// takes typed lines; "dumpch" prints the channel list, each line behind "||".
class ConsoleSession {
 public:
  ConsoleSession(Line& line, const ConsoleOptions& options, ConsoleReport& report)
      : line_(line), options_(options), report_(report) {}

  void Run() {
    Serve();
    line_.DrainAll();
    TakeAll();
    CountOpens(false);
  }

 private:
  void Serve() {
    while (!line_.Stopped() && !report_.goReceived) {
      // Before the dump the console waits as long as it is left running; for "go", only so long.
      if (!WaitForPc(dumped_ ? Clock::now() + options_.pcTimeout : Clock::time_point::max())) {
        if (!line_.Stopped() && !report_.goReceived) Tell("the PC did not come back to say \"go\"");
        return;
      }
      const int closes = line_.Closes();
      CountOpens(true);
      Tell("the PC opened the port");
      lastHeard_ = Clock::now();
      while (line_.PortOpen() && line_.Closes() == closes && !report_.goReceived) {
        if (line_.Receive(Clock::now() + kSlice)) {
          lastHeard_ = Clock::now();
          TakeAll();
        }
        if (line_.Stopped()) return;
        if (dumped_ && Clock::now() - lastHeard_ > options_.pcTimeout) {
          Tell("the PC fell silent");
          return;
        }
      }
      line_.DrainAll();
      TakeAll();
      if (!report_.goReceived) Tell("the PC closed the port");
      if (dumped_ && options_.hangUpBeforeGo && !report_.goReceived) {
        Tell("hanging up before \"go\"");
        line_.HangUp();
        return;
      }
    }
  }

  // A port cycle may come and go while the console is busy: what it left
  // behind is taken all the same.
  bool WaitForPc(Clock::time_point deadline) {
    while (!line_.Stopped()) {
      if (line_.PortOpen()) return true;
      line_.DrainAll();
      TakeAll();
      if (report_.goReceived || Clock::now() >= deadline) return false;
      std::this_thread::sleep_for(5ms);
    }
    return false;
  }

  void Tell(const std::string& text) {
    if (options_.onEvent) options_.onEvent(text);
  }

  // Without a watch on the port, each cycle seen open counts once.
  void CountOpens(bool cycleBegins) {
    const int opens = line_.Opens();
    if (opens >= 0) {
      report_.portOpens = opens;
    } else if (cycleBegins) {
      ++report_.portOpens;
    }
  }

  void Print(const std::string& text) {
    if (silenced_ || line_.HungUp()) return;
    if (!line_.Send(text)) Tell("output lost: the port is closed");
  }

  void TakeAll() {
    const std::string typed = std::move(line_.Buffer());
    line_.Buffer().clear();
    for (char c : typed) {
      if (report_.goReceived) {
        report_.typed += c;  // the rest of what came with "go"
      } else {
        Take(c);
      }
    }
  }

  void Take(char c) {
    report_.typed += c;
    if (c == '\r' || c == '\n' || c == '\x1b') {
      if (!report_.woke) Tell("woken");
      report_.woke = true;
    }
    if (!report_.woke) return;
    const bool afterCr = lastWasCr_;
    lastWasCr_ = c == '\r';
    switch (c) {
      case '\r':
        EndLine();
        break;
      case '\n':
        if (!afterCr) EndLine();
        break;
      case '\x1b':
        typing_.clear();
        break;  // ESC cancels the line
      case '\0':
        break;
      default:
        typing_ += c;
        if (options_.echoCommand) Print(std::string(1, c));
    }
  }

  void EndLine() {
    if (options_.echoCommand) Print("\r\n");
    const std::string command = typing_;
    typing_.clear();
    if (command.empty()) {
      Print(options_.noise);
    } else if (command == "dumpch") {
      report_.commandReceived = true;
      Tell("dumpch: printing the channel list");
      Dump();
      lastHeard_ = Clock::now();
    } else if (command == "go" && dumped_) {
      report_.goReceived = true;
      Tell("go: back to work");
    } else {
      Print("Unknown command: " + command + "\r\n" + options_.noise);
    }
  }

  void Dump() {
    dumped_ = true;
    const std::string before =
        Repeat("[boot] tuner 0 locked, AGC 3F, BER 0.0001\r\n", options_.floodBytes) + options_.noise + "\r\n";
    std::string list;
    if (options_.longLineBytes > 0) list += "||" + Repeat("0123456789ABCDEF", options_.longLineBytes) + "\r\n";
    // A formatted list closes with its own "[END]" line; the printout ends there.
    std::vector<std::string> lines = SplitLines(options_.listText);
    auto end =
        std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return line.starts_with("[END]"); });
    if (end == lines.end()) end = lines.insert(lines.end(), "[END]");
    lines.erase(options_.omitEnd ? end : end + 1, lines.end());
    for (const std::string& line : lines) list += "||" + line + "\r\n";

    // The list bytes that go out before a fault cuts the printout short.
    long cut = -1;
    bool hangUp = false;
    if (options_.hangUpAfterBytes >= 0) {
      cut = options_.hangUpAfterBytes;
      hangUp = true;
    }
    if (options_.silenceAfterBytes >= 0 && (cut < 0 || options_.silenceAfterBytes < cut)) {
      cut = options_.silenceAfterBytes;
      hangUp = false;
    }
    if (cut < 0 || static_cast<std::size_t>(cut) >= list.size()) {
      Print(before + list + options_.noise);
      Tell(Format("printed %zu list bytes", list.size()));
      return;
    }
    Print(before + list.substr(0, static_cast<std::size_t>(cut)));
    if (hangUp) {
      Tell(Format("hanging up after %ld list bytes", cut));
      line_.HangUp();
    } else {
      Tell(Format("falling silent after %ld list bytes", cut));
      silenced_ = true;
    }
  }

  Line& line_;
  const ConsoleOptions& options_;
  ConsoleReport& report_;
  std::string typing_;
  bool lastWasCr_ = false;
  bool dumped_ = false;
  bool silenced_ = false;
  Clock::time_point lastHeard_ = Clock::now();
};

}  // namespace

SimulatedReceiver::SimulatedReceiver() { OpenPair(); }

SimulatedReceiver::~SimulatedReceiver() {
  Stop();
  if (master_ >= 0) ::close(master_);
  if (watch_ >= 0) ::close(watch_);
}

void SimulatedReceiver::OpenPair() {
  const auto fail = [](int fd, const std::string& what) {
    const std::string reason = std::strerror(errno);
    if (fd >= 0) ::close(fd);
    throw std::runtime_error(what + ": " + reason);
  };
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) fail(-1, "cannot open a pseudo-terminal");
  char name[128];
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0)
    fail(master, "cannot unlock the pseudo-terminal");
  // The slave keeps these settings while nobody has it open, so the PC finds a
  // raw 8N1 line whatever it sets itself.
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) fail(master, std::string("cannot open ") + name);
  termios settings{};
  if (::tcgetattr(slave, &settings) != 0) {
    ::close(slave);
    fail(master, "cannot read the line settings");
  }
  ::cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  ::cfsetispeed(&settings, B115200);
  ::cfsetospeed(&settings, B115200);
  const bool set = ::tcsetattr(slave, TCSANOW, &settings) == 0;
  ::close(slave);
  if (!set) fail(master, "cannot set the line raw");
  if (::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK) != 0)
    fail(master, "cannot make the line non-blocking");
  master_ = master;
  devicePath_ = name;
  // Set after our own open and close above, so that only the PC's are seen.
  if (watch_ >= 0) ::close(watch_);
  watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watch_ >= 0 && ::inotify_add_watch(watch_, name, IN_OPEN | IN_CLOSE) < 0) {
    ::close(watch_);
    watch_ = -1;
  }
}

void SimulatedReceiver::Launch(std::function<void()> session) {
  if (master_ < 0) OpenPair();  // the last session hung up
  // What is left over from the last session is not for this one. Done here,
  // before the thread runs, since on the console the PC speaks first.
  char stale[4096];
  while (::read(master_, stale, sizeof stale) > 0) {
  }
  while (watch_ >= 0 && ::read(watch_, stale, sizeof stale) > 0) {
  }
  {
    std::lock_guard lock(mutex_);
    running_ = true;
  }
  stop_ = false;
  thread_ = std::thread([this, session = std::move(session)] {
    try {
      session();
    } catch (...) {
      // Out of memory at worst; the report says what was done up to there.
    }
    {
      std::lock_guard lock(mutex_);
      running_ = false;
    }
    finished_.notify_all();
  });
}

void SimulatedReceiver::StartFlashLoader(LoaderOptions options) {
  Stop();
  loaderReport_ = {};
  Launch([this, options = std::move(options)] {
    Line line(master_, watch_, stop_, options.paceAtLineRate);
    LoaderSession(line, options, loaderReport_).Run();
  });
}

void SimulatedReceiver::StartConsole(ConsoleOptions options) {
  Stop();
  consoleReport_ = {};
  Launch([this, options = std::move(options)] {
    Line line(master_, watch_, stop_, options.paceAtLineRate);
    ConsoleSession(line, options, consoleReport_).Run();
  });
}

bool SimulatedReceiver::WaitFinished(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  const bool finished = finished_.wait_for(lock, limit, [this] { return !running_; });
  lock.unlock();
  Stop();
  return finished;
}

LoaderReport SimulatedReceiver::WaitLoader(std::chrono::milliseconds limit) {
  if (!WaitFinished(limit))
    loaderReport_.problems.push_back("stopped: the session went on past " + std::to_string(limit.count()) + " ms");
  return loaderReport_;
}

ConsoleReport SimulatedReceiver::WaitConsole(std::chrono::milliseconds limit) {
  WaitFinished(limit);
  return consoleReport_;
}

bool SimulatedReceiver::Running() const {
  std::lock_guard lock(mutex_);
  return running_;
}

void SimulatedReceiver::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  stop_ = false;
}

}  // namespace chanora::testing

#include "serial/flash_download.h"

#include <thread>

#include "base/file_io.h"
#include "base/reporter.h"
#include "base/text_conversion.h"
#include "packets/packet_file_reader.h"
#include "serial/frames.h"
#include "serial/port_session.h"

namespace chanora {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kAttempts = 3;
constexpr int kVerdictReads = 30;

class Downloader {
 public:
  Downloader(SerialPort& port, const TransferSettings& settings, Reporter& reporter)
      : settings_(settings), reporter_(reporter), session_(port, reporter) {}

  bool Run(const std::string& path) {
    reporter_.AppendLine("CLEAR ALL MESSAGE");
    auto file = ReadWholeFile(path);
    if (!file) return Fail(FormatText("Fail to open input file %s\n", path.c_str()));
    file_ = PacketFileReader(std::move(*file));
    // Nothing to send and nothing to measure progress against.
    if (file_.Empty()) return Fail("File packet information is not correct.\n");
    if (!session_.Open(settings_.port)) return false;
    reporter_.AppendLine("serial initialize\r\n");
    session_.Configure();
    // Bytes left on the line by an earlier session would pass for the
    // loader's reply; its request repeats, so nothing of worth is lost.
    session_.Purge();
    reporter_.AppendLine("Try to make connection...\r\n");
    if (!Connect() || !SendFileHeader() || !SendPackets()) return false;
    return Terminate();
  }

 private:
  bool Connect() {
    const auto deadline = Clock::now() + settings_.firstRequestWait;
    int failures = 0;
    int fullReads = 0;
    std::size_t offset = 0;
    while (true) {
      if (Cancelled()) return false;
      const milliseconds left = Left(deadline);
      if (left.count() <= 0) return Fail("Connetion fail with STB.\n");
      reporter_.AppendLine("Waitiing Message from Satellite Receiver\r\n");
      const std::string got = ReadReply(offset + 8, left);
      if (got.size() < offset + 8) {
        if (Cancelled()) return false;
        if (++failures >= 2) return Fail("Connetion fail with STB.\n");
        continue;
      }
      ++fullReads;
      if (std::string_view(got).substr(offset, 8) != kHeiFrame) {
        // The request may arrive shifted: take the first STX that could begin it.
        for (std::size_t i = 0; i < 8; ++i) {
          if (got[i] == '\x02' && (i == 7 || got[i + 1] == 'H')) {
            offset = i;
            break;
          }
        }
        session_.Write(kErrFrame);
        if (++failures >= 2) return Fail("Connetion fail with STB.\n");
        continue;
      }
      session_.Write(kAckFrame);
      const std::string confirm = ReadReply(8, std::min(settings_.replyWait, Left(deadline)));
      if (confirm == kNxtFrame) break;
      if (confirm.size() == 8) session_.Write(kErrFrame);
    }
    reporter_.AppendLine(FormatText(
        "CONNECTING \r\n=> 1.Waiting DN_OPER_REQ from STB \r\n=>COMPLETE while read %d times\r\n", fullReads));
    reporter_.AppendLine("\r\nConnetion established...\r\n");
    return true;
  }

  bool SendFileHeader() {
    const FileBytes header = file_.TakeFileHeader();
    ShowProgress();
    if (!header) return Fail(header.problem);
    header_ = header.bytes;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
      reporter_.AppendLine(FormatText("send DN_HEADER => %d times\r\n", attempt));
      if (Exchange(header_)) {
        reporter_.AppendLine("\r\nNow, we start to send data packet\r\n");
        return true;
      }
      if (Cancelled()) return false;
    }
    return Fail("\nSTB doesn't ack.\n");
  }

  bool SendPackets() {
    while (true) {
      session_.Write(kNxtFrame);
      if (file_.AtEnd()) return true;
      const FileBytes packetHeader = file_.TakePacketHeader();
      ShowProgress();
      if (!packetHeader) return Fail(packetHeader.problem);
      const std::uint32_t length = PacketFileReader::DataLength(packetHeader.bytes);
      if (!SendDescriptor(length)) return false;
      session_.Write(kNxtFrame);
      std::this_thread::sleep_for(settings_.packetPause);
      const FileBytes body = file_.TakePacketBody(length);
      ShowProgress();
      if (!body) return Fail(body.problem);
      if (!SendPacket(packetHeader.bytes + body.bytes)) return false;
    }
  }

  bool SendDescriptor(std::uint32_t length) {
    const std::string descriptor = PacketFileReader::Descriptor(length, header_[9]);
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
      if (Exchange(descriptor)) return true;
      if (Cancelled()) return false;
    }
    return Fail("\nSTB doesn't ack\n");
  }

  bool SendPacket(const std::string& packet) {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
      if (Exchange(packet)) return true;
      if (Cancelled()) return false;
      std::this_thread::sleep_for(settings_.packetPause);
    }
    return Fail("\nAborting to send data due to communication problems!\n");
  }

  bool Terminate() {
    for (int attempt = 1; attempt <= kAttempts && !Exchange(kDisFrame); ++attempt) {
      if (Cancelled()) return false;
    }
    reporter_.AppendLine("\r\nWaiting termination message from STB.\r\n");
    const auto deadline = Clock::now() + settings_.verdictWait;
    bool programmed = false;
    for (int read = 0; read < kVerdictReads && Left(deadline).count() > 0; ++read) {
      const std::string verdict = ReadReply(8, std::min(settings_.replyWait, Left(deadline)));
      if (Cancelled()) return false;
      programmed = verdict == kPokFrame;
      if (programmed || verdict == kPerFrame) break;
    }
    reporter_.AppendLine("\r\nDisconnecting serial port\r\n");
    session_.Close();
    if (!programmed) return Fail("Flash download is terminated abnormally\n");
    reporter_.Message("Flash download is terminated successfully.\n");
    return true;
  }

  // Sends bytes and takes the reply; true when the loader acknowledged.
  bool Exchange(std::string_view bytes) {
    session_.Write(bytes);
    return ReadReply(8, settings_.replyWait) == kAckFrame;
  }

  // A reply that reaches us in pieces (a USB adapter's latency can part a
  // frame for longer than the 10 ms gap) is put together before it is
  // judged: taken as a short read, its tail would pass for the start of
  // every later reply. The loader speaks only when spoken to, so the wait
  // for the tail takes nothing of a later frame; its repeated request is
  // the exception, and the resync while connecting is made for that.
  std::string ReadReply(std::size_t count, milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    std::string reply = session_.Read(count, wait);
    while (!reply.empty() && reply.size() < count) {
      const std::string more = session_.Read(count - reply.size(), Left(deadline));
      if (more.empty()) break;
      reply += more;
    }
    return reply;
  }

  void ShowProgress() { reporter_.SetProgress(file_.Percent()); }

  bool Cancelled() {
    if (settings_.cancel == nullptr || !settings_.cancel->load()) return false;
    Fail(std::string(kTransferCancelled));
    return true;
  }

  static milliseconds Left(Clock::time_point deadline) {
    return std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
  }

  bool Fail(const std::string& message) {
    session_.Close();
    reporter_.Message(message);
    return false;
  }

  const TransferSettings& settings_;
  Reporter& reporter_;
  PortSession session_;
  PacketFileReader file_{std::string()};
  std::string header_;
};

}  // namespace

bool FlashDownload(SerialPort& port, const std::string& path, const TransferSettings& settings, Reporter& reporter) {
  return Downloader(port, settings, reporter).Run(path);
}

}  // namespace chanora

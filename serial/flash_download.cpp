#include "serial/flash_download.h"

#include <cstdint>
#include <thread>

#include "compiler/crc.h"
#include "engine/file_io.h"
#include "engine/reporter.h"
#include "engine/text_conversion.h"
#include "serial/comm.h"
#include "serial/frames.h"

namespace chanora {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kPacketHeaderSize = 12;
constexpr std::size_t kPacketFrameSize = 65536;  // what the loader buffers of one packet
constexpr int kAttempts = 3;
constexpr int kVerdictReads = 30;

std::uint32_t BigEndian32(std::string_view bytes) {
  std::uint32_t value = 0;
  for (char c : bytes.substr(0, 4)) value = (value << 8) | static_cast<unsigned char>(c);
  return value;
}

void AppendBigEndian32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

class Downloader {
 public:
  Downloader(const TransferSettings& settings, Reporter& reporter)
      : settings_(settings), reporter_(reporter), comm_(reporter, settings.cancel) {}

  int Run(const std::string& path) {
    reporter_.AppendLine("CLEAR ALL MESSAGE");
    auto file = ReadWholeFile(path);
    if (!file) return Fail(FormatText("Fail to open input file %s\n", path.c_str()));
    // Nothing to send and nothing to measure progress against.
    if (file->empty()) return Fail("File packet information is not correct.\n");
    file_ = std::move(*file);
    if (!comm_.Open(settings_.port)) return 0;
    reporter_.AppendLine("serial initialize\r\n");
    comm_.Configure();
    reporter_.AppendLine("Try to make connection...\r\n");
    if (!Connect() || !SendFileHeader() || !SendPackets()) return 0;
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
      const std::string got = comm_.Read(offset + 8, left);
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
        comm_.Write(kErrFrame);
        if (++failures >= 2) return Fail("Connetion fail with STB.\n");
        continue;
      }
      comm_.Write(kAckFrame);
      const std::string confirm = comm_.Read(8, std::min(settings_.replyWait, Left(deadline)));
      if (confirm == kNxtFrame) break;
      if (confirm.size() == 8) comm_.Write(kErrFrame);
    }
    reporter_.AppendLine(FormatText(
        "CONNECTING \r\n=> 1.Waiting DN_OPER_REQ from STB \r\n=>COMPLETE while read %d times\r\n", fullReads));
    reporter_.AppendLine("\r\nConnetion established...\r\n");
    return true;
  }

  bool SendFileHeader() {
    header_ = Take(kFileHeaderSize);
    if (header_.size() < kFileHeaderSize) return Fail("ERRER in reading file header.\n");
    if (header_[0] != '\x55' || header_[1] != '\xAA') return Fail("File header format is not correct.\n");
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
      comm_.Write(kNxtFrame);
      if (position_ == file_.size()) return true;
      const std::string packetHeader = Take(kPacketHeaderSize);
      if (packetHeader.size() < kPacketHeaderSize) return Fail("\nERROR in reading File read error.\n");
      const std::uint32_t length = BigEndian32(std::string_view(packetHeader).substr(8));
      if (packetHeader[0] != '\x5A' || packetHeader[1] != '\x5A' ||
          length > kPacketFrameSize - kPacketHeaderSize - 4) {
        return Fail("File packet information is not correct.\n");
      }
      if (!SendDescriptor(length)) return false;
      comm_.Write(kNxtFrame);
      std::this_thread::sleep_for(settings_.packetPause);
      const std::string body = Take(length + 4);
      if (body.size() < length + 4) return Fail("\nFile read error.\n");
      if (!SendPacket(packetHeader + body)) return false;
    }
  }

  bool SendDescriptor(std::uint32_t length) {
    std::string descriptor = "\x02";
    AppendBigEndian32(descriptor, length);
    AppendBigEndian32(descriptor, ~length);
    descriptor += header_[9];  // the loader expects the file header's byte here
    AppendBigEndian32(descriptor, CRC32(descriptor));
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

  int Terminate() {
    for (int attempt = 1; attempt <= kAttempts && !Exchange(kDisFrame); ++attempt) {
      if (Cancelled()) return 0;
    }
    reporter_.AppendLine("\r\nWaiting termination message from STB.\r\n");
    const auto deadline = Clock::now() + settings_.verdictWait;
    bool programmed = false;
    for (int read = 0; read < kVerdictReads && Left(deadline).count() > 0; ++read) {
      const std::string verdict = comm_.Read(8, std::min(settings_.replyWait, Left(deadline)));
      if (Cancelled()) return 0;
      programmed = verdict == kPokFrame;
      if (programmed || verdict == kPerFrame) break;
    }
    reporter_.AppendLine("\r\nDisconnecting serial port\r\n");
    comm_.Close();
    if (!programmed) return Fail("Flash download is terminated abnormally\n");
    reporter_.Message("Flash download is terminated successfully.\n");
    return 1;
  }

  // Sends bytes and takes the reply; true when the loader acknowledged.
  bool Exchange(std::string_view bytes) {
    comm_.Write(bytes);
    return comm_.Read(8, settings_.replyWait) == kAckFrame;
  }

  // The next bytes of the file, fewer at its end; progress follows the file.
  std::string Take(std::size_t count) {
    std::string bytes = file_.substr(position_, count);
    position_ += bytes.size();
    reporter_.SetProgress(static_cast<int>(position_ * 100 / file_.size()));
    return bytes;
  }

  bool Cancelled() {
    if (settings_.cancel == nullptr || !settings_.cancel->load()) return false;
    Fail(std::string(kTransferCancelled));
    return true;
  }

  static milliseconds Left(Clock::time_point deadline) {
    return std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
  }

  int Fail(const std::string& message) {
    comm_.Close();
    reporter_.Message(message);
    return 0;
  }

  const TransferSettings& settings_;
  Reporter& reporter_;
  CComm comm_;
  std::string file_;
  std::size_t position_ = 0;
  std::string header_;
};

}  // namespace

int FlashDownload(const std::string& path, const TransferSettings& settings, Reporter& reporter) {
  return Downloader(settings, reporter).Run(path);
}

}  // namespace chanora

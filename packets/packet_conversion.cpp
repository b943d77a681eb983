#include "packets/packet_conversion.h"

#include <cstdint>
#include <vector>

#include "base/crc.h"
#include "base/reporter.h"
#include "base/text_conversion.h"

namespace chanora {
namespace {

constexpr std::size_t kPacketCloseSize = 0xFE0;  // a packet closes once it holds more
constexpr std::size_t kMaxLineLength = 512;      // LF included
constexpr std::size_t kMaxLineBytes = 128;
constexpr std::size_t kMaxPackets = 0xFFFF;  // the file header counts them in 16 bits

void AppendU16(std::string& out, unsigned value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

void AppendU32(std::string& out, std::uint32_t value) {
  AppendU16(out, value >> 16);
  AppendU16(out, value & 0xFFFF);
}

int HexDigit(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsSpaceOrControl(unsigned char c) { return c <= ' ' || c == 0x7F; }

struct HexLine {
  std::uint32_t address = 0;
  std::string bytes;
};

class PacketWriter {
 public:
  explicit PacketWriter(Reporter& reporter) : reporter_(reporter) { out_.assign(14, '\0'); }

  bool Convert(std::string_view text) {
    // A byte 0xFF ends the input.
    text = text.substr(0, text.find('\xFF'));
    HexLine line;
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      if (end + 1 - start > kMaxLineLength) return Fail("DNCONV: line longer than 512 bytes\n");
      if (!ParseLine(text.substr(start, end - start), line) || !Add(line)) return false;
      start = end + 1;
    }
    if (!packet_.empty() && !Close()) return false;
    // Data that end exactly where a packet closed are a normal end; only
    // text without any data bytes makes no packet file.
    if (packetNumber_ == 0) return Fail("DNCONV: Error on packet build. -- EOF\n");
    WriteFileHeader();
    return true;
  }

  std::string Take() { return std::move(out_); }

 private:
  // Address, then byte pairs with or without separators; blank lines and
  // trailing blanks are allowed. A character that is not a digit where one is
  // expected makes the text unusable.
  bool ParseLine(std::string_view text, HexLine& line) {
    line.address = 0;
    line.bytes.clear();
    std::size_t i = 0;
    while (i < text.size() && IsSpaceOrControl(static_cast<unsigned char>(text[i]))) ++i;
    if (i == text.size()) return true;
    for (int digit = 0; digit < 8; ++digit, ++i) {
      int value = i < text.size() ? HexDigit(static_cast<unsigned char>(text[i])) : -1;
      if (value < 0) return UnknownCharacter(text, i);
      line.address = (line.address << 4) | static_cast<std::uint32_t>(value);
    }
    while (true) {
      while (i < text.size() && IsSpaceOrControl(static_cast<unsigned char>(text[i]))) ++i;
      if (i >= text.size()) break;
      int high = HexDigit(static_cast<unsigned char>(text[i]));
      if (high < 0) return UnknownCharacter(text, i);
      int low = i + 1 < text.size() ? HexDigit(static_cast<unsigned char>(text[i + 1])) : -1;
      if (low < 0) return UnknownCharacter(text, i + 1);
      line.bytes += static_cast<char>((high << 4) | low);
      i += 2;
    }
    if (line.bytes.size() > kMaxLineBytes) return Fail("DNCONV: more than 128 bytes on one line\n");
    return true;
  }

  bool UnknownCharacter(std::string_view text, std::size_t at) {
    const unsigned code = at < text.size() ? static_cast<unsigned char>(text[at]) : '\n';
    return Fail(FormatText("DNCONV: Unknown character on buffer:0x%02x\n", code));
  }

  bool Add(const HexLine& line) {
    if (line.bytes.empty()) return true;
    if (packet_.empty()) {
      packetAddress_ = expected_ = line.address;
    } else if (line.address != expected_) {
      // A gap or a jump in the addresses starts a new packet.
      if (!Close()) return false;
      packetAddress_ = line.address;
    }
    packet_ += line.bytes;
    expected_ = line.address + static_cast<std::uint32_t>(line.bytes.size());
    total_ += static_cast<std::uint32_t>(line.bytes.size());
    return packet_.size() <= kPacketCloseSize || Close();
  }

  bool Close() {
    if (packetNumber_ >= kMaxPackets) return Fail("DNCONV: more than 65535 packets\n");
    const std::size_t start = out_.size();
    out_ += "\x5A\x5A";
    AppendU16(out_, static_cast<unsigned>(packetNumber_));
    AppendU32(out_, packetAddress_);
    AppendU32(out_, static_cast<std::uint32_t>(packet_.size()));
    out_ += packet_;
    AppendU32(out_, CRC32(std::string_view(out_).substr(start)));
    ++packetNumber_;
    packet_.clear();
    return true;
  }

  void WriteFileHeader() {
    std::string header = "\x55\xAA\x01\x01";
    AppendU32(header, total_);
    AppendU16(header, static_cast<unsigned>(packetNumber_));
    AppendU32(header, CRC32(header));
    out_.replace(0, header.size(), header);
  }

  bool Fail(const std::string& message) {
    reporter_.Message(message);
    return false;
  }

  Reporter& reporter_;
  std::string out_;
  std::string packet_;
  std::uint32_t packetAddress_ = 0;
  std::uint32_t expected_ = 0;
  std::uint32_t total_ = 0;
  std::size_t packetNumber_ = 0;
};

}  // namespace

std::optional<std::string> ConvertHexToPackets(std::string_view hexText, Reporter& reporter) {
  PacketWriter writer(reporter);
  if (!writer.Convert(hexText)) return std::nullopt;
  return writer.Take();
}

}  // namespace chanora

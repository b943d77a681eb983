// Hex text to packet file: the layout the receiver's loader reads, where
// packets close, and which texts are refused.

#include "packets/packet_conversion.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/packet_file.h"
#include "tests/support/recording_reporter.h"

namespace chanora::testing {
namespace {

// `count` lines of 16 bytes from `address`, laid out as a compile writes them.
std::string HexLines(std::uint32_t address, int count) {
  std::string text;
  char field[16];
  for (int k = 0; k < count * 16; ++k) {
    if (k % 16 == 0) text += (std::snprintf(field, sizeof field, "%08X ", address + k), field);
    text += (std::snprintf(field, sizeof field, k % 16 == 8 ? "   %02X" : " %02X", k & 0xFF), field);
    if (k % 16 == 15) text += '\n';
  }
  return text;
}

struct Conversion {
  std::optional<std::string> bin;
  std::vector<std::string> messages;
};

Conversion Convert(std::string_view text) {
  RecordingReporter reporter;
  std::optional<std::string> bin = ConvertHexToPackets(text, reporter);
  return {bin, reporter.messages};
}

TEST(PacketConversion, FileHeaderAndPacketOfATinyText) {
  const Conversion c = Convert("7FF20000  01 02 03\n");
  // Marks, total bytes, packet count, header CRC; marks, packet number, address, size, data, CRC.
  EXPECT_EQ(c.bin, std::string("\x55\xAA\x01\x01\x00\x00\x00\x03\x00\x01\xD2\xA1\xA8\xED"
                               "\x5A\x5A\x00\x00\x7F\xF2\x00\x00\x00\x00\x00\x03\x01\x02\x03\x0A\x52\x87\xB5",
                               33));
  EXPECT_TRUE(c.messages.empty());
}

// Packets close once they hold more than 4064 bytes, and at every gap or jump
// in the addresses; data that end where a packet closed end the file.
TEST(PacketConversion, PacketsCloseAtTheSizeLimitAndAtAddressGaps) {
  const std::uint32_t at = 0x7FF20000;
  const std::pair<std::string, std::vector<std::pair<std::uint32_t, std::uint32_t>>> cases[] = {
      {HexLines(at, 300), {{at, 4080}, {at + 4080, 720}}},
      {HexLines(at, 254), {{at, 4064}}},
      {HexLines(at, 255), {{at, 4080}}},
      {HexLines(at, 510), {{at, 4080}, {at + 4080, 4080}}},
      {HexLines(0x1000, 2) + HexLines(0x1040, 1) + HexLines(0x0FF0, 1), {{0x1000, 32}, {0x1040, 16}, {0x0FF0, 16}}},
      {HexLines(0x7FF10000, 4) + HexLines(at, 3), {{0x7FF10000, 64}, {at, 48}}},  // a pre-installed build
  };
  for (const auto& [text, packets] : cases) {
    SCOPED_TRACE(text.substr(0, 9) + std::to_string(text.size() / 60) + " lines");
    const Conversion c = Convert(text);
    ASSERT_TRUE(c.bin);
    EXPECT_TRUE(c.messages.empty());
    EXPECT_EQ(Packets(*c.bin), packets);
    EXPECT_EQ(BigEndian(*c.bin, 4, 4), text.size() / 60 * 16);
  }
}

TEST(PacketConversion, SpellingsAndUnsoundText) {
  const std::string plain = HexLines(0x7FF2ABC0, 3);
  const std::string one = plain.substr(0, 60), two = plain.substr(60, 60), three = plain.substr(120, 60);
  std::string lower = plain, crlf;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  for (char ch : plain) crlf += ch == '\n' ? std::string("  \r\n") : std::string(1, ch);
  auto pairs = [](int count, std::size_t width) {
    std::string line = "7FF20000";
    for (int i = 0; i < count; ++i) line += " 5A";
    return line + std::string(width - line.size() - 1, ' ') + "\n";
  };
  const std::string same = "", accepted = "*", eof = "DNCONV: Error on packet build. -- EOF\n";
  // Each text gives the same file as `plain`, another file, or its one message.
  const std::pair<std::string, std::string> cases[] = {
      {lower, same},
      {crlf, same},
      {"\n  \r\n" + one + "\n\t \n" + two + "7FF2ABE0\n" + three, same},  // blank lines, an address without bytes
      {one + two + three.substr(0, 59), same},                            // last line without LF
      {plain + "\xFF" + "garbage GG\n", same},                            // 0xFF ends the input
      {one + two + three.substr(0, 9) + "2021222324252627" + three.substr(33), same},  // pairs without separators
      {plain + "7FF2ABF0  00 G1\n", "DNCONV: Unknown character on buffer:0x47\n"},
      {"7FF2001g  00\n", "DNCONV: Unknown character on buffer:0x67\n"},
      {"7FF2  00\n", "DNCONV: Unknown character on buffer:0x20\n"},
      {"7FF20000  00 1\n", "DNCONV: Unknown character on buffer:0x0a\n"},  // half a byte
      {pairs(128, 400), accepted},
      {pairs(129, 400), "DNCONV: more than 128 bytes on one line\n"},
      {pairs(1, 512), accepted},
      {pairs(1, 513), "DNCONV: line longer than 512 bytes\n"},
      {"", eof},
      {"\n\r\n  \n", eof},
      {"7FF20000\n7FF20010  \n", eof},
      {"\xFF" + plain, eof},
  };
  const std::optional<std::string> expected = Convert(plain).bin;
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(::testing::PrintToString(text));
    const Conversion c = Convert(text);
    if (message == same) {
      EXPECT_EQ(c.bin, expected);
    }
    EXPECT_EQ(c.bin.has_value(), message == same || message == accepted);
    const bool told = message != same && message != accepted;
    EXPECT_EQ(c.messages, told ? std::vector<std::string>({message}) : std::vector<std::string>());
  }
}

TEST(PacketConversion, PacketCountFitsTheHeadersSixteenBits) {
  // One byte a packet, every line after a gap. 65,536 packets used to be
  // converted with a header that counted 0 of them.
  std::string text;
  char line[16];
  for (int i = 0; i < 65535; ++i) text += (std::snprintf(line, sizeof line, "%08X 5A\n", i * 2), line);
  const Conversion most = Convert(text);
  ASSERT_TRUE(most.bin);
  EXPECT_EQ(Packets(*most.bin).size(), 65535u);
  const Conversion tooMany = Convert(text + "0001FFFE 5A\n");
  EXPECT_FALSE(tooMany.bin);
  EXPECT_EQ(tooMany.messages, std::vector<std::string>{"DNCONV: more than 65535 packets\n"});
}

}  // namespace
}  // namespace chanora::testing

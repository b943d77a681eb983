// Hex text to packet file: the layout the receiver's loader reads, where
// packets close, and which texts are refused.

#include "packets/packet_conversion.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/recording_reporter.h"

namespace chanora::testing {
namespace {

std::string B(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

// Plain bitwise CRC-32 (reflected 0xEDB88320), kept apart from the engine's.
std::uint32_t BitwiseCrc32(std::string_view data) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (char c : data) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

struct Packet {
  std::uint32_t address;
  std::string data;
};

// Walks a packet file, checking the marks, numbers, counts and every CRC.
std::vector<Packet> Walk(const std::string& bin) {
  std::vector<Packet> packets;
  EXPECT_EQ(bin.substr(0, 4), B({0x55, 0xAA, 0x01, 0x01}));
  EXPECT_EQ(BigEndian(bin, 10, 4), BitwiseCrc32(std::string_view(bin).substr(0, 10)));
  std::uint32_t total = 0;
  std::size_t at = 14;
  while (at < bin.size()) {
    EXPECT_EQ(bin.substr(at, 2), B({0x5A, 0x5A}));
    EXPECT_EQ(BigEndian(bin, at + 2, 2), packets.size());
    const std::uint32_t length = BigEndian(bin, at + 8, 4);
    EXPECT_EQ(BigEndian(bin, at + 12 + length, 4), BitwiseCrc32(std::string_view(bin).substr(at, 12 + length)));
    packets.push_back({BigEndian(bin, at + 4, 4), bin.substr(at + 12, length)});
    total += length;
    at += 16 + length;
  }
  EXPECT_EQ(at, bin.size());
  EXPECT_EQ(BigEndian(bin, 4, 4), total);
  EXPECT_EQ(BigEndian(bin, 8, 2), packets.size());
  return packets;
}

// `count` lines of 16 bytes from `address`, laid out as a compile writes
// them; byte k of the run holds k & 0xFF.
std::string HexLines(std::uint32_t address, int count) {
  std::string text;
  char field[16];
  for (int line = 0; line < count; ++line) {
    std::snprintf(field, sizeof field, "%08X ", address + line * 16);
    text += field;
    for (int column = 0; column < 16; ++column) {
      std::snprintf(field, sizeof field, column == 8 ? "   %02X" : " %02X", (line * 16 + column) & 0xFF);
      text += field;
    }
    text += '\n';
  }
  return text;
}

std::string Counting(std::size_t from, std::size_t count) {
  std::string bytes;
  for (std::size_t k = from; k < from + count; ++k) bytes += static_cast<char>(k & 0xFF);
  return bytes;
}

struct Conversion {
  std::optional<std::string> bin;
  RecordingReporter reporter;
};

Conversion Convert(std::string_view text) {
  Conversion c;
  c.bin = ConvertHexToPackets(text, c.reporter);
  return c;
}

TEST(PacketConversion, FileHeaderAndPacketOfATinyText) {
  Conversion c = Convert("7FF20000  01 02 03\n");
  ASSERT_TRUE(c.bin);
  EXPECT_TRUE(c.reporter.messages.empty());
  EXPECT_EQ(*c.bin, B({0x55, 0xAA, 0x01, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0xD2, 0xA1, 0xA8, 0xED,  //
                       0x5A, 0x5A, 0x00, 0x00, 0x7F, 0xF2, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03,              //
                       0x01, 0x02, 0x03, 0x0A, 0x52, 0x87, 0xB5}));
}

TEST(PacketConversion, PacketsCloseAtTheSizeLimit) {
  const std::uint32_t start = 0x7FF20000;
  // 300 lines: 255 lines (4080 bytes) close the first packet.
  Conversion c = Convert(HexLines(start, 300));
  ASSERT_TRUE(c.bin);
  std::vector<Packet> packets = Walk(*c.bin);
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0].address, start);
  EXPECT_EQ(packets[0].data, Counting(0, 4080));
  EXPECT_EQ(packets[1].address, start + 4080);
  EXPECT_EQ(packets[1].data, Counting(4080, 720));

  // Data that end exactly where a packet closed end the file normally.
  for (int lines : {254, 255, 510}) {
    SCOPED_TRACE(lines);
    c = Convert(HexLines(start, lines));
    ASSERT_TRUE(c.bin);
    EXPECT_TRUE(c.reporter.messages.empty());
    packets = Walk(*c.bin);
    ASSERT_EQ(packets.size(), lines <= 255 ? 1u : 2u);
    EXPECT_EQ(packets.back().data.size(), lines == 254 ? 4064u : 4080u);
  }
}

TEST(PacketConversion, AddressGapsStartNewPackets) {
  // A gap forward and a jump back each close the open packet.
  const std::string text = HexLines(0x1000, 2) + HexLines(0x1040, 1) + HexLines(0x0FF0, 1);
  Conversion c = Convert(text);
  ASSERT_TRUE(c.bin);
  const std::vector<Packet> packets = Walk(*c.bin);
  ASSERT_EQ(packets.size(), 3u);
  EXPECT_EQ(packets[0].address, 0x1000u);
  EXPECT_EQ(packets[0].data, Counting(0, 32));
  EXPECT_EQ(packets[1].address, 0x1040u);
  EXPECT_EQ(packets[1].data, Counting(0, 16));
  EXPECT_EQ(packets[2].address, 0x0FF0u);

  // The pre-installed build: the Normal image's lines, then the Basic
  // image's; the Basic part opens its own packet at its address.
  c = Convert(HexLines(0x7FF10000, 4) + HexLines(0x7FF20000, 3));
  ASSERT_TRUE(c.bin);
  const std::vector<Packet> pre = Walk(*c.bin);
  ASSERT_EQ(pre.size(), 2u);
  EXPECT_EQ(pre[0].address, 0x7FF10000u);
  EXPECT_EQ(pre[0].data.size(), 64u);
  EXPECT_EQ(pre[1].address, 0x7FF20000u);
  EXPECT_EQ(pre[1].data, Counting(0, 48));
}

TEST(PacketConversion, TolerableSpellingsConvertAlike) {
  const std::string plain = HexLines(0x7FF2ABC0, 3);
  const std::optional<std::string> expected = Convert(plain).bin;
  ASSERT_TRUE(expected);
  std::string lower = plain;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  std::string crlf;
  for (char ch : plain) crlf += ch == '\n' ? std::string("  \r\n") : std::string(1, ch);

  const std::string line1 = plain.substr(0, 60), line2 = plain.substr(60, 60), line3 = plain.substr(120, 60);
  const std::string spellings[] = {
      lower,
      crlf,
      "\n  \r\n" + line1 + "\n\t \n" + line2 + "7FF2ABE0\n" + line3,  // blank lines, an address without bytes
      line1 + line2 + line3.substr(0, 59),                             // last line without LF
      line1 + line2 + line3 + "\xFF" + "garbage GG\n",                 // 0xFF ends the input
      line1 + line2 + line3.substr(0, 9) + "2021222324252627" + line3.substr(33),  // pairs without separators
  };
  for (const std::string& text : spellings) {
    SCOPED_TRACE(::testing::PrintToString(text));
    Conversion c = Convert(text);
    EXPECT_EQ(c.bin, expected);
    EXPECT_TRUE(c.reporter.messages.empty());
  }
}

TEST(PacketConversion, UnsoundTextIsRefused) {
  const std::string good = HexLines(0x7FF20000, 1);
  auto pairs = [](int count) {
    std::string line = "7FF20000";
    for (int i = 0; i < count; ++i) line += " 5A";
    return line;
  };
  const std::string eof = "DNCONV: Error on packet build. -- EOF\n";
  struct Case {
    std::string text;
    std::string message;  // empty: accepted
  } cases[] = {
      {good + "7FF20010  00 G1\n", "DNCONV: Unknown character on buffer:0x47\n"},
      {"7FF2001g  00\n", "DNCONV: Unknown character on buffer:0x67\n"},
      {"7FF2  00\n", "DNCONV: Unknown character on buffer:0x20\n"},
      {"7FF20000  00 1\n", "DNCONV: Unknown character on buffer:0x0a\n"},  // half a byte
      {pairs(128) + "\n", ""},
      {pairs(129) + "\n", "DNCONV: more than 128 bytes on one line\n"},
      {pairs(1) + std::string(511 - 11, ' ') + "\n", ""},  // 512 bytes with the LF
      {pairs(1) + std::string(512 - 11, ' ') + "\n", "DNCONV: line longer than 512 bytes\n"},
      {"", eof},
      {"\n\r\n  \n", eof},
      {"7FF20000\n7FF20010  \n", eof},
      {"\xFF" + good, eof},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text));
    Conversion result = Convert(c.text);
    EXPECT_EQ(result.bin.has_value(), c.message.empty());
    EXPECT_EQ(result.reporter.messages,
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
}

TEST(PacketConversion, PacketCountFitsTheHeadersSixteenBits) {
  // One byte a packet, every line after a gap. 65,536 packets used to be
  // converted with a header that counted 0 of them.
  auto gappedBytes = [](int count) {
    std::string text;
    char line[16];
    for (int i = 0; i < count; ++i) {
      std::snprintf(line, sizeof line, "%08X 5A\n", i * 2);
      text += line;
    }
    return text;
  };
  Conversion most = Convert(gappedBytes(65535));
  ASSERT_TRUE(most.bin);
  EXPECT_EQ(BigEndian(*most.bin, 8, 2), 65535u);
  EXPECT_EQ(BigEndian(*most.bin, most.bin->size() - 17 + 2, 2), 65534u);  // the last packet's number

  Conversion tooMany = Convert(gappedBytes(65536));
  EXPECT_FALSE(tooMany.bin);
  EXPECT_EQ(tooMany.reporter.messages, std::vector<std::string>{"DNCONV: more than 65535 packets\n"});
}

}  // namespace
}  // namespace chanora::testing

// The channel image byte for byte: every record kind in both layouts, block
// marks, service numbers, the hex text and the limits of the Normal image.
// Expected bytes are written out here from the record layouts; CRC fields are
// computed with a plain bitwise CRC-16/ARC, not the engine's table.

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/channel_image_builder.h"
#include "compiler/crc.h"
#include "compiler/hex_text.h"
#include "tests/compiler/compiler_fixture.h"

namespace chanora::testing {
namespace {

std::string B(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

std::string Name(const std::string& name, std::size_t width) { return name + std::string(width - name.size(), '\0'); }

const std::string kFF6 = B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
const std::string kStart = B({0xDD, 0xCC, 0xBB, 0xAA});
const std::string kEnd = B({0xCD, 0xAB, 0x34, 0x12});

std::uint16_t ArcCrc(const std::string& data, int zeros) {
  std::uint16_t crc = 0;
  auto step = [&crc](unsigned char byte) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  };
  for (char c : data) step(static_cast<unsigned char>(c));
  for (int i = 0; i < zeros; ++i) step(0);
  return crc;
}

// The record's data followed by its CRC, low byte first.
std::string Crc(const std::string& data, int zeros) {
  const std::uint16_t crc = ArcCrc(data, zeros);
  return data + B({crc & 0xFF, crc >> 8});
}

// Reads hex text back, checking the exact line layout and that the addresses
// run on from `address` without a gap.
std::string ParseHex(const std::string& text, std::uint32_t address) {
  std::string bytes;
  for (std::size_t at = 0; at < text.size(); at += 60) {
    const std::string line = text.substr(at, 60);
    EXPECT_EQ(line.size(), 60u);
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.substr(8, 2), "  ");
    EXPECT_EQ(std::stoul(line.substr(0, 8), nullptr, 16), address + bytes.size()) << line;
    for (int column = 0; column < 16; ++column) {
      const std::size_t pos = 10 + 3 * column + (column >= 8 ? 2 : 0);
      const std::size_t gap = column == 8 ? 3 : 1;  // three blanks between the two halves
      EXPECT_EQ(line.substr(pos - gap, gap), std::string(gap, ' ')) << line;
      bytes += static_cast<char>(std::stoul(line.substr(pos, 2), nullptr, 16));
    }
  }
  return bytes;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> NameList(int count) {
  std::vector<std::string> lines = {"[SATELLITE_NAME_LIST]", "1 \"AURORA 1\"", "2 ABCDEFGHIJKLM"};
  for (int i = 3; i <= count; ++i) lines.push_back(std::to_string(i) + " S" + std::to_string(i));
  return lines;
}

std::string NameTable(int count) {
  std::string data = Name("AURORA 1", 14) + Name("ABCDEFGHIJKLM", 14);
  for (int i = 3; i <= count; ++i) data += Name("S" + std::to_string(i), 14);
  return Crc(data, 4) + B({0, 0});
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Built {
  bool ok = false;
  RecordingReporter reporter;
  std::string hex;
};

Built Build(const std::string& list, CompileMode mode, int maxSatellites = 32, bool split = false) {
  Built built;
  ChannelImageBuilder builder(mode, built.reporter);
  CheckPass pass(mode, maxSatellites, split, builder, built.reporter);
  built.ok = pass.Run(list);
  if (built.ok) built.hex = builder.HexText();
  return built;
}

std::string Image(const std::string& list, CompileMode mode, int maxSatellites = 32, bool split = false) {
  Built built = Build(list, mode, maxSatellites, split);
  EXPECT_TRUE(built.ok) << ::testing::PrintToString(built.reporter.messages);
  return ParseHex(built.hex, mode == Basic ? 0x7FF20000 : 0x7FF10000);
}

// Pads an image as the hex text does: whole lines of 16, zeros behind.
std::string Padded(std::string image, std::size_t lines) {
  EXPECT_LE(image.size(), lines * 16);
  image.resize(lines * 16, '\0');
  return image;
}

TEST(Crc, CheckValues) {
  EXPECT_EQ(CRC16("123456789"), 0xBB3D);
  EXPECT_EQ(Crc("123456789", 0).substr(9), B({0x3D, 0xBB}));
  EXPECT_EQ(CRC16("123456789", 4), ArcCrc("123456789", 4));
  EXPECT_EQ(CRC16(std::string(300, '\x5A'), 2), ArcCrc(std::string(300, '\x5A'), 2));
  EXPECT_EQ(CRC32("123456789"), 0xCBF43926u);
  EXPECT_EQ(CRC32(""), 0u);
}

// 32 names, 2 satellites, 3 TPs, 4 channels, empty PID and analog sections.
const std::string kListA = Join(
    NameList(32) +
    std::vector<std::string>{
        "[SATELLITE]",
        "0 \"AURORA 1\" N 10600 9750 0 192",
        "1 \"DELTA STAR\" N 10750 9750 2 -300",
        "[DIGITAL TP]",
        "1 0 11778 27500 V \"AURORA TV\"",
        "2 1 3840 26000 H \"MERIDIAN C\"",
        "300 1 12187 27500 V ABCDEFGHIJKLMNOP",  // comment cut to 13 characters
        "[DIGITAL CHANNEL]",
        "1 1 0 1001 TV \"Aurora One\" 1 N",
        "2 1 0 2A01 RADIO \"Nordic Film\" 2 N",
        "3 300 1 FFFF TV ABCDEFGHIJKLM 300 N",
        "4 77 1 0C81 TV Null 2 Y",  // blank: its TP is not defined
        "[DIGITAL PID CHANNEL]",
        "[ANALOG TP]",
        "[END]",
    });

// LNB triples, position, 1, blank, position bits 24-31, positioner.
const std::string kSatellitesA =
    B({0x00, 0x08}) + Name("AURORA 1", 14) +
    B({0x01, 0x06, 0x00, 0x00, 0x97, 0x50, 0x00, 0x01, 0x00, 0x00, 0xC0, 0x00}) +  //
    B({0x01, 0x0A}) + Name("DELTA STAR", 14) +
    B({0x01, 0x07, 0x50, 0x00, 0x97, 0x50, 0x02, 0x01, 0x00, 0x00, 0xD4, 0xFE});

TEST(ChannelImage, BasicLayoutOfASmallList) {
  const std::string tps =
      Crc(B({0x01, 0x00, 0x80}) + Name("AURORA TV", 13) + B({0x01, 0x17, 0x78, 0x02, 0x75, 0x00}), 4) +
      Crc(B({0x02, 0x00, 0x01}) + Name("MERIDIAN C", 13) + B({0x00, 0x38, 0x40, 0x02, 0x60, 0x00}), 4) +
      Crc(B({0x2C, 0x01, 0x81}) + "ABCDEFGHIJKLM" + B({0x01, 0x21, 0x87, 0x02, 0x75, 0x00}), 4);
  const std::string channels =
      Crc(B({0x01, 0x10, 0x01, 0x00, 0x01, 0x00, 0x00, 0x01, 0x0A}) + Name("Aurora One", 14) + B({0x01}), 4) +
      B({0, 0}) +
      Crc(B({0x01, 0x2A, 0x02, 0x00, 0x01, 0x00, 0x00, 0x02, 0x0B}) + Name("Nordic Film", 14) + B({0x02}), 4) +
      B({0, 0}) +
      Crc(B({0xFF, 0xFF, 0x03, 0x00, 0x2C, 0x01, 0x01, 0x01, 0x0D}) + Name("ABCDEFGHIJKLM", 14) + B({0x2C}), 4) +
      B({0, 0}) +
      Crc(B({0x81, 0x0C, 0x04, 0x00, 0x4D, 0x00, 0x01, 0x01, 0x04}) + Name("Null", 14) + B({0x82}), 4) + B({0, 0});
  const std::string image = NameTable(32) + kStart + kSatellitesA + kEnd + kStart + tps + kEnd + kStart +
                            channels + kEnd + kStart + kEnd + kStart + kEnd;
  ASSERT_EQ(image.size(), 732u);
  EXPECT_EQ(Image(kListA, Basic), Padded(image, 46));
}

TEST(ChannelImage, NormalLayoutOfASmallList) {
  const std::string ff4 = B({0xFF, 0xFF, 0xFF, 0xFF});
  const std::string tps =
      Crc(B({0x00, 0x00, 0x01, 0x01, 0x17, 0x78, 0x02, 0x75, 0x00, 0x09}) + Name("AURORA TV", 14) + ff4 +
              B({0x01, 0x00, 0, 0, 0, 0}),
          2) +
      Crc(B({0x01, 0x00, 0x00, 0x00, 0x38, 0x40, 0x02, 0x60, 0x00, 0x0A}) + Name("MERIDIAN C", 14) + ff4 +
              B({0x02, 0x00, 0, 0, 0, 0}),
          2) +
      Crc(B({0x01, 0x00, 0x01, 0x01, 0x21, 0x87, 0x02, 0x75, 0x00, 0x0D}) + Name("ABCDEFGHIJKLM", 14) + ff4 +
              B({0x03, 0x00, 0, 0, 0, 0}),
          2);
  // TPs by sequence number; TV and radio numbered apart; the blank channel
  // keeps its D_TP Index (77) and carries its SAT Index in place of the audio.
  const std::string channels =
      Crc(B({0x01, 0x10, 0x01, 0x00, 0x54, 0x01}) + Name("Aurora One", 13) + B({0x01}) + kFF6, 2) +
      Crc(B({0x01, 0x2A, 0x01, 0x00, 0x55, 0x02}) + Name("Nordic Film", 13) + B({0x01}) + kFF6, 2) +
      Crc(B({0xFF, 0xFF, 0x03, 0x00, 0x54, 0x2C}) + "ABCDEFGHIJKLM" + B({0x02}) + kFF6, 2) +
      Crc(B({0x81, 0x0C, 0x4D, 0x00, 0x5C, 0x01}) + Name("Null", 13) + B({0x03}) + kFF6, 2);
  const std::string header = B({2, 0, 3, 0, 4, 0, 0, 0, 3, 0, 1, 0});
  const std::string image =
      header + kStart + kSatellitesA + kEnd + kStart + tps + kEnd + kStart + channels + kEnd + kStart + kEnd;
  ASSERT_EQ(image.size(), 320u);
  EXPECT_EQ(Image(kListA, Normal), image);
}

// PID channels, analog TPs, a blank satellite whose TPs and channels are
// passed over, and a blank PID channel.
const std::string kListB = Join(
    NameList(32) +
    std::vector<std::string>{
        "[SATELLITE]",
        "0 AURORA N 10600 9750 300",
        "7 ZENITH Y 10600 9750 -1 65535",
        "[DIGITAL TP]",
        "5 0 11954 27500 H NEWS",
        "6 7 12000 27500 V SKIPPED",
        "[DIGITAL CHANNEL]",
        "1 5 0 1001 TV One 1 N",
        "2 6 7 1002 TV Gone 1 N",
        "[DIGITAL PID CHANNEL]",
        "31 5 0 RADIO \"Tide Radio\" 8191 701 702 3 N",
        "32 999 0 TV Blank 0 0 0 4 Y",
        "[ANALOG TP]",
        "1 0 11265 KU \"Aurora Analog\" 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV N",
        "2 0 3920 C \"Meridian AN\" 18MHz H 1 300 CANAL MONO_RIGHT 7.02 7.20 400 Y J17 RADIO Y",
        "3 7 11000 KU Skip 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV N",
        "[END]",
    });

const std::string kSatellitesB =
    B({0x00, 0x06}) + Name("AURORA", 14) + B({0x01, 0x06, 0x00, 0x00, 0x97, 0x50, 0x2C, 0x01, 0x00, 0x00, 0x00, 0x00}) +
    B({0x07, 0x06}) + Name("ZENITH", 14) + B({0x01, 0x06, 0x00, 0x00, 0x97, 0x50, 0xFF, 0x01, 0x01, 0xFF, 0xFF, 0xFF});

TEST(ChannelImage, PidAndAnalogRecordsInBothLayouts) {
  const std::string basic =
      NameTable(32) + kStart + kSatellitesB + kEnd + kStart +
      Crc(B({0x05, 0x00, 0x00}) + Name("NEWS", 13) + B({0x01, 0x19, 0x54, 0x02, 0x75, 0x00}), 4) + kEnd + kStart +
      Crc(B({0x01, 0x10, 0x01, 0x00, 0x05, 0x00, 0x00, 0x01, 0x03}) + Name("One", 14) + B({0x01}), 4) + B({0, 0}) +
      kEnd + kStart +
      Crc(B({0x1F, 0x00, 0x05, 0x00, 0x00, 0x02, 0xFF, 0x1F, 0xBD, 0x02, 0xBE, 0x02, 0x0A}) + Name("Tide Radio", 14) +
              B({0x03}),
          4) +
      B({0, 0}) +
      Crc(B({0x20, 0x00, 0xE7, 0x03, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 0x05}) + Name("Blank", 14) + B({0x84}), 4) +
      B({0, 0}) + kEnd + kStart +
      Crc(B({0x01, 0x12, 0x65, 0x65, 0x06, 0x80}) + "Aurora Analog" + B({0x00, 0x05, 0x01, 0x50, 0x82, 0x00, 0x00}),
          2) +
      Crc(B({0x00, 0x39, 0x20, 0x70, 0x27, 0x20}) + Name("Meridian AN", 13) +
              B({0x00, 0x2C, 0x01, 0x0B, 0x47, 0x09, 0x00}),
          2) +
      kEnd;
  ASSERT_EQ(basic.size(), 720u);  // 45 whole lines, no padding
  EXPECT_EQ(Image(kListB, Basic), basic);

  // The PID channels follow the digital channels in one block; the analog
  // records carry service numbers and the Normal bit.
  const std::string normal =
      B({2, 0, 1, 0, 3, 0, 2, 0, 3, 0, 2, 0}) + kStart + kSatellitesB + kEnd + kStart +
      Crc(B({0x00, 0x00, 0x00, 0x01, 0x19, 0x54, 0x02, 0x75, 0x00, 0x04}) + Name("NEWS", 14) +
              B({0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0, 0, 0, 0}),
          2) +
      kEnd + kStart + Crc(B({0x01, 0x10, 0x01, 0x00, 0x54, 0x01}) + Name("One", 13) + B({0x01}) + kFF6, 2) +
      Crc(B({0x00, 0x00, 0x01, 0x00, 0x55, 0x03}) + Name("Tide Radio", 13) +
              B({0x01, 0xFF, 0x1F, 0xBD, 0x02, 0xBE, 0x02}),
          2) +
      Crc(B({0x00, 0x00, 0xE7, 0x03, 0x5C, 0x04}) + Name("Blank", 13) + B({0x02, 0, 0, 0, 0, 0, 0}), 2) + kEnd +
      kStart +
      Crc(B({0x01, 0x12, 0x65, 0x65, 0x06, 0x80}) + "Aurora Analog" + B({0x03, 0x05, 0x01, 0x50, 0x82, 0x04, 0x00}),
          2) +
      Crc(B({0x00, 0x39, 0x20, 0x70, 0x27, 0x20}) + Name("Meridian AN", 13) +
              B({0x02, 0x2C, 0x01, 0x0B, 0x47, 0x0D, 0x00}),
          2) +
      kEnd;
  ASSERT_EQ(normal.size(), 276u);
  EXPECT_EQ(Image(kListB, Normal), Padded(normal, 18));

  Built built = Build(kListB, Normal);
  EXPECT_EQ(built.hex.substr(0, 60), "7FF10000  02 00 01 00 03 00 02 00   03 00 02 00 DD CC BB AA\n");
}

TEST(ChannelImage, NameTableAndPaddingOfTheLastLine) {
  // 452 + 4 + 2 x 28 + 4 bytes: 32 full lines and 4 bytes on the 33rd.
  const std::string list = Join(NameList(32) + std::vector<std::string>{
                                                   "[SATELLITE]",
                                                   "0 \"AURORA 1\" N 10600 9750 0 192",
                                                   "1 \"DELTA STAR\" N 10750 9750 2 -300",
                                                   "[END]",
                                               });
  Built built = Build(list, Basic);
  ASSERT_TRUE(built.ok);
  ASSERT_EQ(built.hex.size(), 33u * 60);
  EXPECT_EQ(built.hex.substr(32 * 60), "7FF20200  CD AB 34 12 00 00 00 00   00 00 00 00 00 00 00 00\n");
  EXPECT_EQ(ParseHex(built.hex, 0x7FF20000), Padded(NameTable(32) + kStart + kSatellitesA + kEnd, 33));

  // With 40 satellites the table has 40 entries: 564 bytes.
  const std::string forty = Join(NameList(40) + std::vector<std::string>{"[SATELLITE]", "[END]"});
  const std::string table = NameTable(40);
  ASSERT_EQ(table.size(), 564u);
  EXPECT_EQ(Image(forty, Basic, 40), Padded(table + kStart + kEnd, 36));
}

// 32 names, one satellite and TP, `tv` digital TV channels, then one analog
// TV service when `analog` is set.
std::string ServiceList(int tv, bool analog) {
  std::vector<std::string> lines = NameList(32) + std::vector<std::string>{
                                                      "[SATELLITE]",
                                                      "0 AURORA N 10600 9750 0",
                                                      "[DIGITAL TP]",
                                                      "1 0 11778 27500 V TP",
                                                      "[DIGITAL CHANNEL]",
                                                  };
  for (int i = 1; i <= tv; ++i) lines.push_back(std::to_string(i) + " 1 0 1001 TV C" + std::to_string(i) + " 1 N");
  lines.push_back("[DIGITAL PID CHANNEL]");
  lines.push_back("[ANALOG TP]");
  if (analog) lines.push_back("1 0 11265 KU Analog 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV N");
  lines.push_back("[END]");
  return Join(lines);
}

TEST(ChannelImage, ServiceNumbersOfTheNormalImage) {
  // Header, block start, satellite, marks, TP, marks: channel n starts at
  // 96 + (n - 1) x 28; the analog record follows the channels and two marks.
  auto channel = [](const std::string& image, int n) { return image.substr(96 + (n - 1) * 28, 28); };
  auto analog = [](const std::string& image, int channels) { return image.substr(96 + channels * 28 + 8, 28); };

  const std::string joined = Image(ServiceList(120, true), Normal);
  const std::string split = Image(ServiceList(120, true), Normal, 32, true);
  EXPECT_EQ(channel(joined, 120).substr(2, 2), B({0x01, 0x00}));
  EXPECT_EQ(channel(joined, 120)[19], '\x78');
  EXPECT_EQ(analog(joined, 120)[19], '\x79');  // 121 without the split
  EXPECT_EQ(analog(split, 120)[0], '\x01');
  EXPECT_EQ(analog(split, 120)[19], '\x01');  // 1 again with the split
  EXPECT_EQ(channel(split, 120), channel(joined, 120));

  // The 300th TV service: 0x2C in the low byte, 1 in the high nibble beside
  // the TP number; the analog service after it is 301.
  const std::string many = Image(ServiceList(300, true), Normal);
  EXPECT_EQ(channel(many, 255).substr(2, 2), B({0x01, 0x00}));
  EXPECT_EQ(channel(many, 255)[19], '\xFF');
  EXPECT_EQ(channel(many, 256).substr(2, 2), B({0x01, 0x10}));
  EXPECT_EQ(channel(many, 256)[19], '\x00');
  const std::string c300 = channel(many, 300);
  EXPECT_EQ(c300, Crc(B({0x01, 0x10, 0x01, 0x10, 0x54, 0x01}) + Name("C300", 13) + B({0x2C}) + kFF6, 2));
  EXPECT_EQ(analog(many, 300).substr(0, 3), B({0x11, 0x12, 0x65}));
  EXPECT_EQ(analog(many, 300)[19], '\x2D');
}

TEST(ChannelImage, HexLinesAndEvenLineCount) {
  std::string counting;
  for (int i = 0; i < 16; ++i) counting += static_cast<char>(i);
  EXPECT_EQ(MakeHexText(counting, 0x7FF20000, false),
            "7FF20000  00 01 02 03 04 05 06 07   08 09 0A 0B 0C 0D 0E 0F\n");
  EXPECT_EQ(MakeHexText(B({0xAB}), 0x0000FFF0, false),
            "0000FFF0  AB 00 00 00 00 00 00 00   00 00 00 00 00 00 00 00\n");

  // Normal: 12 + 52 bytes fill four lines, nothing added; 12 + 68 fill five
  // and get a sixth of zeros. Basic never adds a line.
  const std::string zeros = "  00 00 00 00 00 00 00 00   00 00 00 00 00 00 00 00\n";
  EXPECT_EQ(MakeHexText(std::string(64, '\x11'), 0x7FF10000, true).size(), 4u * 60);
  const std::string six = MakeHexText(std::string(80, '\x11'), 0x7FF10000, true);
  ASSERT_EQ(six.size(), 6u * 60);
  EXPECT_EQ(six.substr(4 * 60, 13), "7FF10040  11 ");
  EXPECT_EQ(six.substr(5 * 60), "7FF10050" + zeros);
  EXPECT_EQ(MakeHexText(std::string(80, '\x11'), 0x7FF20000, false).size(), 5u * 60);
}

TEST(ChannelImage, NumbersBeyondTwelveBitsAreRefused) {
  auto message = [](const char* what, int n) {
    return "\n ERROR : " + std::string(what) + " " + std::to_string(n) +
           " does not fit the Normal image (4095 at most) !!!\n";
  };
  struct Case {
    ChannelRecord channel;
    AnalogTpRecord analog;
    bool useAnalog;
    std::string expected;  // empty: accepted
  };
  ChannelRecord service4095, service4096, tp4096, blankTp4096, blankPid4095;
  service4095.serviceNumber = 4095;
  service4096.serviceNumber = 4096;
  tp4096.tpSequence = 4096;
  blankTp4096.blank = true;
  blankTp4096.tpIndex = 4096;
  blankTp4096.tpSequence = 1;
  blankPid4095.blank = blankPid4095.pid = true;
  blankPid4095.tpIndex = 4095;
  AnalogTpRecord analog4096;
  analog4096.frequency = "11265";
  analog4096.serviceNumber = 4096;
  const Case cases[] = {
      {service4095, {}, false, ""},
      {service4096, {}, false, message("service number", 4096)},
      {tp4096, {}, false, message("TP number", 4096)},
      {blankTp4096, {}, false, message("TP number", 4096)},
      {blankPid4095, {}, false, ""},
      {{}, analog4096, true, message("service number", 4096)},
  };
  for (const Case& c : cases) {
    for (CompileMode mode : kModes) {
      RecordingReporter reporter;
      ChannelImageBuilder builder(mode, reporter);
      const bool ok = c.useAnalog ? builder.AnalogTp(c.analog) : builder.Channel(c.channel);
      // The Basic image stores these numbers in 16 bits or not at all.
      const bool refused = mode == Normal && !c.expected.empty();
      EXPECT_EQ(ok, !refused) << c.expected;
      EXPECT_EQ(reporter.messages, refused ? Messages(c.expected) : std::vector<std::string>{});
    }
  }

  // Through a pass: a blank channel's D_TP Index goes into the 12 bits as written.
  std::string list = ServiceList(1, false);
  list.replace(list.find("[DIGITAL PID"), 0, "2 4096 0 1002 TV Null 1 Y\r\n");
  Built normal = Build(list, Normal);
  EXPECT_FALSE(normal.ok);
  EXPECT_EQ(normal.reporter.messages, Messages(message("TP number", 4096)));
  EXPECT_TRUE(Build(list, Basic).ok);
}

TEST(ChannelImage, NormalImageMustEndBelowTheBasicImage) {
  // Header 12 + block start 4 + 2340 x 28 = 65536 bytes: exactly up to 0x7FF20000.
  auto fill = [](ChannelImageBuilder& builder) {
    builder.BlockStart();
    ChannelRecord record;
    for (int i = 0; i < 2340; ++i) ASSERT_TRUE(builder.Channel(record));
  };
  RecordingReporter reporter;
  ChannelImageBuilder full(Normal, reporter);
  fill(full);
  ASSERT_TRUE(full.Finish({}));
  const std::string hex = full.HexText();
  ASSERT_EQ(hex.size(), 4096u * 60);
  EXPECT_EQ(hex.substr(hex.size() - 60, 9), "7FF1FFF0 ");
  EXPECT_TRUE(reporter.messages.empty());

  // Four bytes more make a 4097th line, and with the even count 65568 bytes.
  ChannelImageBuilder over(Normal, reporter);
  fill(over);
  over.BlockEnd();
  EXPECT_FALSE(over.Finish({}));
  EXPECT_EQ(reporter.messages, Messages("\n ERROR : the Normal channel image needs 65568 bytes; only 65536 fit below "
                                        "the Basic image !!!\n"));
}

}  // namespace
}  // namespace chanora::testing

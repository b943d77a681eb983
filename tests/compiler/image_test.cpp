// The channel image byte for byte: every record kind in both layouts, block
// marks, service numbers, the hex text and the limits of the Normal image.
// Expected bytes are written out here from the record layouts; CRC fields are
// computed with a plain bitwise CRC-16/ARC, not the engine's table.

#include <cstdint>
#include <string>
#include <vector>

#include "base/crc.h"
#include "compiler/channel_image_builder.h"
#include "compiler/hex_text.h"
#include "tests/compiler/compiler_fixture.h"

namespace chanora::testing {
namespace {

// Bytes from hexadecimal pairs; blanks between them are ignored.
std::string H(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i < hex.size(); ++i) {
    if (hex[i] != ' ') out += static_cast<char>(std::stoi(std::string(hex.substr(i++, 2)), nullptr, 16));
  }
  return out;
}

std::string Name(const std::string& name, std::size_t width) { return name + std::string(width - name.size(), '\0'); }

const std::string kStart = H("DD CC BB AA"), kEnd = H("CD AB 34 12"), kFF6 = H("FFFF FFFF FFFF");

std::uint16_t ArcCrc(const std::string& data, int zeros) {
  std::uint16_t crc = 0;
  for (std::size_t i = 0; i < data.size() + zeros; ++i) {
    crc ^= i < data.size() ? static_cast<unsigned char>(data[i]) : 0;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

// The record's data followed by its CRC, low byte first.
std::string Crc(const std::string& data, int zeros) {
  const std::uint16_t crc = ArcCrc(data, zeros);
  return data + static_cast<char>(crc & 0xFF) + static_cast<char>(crc >> 8);
}

// Reads hex text back, checking the exact line layout and that the addresses
// run on from `address` without a gap.
std::string ParseHex(const std::string& text, std::uint32_t address) {
  std::string bytes;
  for (std::size_t at = 0; at < text.size(); at += 60) {
    const std::string line = text.substr(at, 60);
    EXPECT_EQ(line.size(), 60u);
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(std::stoul(line.substr(0, 8), nullptr, 16), address + bytes.size()) << line;
    for (int column = 0; column < 16; ++column) {
      const std::size_t pos = 10 + 3 * column + (column >= 8 ? 2 : 0);
      const std::size_t gap = column == 0 ? 2 : column == 8 ? 3 : 1;  // three blanks between the two halves
      EXPECT_EQ(line.substr(pos - gap, gap), std::string(gap, ' ')) << line;
      bytes += static_cast<char>(std::stoul(line.substr(pos, 2), nullptr, 16));
    }
  }
  return bytes;
}

// 32 or 40 names, the first with a blank, the second of 13 characters.
std::string NameList(int count) {
  std::string lines = "[SATELLITE_NAME_LIST]\r\n1 \"AURORA 1\"\r\n2 ABCDEFGHIJKLM\r\n";
  for (int i = 3; i <= count; ++i) lines += std::to_string(i) + " S" + std::to_string(i) + "\r\n";
  return lines;
}

std::string NameTable(int count) {
  std::string data = Name("AURORA 1", 14) + Name("ABCDEFGHIJKLM", 14);
  for (int i = 3; i <= count; ++i) data += Name("S" + std::to_string(i), 14);
  return Crc(data, 4) + H("0000");
}

// The hex text of a pass that must succeed, and its bytes read back.
std::string HexText(const std::string& list, CompileMode mode, int maxSatellites = 32, bool split = false) {
  RecordingReporter reporter;
  ChannelImageBuilder builder(mode, reporter);
  EXPECT_TRUE(CheckPass(mode, maxSatellites, split, builder, reporter).Run(list))
      << ::testing::PrintToString(reporter.messages);
  return builder.HexText();
}

std::string Image(const std::string& list, CompileMode mode, int maxSatellites = 32, bool split = false) {
  return ParseHex(HexText(list, mode, maxSatellites, split), mode == CompileMode::Basic ? 0x7FF20000 : 0x7FF10000);
}

TEST(Crc, CheckValues) {
  EXPECT_EQ(CRC16("123456789"), 0xBB3D);
  EXPECT_EQ(CRC16("123456789", 4), ArcCrc("123456789", 4));
  EXPECT_EQ(CRC32("123456789"), 0xCBF43926u);
  EXPECT_EQ(CRC32(""), 0u);
}

// Every record kind: a blank satellite whose TPs and channels are passed
// over, 4- and 5-digit frequencies, a cut comment, names of 13 characters,
// blank channels whose TPs are not defined.
const std::string kList =
    NameList(32) + CrLfLines({
                       "[SATELLITE]",
                       "0 \"AURORA 1\" N 10600 9750 300 192",
                       "3 \"DELTA STAR\" N 10750 9750 2 -300",
                       "7 ZENITH Y 10600 9750 -1 65535",
                       "[DIGITAL TP]",
                       "1 0 11778 27500 V \"AURORA TV\"",
                       "2 3 3840 26000 H \"MERIDIAN C\"",
                       "300 3 12187 27500 V ABCDEFGHIJKLMNOP",
                       "6 7 12000 27500 V SKIPPED",
                       "[DIGITAL CHANNEL]",
                       "1 1 0 1001 TV \"Aurora One\" 1 N",
                       "2 1 0 2A01 RADIO \"Nordic Film\" 2 N",
                       "3 300 3 FFFF TV ABCDEFGHIJKLM 300 N",
                       "4 77 3 0C81 TV Null 2 Y",
                       "5 6 7 1002 TV Gone 1 N",
                       "[DIGITAL PID CHANNEL]",
                       "31 1 0 RADIO \"Tide Radio\" 8191 701 702 3 N",
                       "32 999 0 TV Blank 0 0 0 4 Y",
                       "[ANALOG TP]",
                       "1 0 11265 KU \"Aurora Analog\" 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV N",
                       "2 3 3920 C \"Meridian AN\" 18MHz H 1 300 CANAL MONO_RIGHT 7.02 7.20 400 Y J17 RADIO Y",
                       "3 7 11000 KU Skip 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV N",
                       "[END]",
                   });

// LNB triples, position, 1, blank, position bits 24-31, positioner.
const std::string kSatellites = H("00 08") + Name("AURORA 1", 14) + H("010600 009750 2C 01 00 00 C000") + H("03 0A") +
                                Name("DELTA STAR", 14) + H("010750 009750 02 01 00 00 D4FE") + H("07 06") +
                                Name("ZENITH", 14) + H("010600 009750 FF 01 01 FF FFFF");

TEST(ChannelImage, BasicLayout) {
  const std::string tps = Crc(H("0100 80") + Name("AURORA TV", 13) + H("011778 027500"), 4) +
                          Crc(H("0200 03") + Name("MERIDIAN C", 13) + H("003840 026000"), 4) +
                          Crc(H("2C01 83") + "ABCDEFGHIJKLM" + H("012187 027500"), 4);
  // SVC ID, SVC Index, D_TP Index, SAT Index, type, name length, name, audio with the blank bit.
  const std::string channels = Crc(H("0110 0100 0100 00 01 0A") + Name("Aurora One", 14) + H("01"), 4) + H("0000") +
                               Crc(H("012A 0200 0100 00 02 0B") + Name("Nordic Film", 14) + H("02"), 4) + H("0000") +
                               Crc(H("FFFF 0300 2C01 03 01 0D") + Name("ABCDEFGHIJKLM", 14) + H("2C"), 4) + H("0000") +
                               Crc(H("810C 0400 4D00 03 01 04") + Name("Null", 14) + H("82"), 4) + H("0000");
  // SVC Index, D_TP Index, SAT Index, type, video, audio and PCR PIDs, name length, name, audio.
  const std::string pids = Crc(H("1F00 0100 00 02 FF1F BD02 BE02 0A") + Name("Tide Radio", 14) + H("03"), 4) +
                           H("0000") + Crc(H("2000 E703 00 01 0000 0000 0000 05") + Name("Blank", 14) + H("84"), 4) +
                           H("0000");
  // Frequency, audio frequencies, name, 0, contrast, threshold, two keyword bytes, flags, SAT Index.
  const std::string analogs = Crc(H("011265 650680") + "Aurora Analog" + H("00 05 01 50 82 00 00"), 2) +
                              Crc(H("003920 702720") + Name("Meridian AN", 13) + H("00 2C 01 0B 47 09 03"), 2);
  const std::string image = NameTable(32) + kStart + kSatellites + kEnd + kStart + tps + kEnd + kStart + channels +
                            kEnd + kStart + pids + kEnd + kStart + analogs + kEnd;
  ASSERT_EQ(image.size(), 880u);  // 55 whole lines, no padding
  EXPECT_EQ(Image(kList, CompileMode::Basic), image);
}

TEST(ChannelImage, NormalLayout) {
  // SAT Index, 0, polarization, triples, comment length and comment, FFFF FFFF, sequence number, 0, 0.
  const std::string tps =
      Crc(H("00 00 01 011778 027500 09") + Name("AURORA TV", 14) + H("FFFFFFFF 0100 0000 0000"), 2) +
      Crc(H("03 00 00 003840 026000 0A") + Name("MERIDIAN C", 14) + H("FFFFFFFF 0200 0000 0000"), 2) +
      Crc(H("03 00 01 012187 027500 0D") + Name("ABCDEFGHIJKLM", 14) + H("FFFFFFFF 0300 0000 0000"), 2);
  // TPs by sequence number; TV and radio numbered apart; the PID channels
  // follow in the same block; a blank channel keeps its D_TP Index and a
  // blank digital channel carries its SAT Index in place of the audio.
  const std::string channels = Crc(H("0110 0100 54 01") + Name("Aurora One", 13) + H("01") + kFF6, 2) +
                               Crc(H("012A 0100 55 02") + Name("Nordic Film", 13) + H("01") + kFF6, 2) +
                               Crc(H("FFFF 0300 54 2C") + "ABCDEFGHIJKLM" + H("02") + kFF6, 2) +
                               Crc(H("810C 4D00 5C 03") + Name("Null", 13) + H("03") + kFF6, 2) +
                               Crc(H("0000 0100 55 03") + Name("Tide Radio", 13) + H("02 FF1F BD02 BE02"), 2) +
                               Crc(H("0000 E703 5C 04") + Name("Blank", 13) + H("04 0000 0000 0000"), 2);
  // Service numbers in byte 19 and the Normal bit.
  const std::string analogs = Crc(H("011265 650680") + "Aurora Analog" + H("05 05 01 50 82 04 00"), 2) +
                              Crc(H("003920 702720") + Name("Meridian AN", 13) + H("03 2C 01 0B 47 0D 03"), 2);
  const std::string image = H("0300 0300 0600 0200 0500 0300") + kStart + kSatellites + kEnd + kStart + tps + kEnd +
                            kStart + channels + kEnd + kStart + analogs + kEnd;
  ASSERT_EQ(image.size(), 460u);  // 29 lines, and a 30th for the even count
  EXPECT_EQ(Image(kList, CompileMode::Normal), image + std::string(20, '\0'));
  EXPECT_EQ(HexText(kList, CompileMode::Normal).substr(0, 60),
            "7FF10000  03 00 03 00 06 00 02 00   05 00 03 00 DD CC BB AA\n");
}

TEST(ChannelImage, NameTableAndPaddingOfTheLastLine) {
  // 452 + 4 + 2 x 28 + 4 bytes: 32 full lines and 4 bytes on the 33rd.
  const std::string list = NameList(32) + CrLfLines({"[SATELLITE]", "0 \"AURORA 1\" N 10600 9750 300 192",
                                                     "3 \"DELTA STAR\" N 10750 9750 2 -300", "[END]"});
  const std::string hex = HexText(list, CompileMode::Basic);
  ASSERT_EQ(hex.size(), 33u * 60);
  EXPECT_EQ(hex.substr(32 * 60), "7FF20200  CD AB 34 12 00 00 00 00   00 00 00 00 00 00 00 00\n");
  EXPECT_EQ(ParseHex(hex, 0x7FF20000),
            NameTable(32) + kStart + kSatellites.substr(0, 56) + kEnd + std::string(12, '\0'));

  // With 40 satellites the table has 40 entries: 564 bytes.
  const std::string table = NameTable(40);
  ASSERT_EQ(table.size(), 564u);
  EXPECT_EQ(Image(NameList(40) + "[SATELLITE]\r\n", CompileMode::Basic, 40),
            table + kStart + kEnd + std::string(4, '\0'));
}

// 32 names, one satellite and TP, `tv` digital TV channels and one analog TV service.
std::string ServiceList(int tv) {
  std::string lines = NameList(32) + CrLfLines({"[SATELLITE]", "0 AURORA N 10600 9750 0", "[DIGITAL TP]",
                                                "1 0 11778 27500 V TP", "[DIGITAL CHANNEL]"});
  for (int i = 1; i <= tv; ++i) lines += std::to_string(i) + " 1 0 1001 TV C" + std::to_string(i) + " 1 N\r\n";
  return lines + "[ANALOG TP]\r\n1 0 11265 KU Analog 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV N\r\n";
}

TEST(ChannelImage, ServiceNumbersOfTheNormalImage) {
  // Header, block start, satellite, marks, TP, marks: channel n starts at
  // 96 + (n - 1) x 28; the analog record follows the channels and two marks.
  auto channel = [](const std::string& image, int n) { return image.substr(96 + (n - 1) * 28, 28); };
  auto analog = [](const std::string& image, int channels) { return image.substr(96 + channels * 28 + 8, 28); };

  const std::string joined = Image(ServiceList(120), CompileMode::Normal);
  const std::string split = Image(ServiceList(120), CompileMode::Normal, 32, true);
  EXPECT_EQ(channel(joined, 120), Crc(H("0110 0100 54 01") + Name("C120", 13) + H("78") + kFF6, 2));
  EXPECT_EQ(channel(split, 120), channel(joined, 120));
  EXPECT_EQ(analog(joined, 120)[19], '\x79');            // 121 without the split
  EXPECT_EQ(analog(split, 120).substr(19, 1), H("01"));  // 1 again with the split

  // The 256th and the 300th TV service: bits 8 to 11 in the high nibble
  // beside the TP number; the analog service after them is 301.
  const std::string many = Image(ServiceList(300), CompileMode::Normal);
  EXPECT_EQ(channel(many, 255).substr(2, 2) + channel(many, 255)[19], H("0100 FF"));
  EXPECT_EQ(channel(many, 256).substr(2, 2) + channel(many, 256)[19], H("0110 00"));
  EXPECT_EQ(channel(many, 300), Crc(H("0110 0110 54 01") + Name("C300", 13) + H("2C") + kFF6, 2));
  EXPECT_EQ(analog(many, 300).substr(0, 3) + analog(many, 300)[19], H("111265 2D"));
}

TEST(ChannelImage, HexLinesAndEvenLineCount) {
  EXPECT_EQ(MakeHexText(H("00010203040506070809 0A0B0C0D0E0F"), 0x7FF20000, false),
            "7FF20000  00 01 02 03 04 05 06 07   08 09 0A 0B 0C 0D 0E 0F\n");
  EXPECT_EQ(MakeHexText(H("AB"), 0x0000FFF0, false), "0000FFF0  AB 00 00 00 00 00 00 00   00 00 00 00 00 00 00 00\n");
  // Normal: 12 + 52 bytes fill four lines, nothing added; 12 + 68 fill five
  // and get a sixth of zeros. Basic never adds a line.
  EXPECT_EQ(MakeHexText(std::string(64, '\x11'), 0x7FF10000, true).size(), 4u * 60);
  const std::string six = MakeHexText(std::string(80, '\x11'), 0x7FF10000, true);
  ASSERT_EQ(six.size(), 6u * 60);
  EXPECT_EQ(six.substr(5 * 60), "7FF10050  00 00 00 00 00 00 00 00   00 00 00 00 00 00 00 00\n");
  EXPECT_EQ(MakeHexText(std::string(80, '\x11'), 0x7FF20000, false).size(), 5u * 60);
}

// The Normal channel record keeps 12 bits of the service and TP numbers; the
// Basic image stores them in 16 bits or not at all.
TEST(ChannelImage, NumbersBeyondTwelveBitsAreRefused) {
  const std::string service = "\n ERROR : service number 4096 does not fit the Normal image (4095 at most) !!!\n";
  const std::string tp = "\n ERROR : TP number 4096 does not fit the Normal image (4095 at most) !!!\n";
  ChannelRecord fits, bigService, bigTp, blank;
  fits.serviceNumber = fits.tpSequence = 4095;
  bigService.serviceNumber = 4096;
  bigTp.tpSequence = 4096;
  blank.blank = true;
  blank.tpIndex = 4096;  // a blank channel's D_TP Index goes in as written
  blank.tpSequence = 1;
  AnalogTpRecord analog;
  analog.frequency = "11265";
  analog.serviceNumber = 4096;
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    RecordingReporter reporter;
    ChannelImageBuilder builder(mode, reporter);
    EXPECT_TRUE(builder.Channel(fits));
    EXPECT_EQ(std::vector<bool>({builder.Channel(bigService), builder.Channel(bigTp), builder.Channel(blank),
                                 builder.AnalogTp(analog)}),
              std::vector<bool>(4, mode == CompileMode::Basic));
    EXPECT_EQ(reporter.messages, mode == CompileMode::Basic ? std::vector<std::string>()
                                                            : std::vector<std::string>({service, tp, tp, service}));
  }
}

TEST(ChannelImage, NormalImageMustEndBelowTheBasicImage) {
  // Header 12 + block start 4 + 2340 x 28 = 65536 bytes: exactly up to 0x7FF20000.
  // Four bytes more make a 4097th line, and with the even count 65568 bytes.
  for (bool over : {false, true}) {
    RecordingReporter reporter;
    ChannelImageBuilder builder(CompileMode::Normal, reporter);
    builder.BlockStart();
    for (int i = 0; i < 2340; ++i) builder.Channel(ChannelRecord());
    if (over) builder.BlockEnd();
    EXPECT_EQ(builder.Finish({}), !over);
    EXPECT_EQ(reporter.messages, over ? std::vector<std::string>{"\n ERROR : the Normal channel image needs 65568 "
                                                                 "bytes; only 65536 fit below the Basic image !!!\n"}
                                      : std::vector<std::string>{});
    if (!over) {
      const std::string hex = builder.HexText();
      EXPECT_EQ(hex.size(), 4096u * 60);
      EXPECT_EQ(hex.substr(4095 * 60, 9), "7FF1FFF0 ");
    }
  }
}

}  // namespace
}  // namespace chanora::testing

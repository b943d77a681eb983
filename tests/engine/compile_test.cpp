#include <zlib.h>

#include "tests/engine/engine_fixture.h"

namespace chanora::testing {
namespace {

using Compile = EngineTest;

std::uint32_t BigEndian(const std::string& bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

std::uint32_t ZlibCrc(const std::string& bytes, std::size_t at, std::size_t length) {
  return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + at), length));
}

struct Packet {
  std::uint32_t address;
  std::uint32_t length;
};

// Walks a packet file as the receiver's loader does, checking every CRC.
std::vector<Packet> ReadPacketFile(const std::string& bin) {
  std::vector<Packet> packets;
  EXPECT_EQ(bin.substr(0, 4), std::string("\x55\xAA\x01\x01"));
  EXPECT_EQ(BigEndian(bin, 10, 4), ZlibCrc(bin, 0, 10));
  std::uint32_t total = 0;
  std::size_t at = 14;
  while (at < bin.size()) {
    EXPECT_EQ(bin.substr(at, 2), "ZZ");
    EXPECT_EQ(BigEndian(bin, at + 2, 2), packets.size());
    const Packet packet{BigEndian(bin, at + 4, 4), BigEndian(bin, at + 8, 4)};
    EXPECT_EQ(BigEndian(bin, at + 12 + packet.length, 4), ZlibCrc(bin, at, 12 + packet.length));
    packets.push_back(packet);
    total += packet.length;
    at += 16 + packet.length;
  }
  EXPECT_EQ(at, bin.size());
  EXPECT_EQ(BigEndian(bin, 4, 4), total);
  EXPECT_EQ(BigEndian(bin, 8, 2), packets.size());
  return packets;
}

TEST_F(Compile, DemoListBecomesAPacketFileTheLoaderAccepts) {
  CListDB engine = EngineFor("demo.txt", DemoListBytes());
  ASSERT_EQ(engine.Compile(Basic), 1);
  ASSERT_EQ(engine.ConvertToPackets(), 1);
  EXPECT_EQ(reporter.messages, std::vector<std::string>{"Conversion is terminated successfully.\n"});
  EXPECT_EQ(ReadBytes(dir.File("demo.txt")), DemoListBytes());

  const std::string hex = ReadBytes(dir.File("demo.hex"));
  ASSERT_EQ(hex.size() % 60, 0u);  // whole lines of 16 bytes only
  const std::vector<Packet> packets = ReadPacketFile(ReadBytes(dir.File("demo.bin")));
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0].address, 0x7FF20000u);
  EXPECT_EQ(packets[0].length, hex.size() / 60 * 16);
}

TEST_F(Compile, PreInstalledBuildHoldsTheNormalImageThenTheBasicImage) {
  CListDB engine = EngineFor("demo.txt", DemoListBytes());
  engine.splitOption = true;
  ASSERT_EQ(engine.CompilePreInstalled(), 1);
  const std::string hex = ReadBytes(dir.File("demo.hex"));
  EXPECT_EQ(hex.substr(0, 9), "7FF10000 ");
  const std::size_t basicStart = hex.find("\n7FF20000 ");
  ASSERT_NE(basicStart, std::string::npos);
  EXPECT_EQ((basicStart + 1) / 60 % 2, 0u);  // the Normal part fills an even number of lines

  const std::vector<Packet> packets = ReadPacketFile(ReadBytes(dir.File("demo.bin")));
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0].address, 0x7FF10000u);
  EXPECT_EQ(packets[1].address, 0x7FF20000u);
  EXPECT_FALSE(FileExists(dir.File("demo.mrg")));
  EXPECT_FALSE(FileExists(dir.File("demo.tmp")));
}

TEST_F(Compile, FailedCompileLeavesNoOutputThatLooksValid) {
  CListDB engine = EngineFor("demo.txt", DemoListBytes());
  ASSERT_EQ(engine.Compile(Basic), 1);
  ASSERT_EQ(engine.ConvertToPackets(), 1);

  std::string bad = DemoListBytes();
  bad.replace(bad.find("11778"), 5, "117780");
  WriteBytes(dir.File("demo.txt"), bad);
  EXPECT_EQ(engine.Compile(Basic), 0);
  EXPECT_FALSE(FileExists(dir.File("demo.hex")));
  EXPECT_FALSE(FileExists(dir.File("demo.bin")));
  EXPECT_EQ(engine.CompilePreInstalled(), 0);
  EXPECT_EQ(reporter.messages.back(), "Making a HEX file is failed!");
  EXPECT_EQ(engine.ConvertToPackets(), 0);
  EXPECT_EQ(reporter.messages.back(), "Can't open  " + dir.File("demo.hex") + " file \n");

  WriteBytes(dir.File("list.dat"), DemoListBytes());
  CListDB wrongName(dir.File("list.dat"), reporter);
  EXPECT_EQ(wrongName.Compile(Basic), 0);
  EXPECT_EQ(reporter.messages.back(), "Extention Name must be 'txt' ");
  EXPECT_EQ(ReadBytes(dir.File("list.dat")), DemoListBytes());
}

}  // namespace
}  // namespace chanora::testing

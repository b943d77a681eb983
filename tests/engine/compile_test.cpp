#include "tests/engine/engine_fixture.h"
#include "tests/support/packet_file.h"

namespace chanora::testing {
namespace {

using Compile = EngineTest;

TEST_F(Compile, DemoListBecomesAPacketFileTheLoaderAccepts) {
  ListEngine engine = EngineFor("demo.txt", DemoListBytes());
  ASSERT_EQ(engine.Compile(CompileMode::Basic), 1);
  ASSERT_EQ(engine.ConvertToPackets(), 1);
  EXPECT_EQ(reporter.messages, Strings{"Conversion is terminated successfully.\n"});
  EXPECT_EQ(ReadBytes(dir.File("demo.txt")), DemoListBytes());
  const std::string hex = ReadBytes(dir.File("demo.hex"));
  ASSERT_EQ(hex.size() % 60, 0u);  // whole lines of 16 bytes only
  EXPECT_EQ(Packets(ReadBytes(dir.File("demo.bin"))),
            (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{0x7FF20000, hex.size() / 60 * 16}}));
}

TEST_F(Compile, PreInstalledBuildHoldsTheNormalImageThenTheBasicImage) {
  ListEngine engine = EngineFor("demo.txt", DemoListBytes());
  engine.splitOption = true;
  ASSERT_EQ(engine.CompilePreInstalled(), 1);
  const std::string hex = ReadBytes(dir.File("demo.hex"));
  EXPECT_EQ(hex.substr(0, 9), "7FF10000 ");
  const std::size_t basicStart = hex.find("\n7FF20000 ");
  ASSERT_NE(basicStart, std::string::npos);
  EXPECT_EQ((basicStart + 1) / 60 % 2, 0u);  // the Normal part fills an even number of lines
  const auto packets = Packets(ReadBytes(dir.File("demo.bin")));
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0].first, 0x7FF10000u);
  EXPECT_EQ(packets[1], std::make_pair(0x7FF20000u, static_cast<std::uint32_t>(hex.size() - basicStart - 1) / 60 * 16));
  EXPECT_EQ(FolderNames(dir.path()), (Names{"demo.txt", "demo.hex", "demo.bin"}));
}

TEST_F(Compile, FailedCompileLeavesNoOutputThatLooksValid) {
  ListEngine engine = EngineFor("demo.txt", DemoListBytes());
  ASSERT_EQ(engine.Compile(CompileMode::Basic), 1);
  ASSERT_EQ(engine.ConvertToPackets(), 1);
  std::string bad = DemoListBytes();
  bad.replace(bad.find("11778"), 5, "117780");
  WriteBytes(dir.File("demo.txt"), bad);
  EXPECT_EQ(engine.Compile(CompileMode::Basic), 0);
  EXPECT_EQ(FolderNames(dir.path()), Names{"demo.txt"});
  EXPECT_EQ(engine.CompilePreInstalled(), 0);
  EXPECT_EQ(reporter.messages.back(), "Making a HEX file is failed!");
  EXPECT_EQ(engine.ConvertToPackets(), 0);
  EXPECT_EQ(reporter.messages.back(), "Can't open  " + dir.File("demo.hex") + " file \n");
}

}  // namespace
}  // namespace chanora::testing

#include <algorithm>

#include "base/file_io.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/packet_file.h"
#include "textformat/writer.h"

namespace chanora::testing {
namespace {

using Compile = EngineTest;

CompileOptions PreInstalled(bool split) {
  CompileOptions options;
  options.preInstalled = true;
  options.split = split;
  return options;
}

TEST_F(Compile, DemoListBecomesAPacketFileTheLoaderAccepts) {
  const std::string path = ListFile("demo.txt", DemoListBytes());
  ASSERT_TRUE(engine.CompileFile(path, {}));
  ASSERT_TRUE(engine.ConvertToPackets(path));
  EXPECT_EQ(reporter.messages, Strings{"Conversion is terminated successfully.\n"});
  EXPECT_EQ(ReadBytes(path), DemoListBytes());
  const std::string hex = ReadBytes(dir.File("demo.hex"));
  ASSERT_EQ(hex.size() % 60, 0u);  // whole lines of 16 bytes only
  EXPECT_EQ(Packets(ReadBytes(dir.File("demo.bin"))),
            (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{0x7FF20000, hex.size() / 60 * 16}}));

  // A hex text chosen by itself becomes the packet file it is given.
  WriteBytes(dir.File("chosen.HEX"), hex);
  ASSERT_TRUE(engine.ConvertHexFile(dir.File("chosen.HEX"), dir.File("out.bin")));
  EXPECT_EQ(ReadBytes(dir.File("out.bin")), ReadBytes(dir.File("demo.bin")));
  EXPECT_FALSE(engine.ConvertHexFile(dir.File("missing.hex"), dir.File("out.bin")));
  EXPECT_EQ(reporter.messages.back(), "Can't open  " + dir.File("missing.hex") + " file \n");
  EXPECT_FALSE(FileExists(dir.File("out.bin")));  // it belonged to another hex text
}

TEST_F(Compile, PreInstalledBuildHoldsTheNormalImageThenTheBasicImage) {
  const std::string path = ListFile("demo.txt", DemoListBytes());
  ASSERT_TRUE(engine.CompileFile(path, PreInstalled(true)));
  EXPECT_EQ(reporter.messages, Strings{"Conversion is terminated successfully.\n"});
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
  const std::string path = ListFile("demo.txt", DemoListBytes());
  ASSERT_TRUE(engine.CompileFile(path, {}));
  ASSERT_TRUE(engine.ConvertToPackets(path));
  std::string bad = DemoListBytes();
  bad.replace(bad.find("11778"), 5, "117780");
  WriteBytes(path, bad);
  EXPECT_FALSE(engine.CompileFile(path, {}));
  EXPECT_EQ(FolderNames(dir.path()), Names{"demo.txt"});
  EXPECT_FALSE(engine.CompileFile(path, PreInstalled(false)));
  EXPECT_EQ(reporter.messages.back(), "Making a HEX file is failed!");
  EXPECT_FALSE(engine.ConvertToPackets(path));
  EXPECT_EQ(reporter.messages.back(), "Can't open  " + dir.File("demo.hex") + " file \n");
}

// A list in memory compiles to the very outputs that saving it and compiling
// the file give, while the file itself is neither read nor touched.
TEST_F(Compile, ListInMemoryGivesTheOutputsOfItsSavedFile) {
  const std::string path = ListFile("list.txt", DemoListBytes());
  LineList list = engine.Load(path, 32).value().list;
  for (std::string& entry : list) {
    if (entry == "Orion Audio") entry = "Edited";  // an analog TP's name
  }
  // Gone from the disk, the file can be neither read nor written unseen.
  RemoveFile(path);
  const std::string saved = ListFile("saved.txt", "");
  ASSERT_TRUE(engine.Save(saved, list));
  for (const CompileOptions& options : {CompileOptions{}, PreInstalled(false), PreInstalled(true)}) {
    SCOPED_TRACE(std::string(options.preInstalled ? "pre-installed" : "Basic") + (options.split ? " split" : ""));
    ASSERT_TRUE(engine.CompileList(list, path, options));
    ASSERT_TRUE(engine.CompileFile(saved, options));
    if (!options.preInstalled) {
      ASSERT_TRUE(engine.ConvertToPackets(path) && engine.ConvertToPackets(saved));
    }
    EXPECT_EQ(ReadBytes(dir.File("list.hex")), ReadBytes(dir.File("saved.hex")));
    EXPECT_EQ(ReadBytes(dir.File("list.bin")), ReadBytes(dir.File("saved.bin")));
  }
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(reporter.messages, Strings(6, "Conversion is terminated successfully.\n"));
}

// The messages of a compile from memory name the lines of the text a save
// would write, whatever the file on disk holds; a list that cannot be
// written is refused with the writer's message before anything is compiled.
TEST_F(Compile, ListInMemoryNamesTheLinesOfItsWrittenText) {
  const std::string path = dir.File("list.txt");
  LineList list = engine.Load(ListFile("list.txt", "# a note\r\n# another\r\n" + DemoListBytes()), 32).value().list;
  std::replace(list.begin(), list.end(), std::string("11778"), std::string("117780"));  // a TP frequency
  const std::string text = FormatListText(list);
  const int line = static_cast<int>(std::count(text.begin(), text.begin() + text.find("117780"), '\n')) + 1;
  ASSERT_EQ(line, 60);  // the file on disk has it at line 62
  EXPECT_FALSE(engine.CompileList(list, path, PreInstalled(false)));
  EXPECT_EQ(reporter.messages,
            (Strings{"\n ERROR : SYNTAX - D_TP frequency. 4 or 5 digit requested !!!\n           line number 60 ",
                     "Making a HEX file is failed!"}));

  // Outputs of an earlier compile are removed, as after any failed compile.
  WriteBytes(dir.File("list.hex"), "stale");
  WriteBytes(dir.File("list.bin"), "stale");
  reporter.messages.clear();
  list[1] = "\"1";  // the first name-list index
  EXPECT_FALSE(engine.CompileList(list, path, {}));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].find("\n ERROR : can not save the field \"\"1\" (a double quote)"), 0u);
  EXPECT_FALSE(engine.CompileList(list, dir.File("list.dat"), {}));
  EXPECT_EQ(reporter.messages.back(), "Extention Name must be 'txt' ");
  EXPECT_EQ(FolderNames(dir.path()), Names{"list.txt"});
}

}  // namespace
}  // namespace chanora::testing

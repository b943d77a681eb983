#include "base/file_io.h"
#include "tests/engine/engine_fixture.h"
#include "textformat/writer.h"

namespace chanora::testing {
namespace {

using ListFiles = EngineTest;

TEST_F(ListFiles, ChecksAndLoadsTheDemoListWritingNothing) {
  const std::string path = ListFile("demo.txt", DemoListBytes());
  const auto summary = engine.Check(path, 32);
  ASSERT_TRUE(summary);
  std::vector<int> accepted;
  for (SectionKind kind : kAllSections) accepted.push_back(summary->accepted[kind]);
  EXPECT_EQ(accepted, (std::vector<int>{32, 6, 12, 5, 27, 3}));
  EXPECT_EQ(summary->skipped, 0);

  const auto loaded = engine.Load(path, 32);
  ASSERT_TRUE(loaded);
  EXPECT_FALSE(loaded->nullChannelsDropped);
  EXPECT_EQ(loaded->summary.accepted[SectionKind::Channel], 27);
  EXPECT_EQ(FormatListText(loaded->list), DemoListBytes());
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(FolderNames(dir.path()), Names{"demo.txt"});

  // A null channel (service id 0) is dropped, and the caller told to save.
  std::string withNull = DemoListBytes();
  withNull.replace(withNull.find("1003"), 4, "0000");
  const auto dropped = engine.Load(ListFile("null.txt", withNull), 32);
  ASSERT_TRUE(dropped);
  EXPECT_TRUE(dropped->nullChannelsDropped);
  EXPECT_EQ(dropped->list.size(), loaded->list.size() - 8);
}

TEST_F(ListFiles, FailedChecksAndLoadsSayWhy) {
  std::string bad = DemoListBytes();
  bad.replace(bad.find("\"AURORA 2\""), 10, "\"AURORA 2 IS TOO LONG\"");
  const std::string path = ListFile("bad.txt", bad);
  const std::string tooLong = "\n ERROR : SYNTAX - field exceeds 19!!!\n           line number 9 ";
  EXPECT_FALSE(engine.Check(path, 32));
  EXPECT_EQ(reporter.messages, Strings{tooLong});
  EXPECT_FALSE(engine.Load(path, 32));
  EXPECT_EQ(reporter.messages, (Strings{tooLong, tooLong, "The Text Format is not correct"}));
  EXPECT_FALSE(engine.Load(ListFile("forty.txt", DemoListBytes()), 40));
  EXPECT_EQ(reporter.messages.back(), "The Text Format is not correct");

  reporter.messages.clear();
  EXPECT_FALSE(engine.Check(dir.File("missing.txt"), 32));
  EXPECT_FALSE(engine.Load(dir.File("missing.txt"), 32));
  EXPECT_EQ(reporter.messages, Strings(2, "Can't open Input file : " + dir.File("missing.txt") + "\n"));
}

TEST_F(ListFiles, FailedSaveLeavesTheFileAndBackupIntact) {
  const std::string path = ListFile("list.txt", DemoListBytes());
  WriteBytes(dir.File("list.bak"), "old backup");
  const LineList list = engine.Load(path, 32).value().list;
  LineList unwritable = list;
  unwritable[1] = "";  // the first name-list index
  EXPECT_FALSE(engine.Save(path, unwritable));
  EXPECT_NE(reporter.messages.back().find("can not save the field"), std::string::npos);
  const std::string nowhere = dir.File("no-such-folder/list.txt");
  EXPECT_FALSE(engine.Save(nowhere, list));
  EXPECT_EQ(reporter.messages.back(), "Can't open .temp file : " + nowhere + "\n");
  EXPECT_FALSE(engine.Save(dir.File("list.dat"), list));
  EXPECT_EQ(reporter.messages.back(), "Extention Name must be 'txt' ");
  EXPECT_EQ(ReadBytes(path), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "old backup");
  EXPECT_EQ(FolderNames(dir.path()), (Names{"list.txt", "list.bak"}));
}

TEST(DerivedPath, ReplacesOnlyTheListsOwnExtensionAndNeverGivesTheListItself) {
  EXPECT_EQ(DerivedPath("/a/LIST.TXT", ".hex"), "/a/LIST.hex");
  EXPECT_EQ(DerivedPath("/a.txt/list.Txt", ".lst"), "/a.txt/list.lst");
  EXPECT_EQ(DerivedPath("list.txt.txt", ".bak"), "list.txt.bak");
  EXPECT_EQ(DerivedPath("x/up.HEX", ".bin", ".hex"), "x/up.bin");
  for (const char* path : {"/a/list.dat", "/a.txt/list", "/a/.txt", "/a/list.txt/", "", ".txt"}) {
    EXPECT_EQ(DerivedPath(path, ".bak"), std::nullopt) << path;
  }
  for (const char* path : {"list.txt", "/a/LIST.TXT", "a b.Txt", "x.txt.txt", "/.txt.txt"}) {
    for (const char* extension : {".bak", ".hex", ".bin", ".txt", ".TXT", ".tXt", ""}) {
      EXPECT_NE(DerivedPath(path, extension), path) << path << " " << extension;
    }
  }
  EXPECT_EQ(DerivedPath("list.TXT", ".txt"), std::nullopt);  // another name only where case counts
  EXPECT_EQ(DerivedPath("up.hex", ".HEX", ".hex"), std::nullopt);
}

}  // namespace
}  // namespace chanora::testing

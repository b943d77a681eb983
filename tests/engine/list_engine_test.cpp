#include <sys/stat.h>

#include "base/file_io.h"
#include "tests/engine/engine_fixture.h"
#include "textformat/writer.h"

namespace chanora::testing {
namespace {

using ListDB = EngineTest;

TEST_F(ListDB, LoadsTheDemoListAfterItsChecks) {
  ListEngine engine = EngineFor("demo.txt", DemoListBytes());
  LineList list;
  ASSERT_TRUE(engine.ReadFormattedText(list));
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_FALSE(engine.checkOnly);
  EXPECT_EQ(FormatListText(list), DemoListBytes());
  EXPECT_EQ(FolderNames(dir.path()), Names{"demo.txt"});  // checking writes nothing
}

TEST_F(ListDB, FailedReadLeavesTheListAsItWas) {
  std::string bad = DemoListBytes();
  bad.replace(bad.find("\"AURORA 2\""), 10, "\"AURORA 2 IS TOO LONG\"");
  ListEngine engine = EngineFor("bad.txt", bad);
  LineList list{"previous"};
  EXPECT_FALSE(engine.ReadFormattedText(list));
  EXPECT_EQ(reporter.messages, (Strings{"\n ERROR : SYNTAX - field exceeds 19!!!\n           line number 9 ",
                                        "The Text Format is not correct"}));

  ListEngine missing(dir.File("missing.txt"), reporter);
  EXPECT_FALSE(missing.ReadFormattedText(list));
  EXPECT_EQ(reporter.messages.back(), "Can't open Input file : " + dir.File("missing.txt") + "\n");

  ASSERT_EQ(::mkfifo(dir.File("pipe.txt").c_str(), 0600), 0);  // would never end
  EXPECT_FALSE(ListEngine(dir.File("pipe.txt"), reporter).ReadFormattedText(list));
  EXPECT_EQ(list, LineList{"previous"});
}

TEST_F(ListDB, FailedSaveLeavesTheFileAndBackupIntact) {
  ListEngine engine = EngineFor("list.txt", DemoListBytes());
  WriteBytes(dir.File("list.bak"), "old backup");
  LineList list;
  ASSERT_TRUE(engine.ReadFormattedText(list));
  LineList unwritable = list;
  unwritable[1] = "";  // the first name-list index
  EXPECT_FALSE(engine.WriteFormattedText(unwritable));
  EXPECT_NE(reporter.messages.back().find("can not save the field"), std::string::npos);
  engine.path = dir.File("no-such-folder/list.txt");
  EXPECT_FALSE(engine.WriteFormattedText(list));
  EXPECT_EQ(reporter.messages.back(), "Can't open .temp file : " + engine.path + "\n");
  EXPECT_EQ(ReadBytes(dir.File("list.txt")), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "old backup");
  EXPECT_EQ(FolderNames(dir.path()), (Names{"list.txt", "list.bak"}));
}

TEST(DerivedPath, ReplacesOnlyTheListsOwnExtension) {
  EXPECT_EQ(DerivedPath("/a/LIST.TXT", ".hex"), "/a/LIST.hex");
  EXPECT_EQ(DerivedPath("/a.txt/list.Txt", ".lst"), "/a.txt/list.lst");
  EXPECT_EQ(DerivedPath("list.txt.txt", ".bak"), "list.txt.bak");
  for (const char* path : {"/a/list.dat", "/a.txt/list", "/a/.txt"}) EXPECT_EQ(DerivedPath(path, ".bak"), std::nullopt);
}

}  // namespace
}  // namespace chanora::testing

#include <sys/stat.h>

#include <filesystem>

#include "engine/file_io.h"
#include "tests/engine/engine_fixture.h"
#include "textformat/writer.h"

namespace chanora::testing {
namespace {

using ListDB = EngineTest;

TEST_F(ListDB, LoadsTheDemoListAfterItsChecks) {
  CListDB engine = EngineFor("demo.txt", DemoListBytes());
  LineList list;
  ASSERT_TRUE(engine.ReadFormattedText(list));
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_FALSE(engine.checkOnly);
  EXPECT_EQ(FormatListText(list), DemoListBytes());
  EXPECT_FALSE(FileExists(dir.File("demo.lst")));  // checking writes nothing
}

TEST_F(ListDB, FailedReadLeavesTheListAsItWas) {
  std::string bad = DemoListBytes();
  bad.replace(bad.find("\"AURORA 2\""), 10, "\"AURORA 2 IS TOO LONG\"");
  CListDB engine = EngineFor("bad.txt", bad);
  LineList list{"previous"};
  EXPECT_FALSE(engine.ReadFormattedText(list));
  EXPECT_EQ(list, LineList{"previous"});
  EXPECT_EQ(reporter.messages, (std::vector<std::string>{
                                   "\n ERROR : SYNTAX - field exceeds 19!!!\n           line number 9 ",
                                   "The Text Format is not correct"}));

  CListDB missing(dir.File("missing.txt"), reporter);
  EXPECT_FALSE(missing.ReadFormattedText(list));
  EXPECT_EQ(reporter.messages.back(), "Can't open Input file : " + dir.File("missing.txt") + "\n");

  ASSERT_EQ(::mkfifo(dir.File("pipe.txt").c_str(), 0600), 0);  // would never end
  CListDB pipe(dir.File("pipe.txt"), reporter);
  EXPECT_FALSE(pipe.ReadFormattedText(list));
  EXPECT_EQ(list, LineList{"previous"});
}

TEST_F(ListDB, SaveKeepsThePreviousFileAsBackup) {
  CListDB engine = EngineFor("list.TXT", DemoListBytes());
  LineList list;
  ASSERT_TRUE(engine.ReadFormattedText(list));
  list[list.size() - 6] = "280";  // the last analog TP's bandwidth
  ASSERT_TRUE(engine.WriteFormattedText(list));
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("list.TXT")), FormatListText(list));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // nothing left over
}

TEST_F(ListDB, FailedSaveLeavesTheFileAndBackupIntact) {
  CListDB engine = EngineFor("list.txt", DemoListBytes());
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

  engine.path = dir.File("list.dat");
  EXPECT_FALSE(engine.WriteFormattedText(list));
  EXPECT_EQ(reporter.messages.back(), "Extention Name must be 'txt' ");
  EXPECT_FALSE(FileExists(dir.File("list.dat")));

  EXPECT_EQ(ReadBytes(dir.File("list.txt")), DemoListBytes());
  EXPECT_EQ(ReadBytes(dir.File("list.bak")), "old backup");
}

TEST(DerivedPath, ReplacesOnlyTheListsOwnExtension) {
  EXPECT_EQ(DerivedPath("/a/list.txt", ".bak"), "/a/list.bak");
  EXPECT_EQ(DerivedPath("/a/LIST.TXT", ".hex"), "/a/LIST.hex");
  EXPECT_EQ(DerivedPath("/a.txt/list.Txt", ".lst"), "/a.txt/list.lst");
  EXPECT_EQ(DerivedPath("list.txt.txt", ".bak"), "list.txt.bak");
  EXPECT_EQ(DerivedPath("/a/list.dat", ".bak"), std::nullopt);
  EXPECT_EQ(DerivedPath("/a.txt/list", ".bak"), std::nullopt);
  EXPECT_EQ(DerivedPath("/a/.txt", ".bak"), std::nullopt);
}

}  // namespace
}  // namespace chanora::testing

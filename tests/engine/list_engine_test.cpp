#include <sys/stat.h>

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
  ASSERT_EQ(::mkfifo(dir.File("pipe.txt").c_str(), 0600), 0);  // would never end
  EXPECT_FALSE(engine.Load(dir.File("pipe.txt"), 32));
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

// A list opened through a symbolic link is saved into the file it leads to:
// the link stays, and the backup lies beside that file, named after it.
TEST_F(ListFiles, SaveThroughASymbolicLinkReplacesTheFileItLeadsTo) {
  const std::string store = dir.File("store");
  ASSERT_EQ(::mkdir(store.c_str(), 0755), 0);
  WriteBytes(store + "/channels.txt", DemoListBytes());
  WriteBytes(store + "/plain", DemoListBytes());
  ASSERT_EQ(::symlink("store/channels.txt", dir.File("list.txt").c_str()), 0);
  ASSERT_EQ(::symlink("list.txt", dir.File("chain.txt").c_str()), 0);  // a link to the link
  ASSERT_EQ(::symlink(dir.File("store/plain").c_str(), dir.File("plain.txt").c_str()), 0);
  ASSERT_EQ(::symlink("store/new.txt", dir.File("dangling.txt").c_str()), 0);  // its file is made
  ASSERT_EQ(::symlink("loop.txt", dir.File("loop.txt").c_str()), 0);
  LineList edited = engine.Load(dir.File("chain.txt"), 32).value().list;
  edited[2] = "EDITED";  // the first satellite name

  for (const char* name : {"list.txt", "chain.txt", "plain.txt", "dangling.txt"}) {
    EXPECT_TRUE(engine.Save(dir.File(name), edited)) << name;
  }
  EXPECT_EQ(ReadBytes(store + "/channels.txt"), FormatListText(edited));
  EXPECT_EQ(ReadBytes(store + "/channels.bak"), FormatListText(edited));  // saved twice
  EXPECT_EQ(ReadBytes(store + "/plain"), FormatListText(edited));
  EXPECT_EQ(ReadBytes(store + "/plain.bak"), DemoListBytes());
  EXPECT_EQ(ReadBytes(store + "/new.txt"), FormatListText(edited));
  EXPECT_EQ(FolderNames(store), (Names{"channels.txt", "channels.bak", "plain", "plain.bak", "new.txt"}));
  for (const char* name : {"list.txt", "chain.txt", "plain.txt", "dangling.txt", "loop.txt"}) {
    struct stat info {};
    EXPECT_TRUE(::lstat(dir.File(name).c_str(), &info) == 0 && S_ISLNK(info.st_mode)) << name;
  }
  EXPECT_EQ(FolderNames(dir.path()),
            (Names{"store", "list.txt", "chain.txt", "plain.txt", "dangling.txt", "loop.txt"}));

  EXPECT_FALSE(engine.Save(dir.File("loop.txt"), edited));
  EXPECT_EQ(reporter.messages, Strings{"Can't open .temp file : " + dir.File("loop.txt") + "\n"});
}

// Writing in place would fail on a list its owner made read-only; the save
// must not slip past that by renaming over it.
TEST_F(ListFiles, ReadOnlyListIsRefusedAsWritingInPlaceWouldBe) {
  const std::string path = ListFile("list.txt", DemoListBytes());
  const LineList list = engine.Load(path, 32).value().list;
  // Nobody must reach the folder; only the list itself is closed.
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777) | ::chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  const ChildOutcome outcome = RunInChild(
      DropRootPrivileges, [&](RecordingReporter& child) { return ListEngine(child).Save(path, list) ? 1 : 0; });
  EXPECT_EQ(outcome, (ChildOutcome{0, {"Can't open .temp file : " + path + "\n"}}));
  EXPECT_EQ(ReadBytes(path), DemoListBytes());
  EXPECT_EQ(FolderNames(dir.path()), Names{"list.txt"});

  // Once writable again it saves as any list does, keeping its mode.
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  EXPECT_EQ(RunInChild(DropRootPrivileges,
                       [&](RecordingReporter& child) { return ListEngine(child).Save(path, list) ? 1 : 0; }),
            (ChildOutcome{1, {}}));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
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

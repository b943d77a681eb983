#include <sys/stat.h>

#include "tests/engine/child_process.h"
#include "textformat/writer.h"

// What only POSIX systems stage at will: pipes, symbolic links, a list that
// a user without root's rights may not write.
namespace chanora::testing {
namespace {

using ListFiles = EngineTest;

TEST_F(ListFiles, APipeIsNoList) {
  ASSERT_EQ(::mkfifo(dir.File("pipe.txt").c_str(), 0600), 0);  // would never end
  EXPECT_FALSE(engine.Load(dir.File("pipe.txt"), 32));
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

}  // namespace
}  // namespace chanora::testing

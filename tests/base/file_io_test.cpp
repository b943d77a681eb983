// Saving, reading and removing files the same way on every system.
#include "base/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "base/utf8_path.h"
#include "tests/support/temp_dir.h"

namespace chanora {
namespace {

using testing::FolderNames;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Names = std::set<std::string>;

TEST(ReplaceFile, SavingKeepsTheOldBytesInTheBackupAndLeavesNoHalfFile) {
  TempDir dir;
  const std::string list = dir.File("list.txt"), backup = dir.File("list.bak");
  WriteBytes(list, "first\r\n");
  ASSERT_EQ(ReplaceFile(list, "second\r\n", ".bak"), SaveResult::Saved);
  EXPECT_EQ(ReadWholeFile(list), "second\r\n");
  EXPECT_EQ(ReadWholeFile(backup), "first\r\n");

  // The next save replaces the backup, also one its owner made read-only.
  std::filesystem::permissions(backup, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
  ASSERT_EQ(ReplaceFile(list, "third\r\n", ".bak"), SaveResult::Saved);
  EXPECT_EQ(ReadWholeFile(list), "third\r\n");
  EXPECT_EQ(ReadWholeFile(backup), "second\r\n");
  EXPECT_EQ(FolderNames(dir.path()), (Names{"list.txt", "list.bak"}));
}

TEST(ReplaceFile, LineEndsAndEveryByteComeBackExactly) {
  TempDir dir;
  const std::string bytes("a\r\nb\nc\r\r\n\x1a\0\xff\n", 12);
  const std::string path = dir.File("bytes.hex");
  ASSERT_EQ(ReplaceFile(path, bytes, std::nullopt), SaveResult::Saved);
  EXPECT_EQ(ReadWholeFile(path), bytes);
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(ReplaceFile, NamesOutsideAsciiWorkThroughEveryCall) {
  TempDir dir;
  const std::string folder = dir.File("Kanäle 衛星"), list = folder + "/Liste ö.txt";
  ASSERT_TRUE(std::filesystem::create_directory(PathFromUtf8(folder)));
  ASSERT_EQ(ReplaceFile(list, "old", ".bak"), SaveResult::Saved);
  ASSERT_EQ(ReplaceFile(list, "new", ".bak"), SaveResult::Saved);
  const std::optional<std::string> backup = DerivedPath(list, ".bak");
  ASSERT_TRUE(backup.has_value());
  EXPECT_EQ(ReadWholeFile(list), "new");
  EXPECT_EQ(ReadWholeFile(*backup), "old");
  EXPECT_EQ(FolderNames(folder), (Names{"Liste ö.txt", "Liste ö.bak"}));

  RemoveFile(list);
  RemoveFile(*backup);
  EXPECT_EQ(ReadWholeFile(list), std::nullopt);
  EXPECT_EQ(FolderNames(folder), Names{});
}

// Writing in place would fail on a list its owner made read-only; the save
// must not slip past that by renaming over it.
TEST(ReplaceFile, ReadOnlyListIsRefusedAndLeftAsItWas) {
  TempDir dir;
  const std::string list = dir.File("list.txt");
  WriteBytes(list, "kept");
  std::filesystem::permissions(
      list,
      std::filesystem::perms::owner_write | std::filesystem::perms::group_write | std::filesystem::perms::others_write,
      std::filesystem::perm_options::remove);
  const bool writableAnyway = std::ofstream(list, std::ios::app).is_open();
  if (!writableAnyway) {
    EXPECT_EQ(ReplaceFile(list, "lost", ".bak"), SaveResult::CannotCreate);
    EXPECT_EQ(ReadWholeFile(list), "kept");
    EXPECT_EQ(FolderNames(dir.path()), Names{"list.txt"});
  }
  std::filesystem::permissions(list, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  if (writableAnyway) GTEST_SKIP() << "this user writes through permission bits";
}

TEST(ReplaceFile, WhatIsNoFileIsLeftAloneAndAFailedSaveLeavesNothing) {
  TempDir dir;
  // A folder at the list's name is someone else's.
  const std::string folder = dir.File("list.txt");
  std::filesystem::create_directory(folder);
  WriteBytes(folder + "/notes", "kept");
  EXPECT_EQ(ReplaceFile(folder, "list", ".bak"), SaveResult::CannotCreate);
  EXPECT_EQ(ReplaceFile(folder, "list", std::nullopt), SaveResult::CannotCreate);
  EXPECT_EQ(ReadWholeFile(folder), std::nullopt);
  RemoveFile(folder);
  EXPECT_EQ(ReadBytes(folder + "/notes"), "kept");

  // The temporary name taken by a folder: the save fails, the list stays.
  const std::string list = dir.File("other.txt");
  WriteBytes(list, "kept");
  std::filesystem::create_directory(list + ".partial");
  EXPECT_EQ(ReplaceFile(list, "lost", ".bak"), SaveResult::CannotCreate);
  EXPECT_EQ(ReadWholeFile(list), "kept");
  EXPECT_EQ(ReplaceFile(dir.File("missing/list.txt"), "lost", ".bak"), SaveResult::CannotCreate);
  EXPECT_EQ(FolderNames(dir.path()), (Names{"list.txt", "other.txt", "other.txt.partial"}));
}

}  // namespace
}  // namespace chanora

// What only Windows does with files: its names, its folder and its locks.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "base/utf8_path.h"
#include "base/windows_text.h"
#include "tests/support/temp_dir.h"

namespace chanora {
namespace {

TEST(DerivedPath, OnWindowsBothSlashesPartFoldersAndNothingOpensAsTheList) {
  EXPECT_EQ(DerivedPath("C:\\a.txt\\LIST.TXT", ".bak"), "C:\\a.txt\\LIST.bak");
  EXPECT_EQ(DerivedPath("C:/lists\\up.hex", ".bin", ".hex"), "C:/lists\\up.bin");
  for (const char* path : {"C:\\a\\.txt", "C:\\a.txt\\list", "a\\list.txt\\"}) {
    EXPECT_EQ(DerivedPath(path, ".bak"), std::nullopt) << path;
  }
  // Windows opens "list.txt. " as "list.txt".
  for (const char* extension : {".txt.", ".TXT ", ".txt. .", ".Txt  "}) {
    EXPECT_EQ(DerivedPath("C:\\a\\list.txt", extension), std::nullopt) << extension;
  }
}

TEST(UserCacheFile, LiesInAFolderOfItsOwnUnderLocalAppDataWithBackslashes) {
  testing::TempDir dir;
  const std::string local = dir.File("Local ä");
  ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", WideFromUtf8(local).c_str()));
  const auto expected = (PathFromUtf8(local) / "Chanora" / "Velkupload.txt").make_preferred();
  EXPECT_EQ(UserCacheFile("Velkupload.txt"), Utf8FromPath(expected));
  EXPECT_TRUE(std::filesystem::is_directory(expected.parent_path()));
}

// Another program holding the list open keeps it from being replaced: the
// save fails and leaves the list and its folder as they were.
TEST(ReplaceFile, AListHeldOpenElsewhereStaysWholeAndNoHalfFileRemains) {
  testing::TempDir dir;
  const std::string list = dir.File("list.txt");
  ASSERT_EQ(ReplaceFile(list, "kept", std::nullopt), SaveResult::Saved);
  HANDLE held = ::CreateFileW(WideFromUtf8(list).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReplaceFile(list, "lost", ".bak"), SaveResult::CannotWrite);
  ::CloseHandle(held);
  EXPECT_EQ(ReadWholeFile(list), "kept");
  EXPECT_FALSE(std::filesystem::exists(list + ".partial"));

  // Devices are no files to read or replace.
  EXPECT_EQ(ReadWholeFile("NUL"), std::nullopt);
  EXPECT_EQ(ReplaceFile("NUL", "x", std::nullopt), SaveResult::CannotCreate);
}

}  // namespace
}  // namespace chanora

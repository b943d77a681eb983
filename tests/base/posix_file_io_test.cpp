// What only POSIX systems do with files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/file_io.h"
#include "tests/support/temp_dir.h"

namespace chanora {
namespace {

TEST(UserCacheFile, LiesInAFolderOfItsOwnUnderXdgCacheHome) {
  testing::TempDir dir;
  ASSERT_EQ(::setenv("XDG_CACHE_HOME", dir.File("cache").c_str(), 1), 0);
  EXPECT_EQ(UserCacheFile("Velkupload.txt"), dir.File("cache/Chanora/Velkupload.txt"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("cache/Chanora")));

  // A file at the folder's name is no folder to write into.
  ASSERT_EQ(::setenv("XDG_CACHE_HOME", dir.File("other").c_str(), 1), 0);
  std::filesystem::create_directory(dir.File("other"));
  testing::WriteBytes(dir.File("other/Chanora"), "");
  EXPECT_EQ(UserCacheFile("Velkupload.txt"), std::nullopt);
  ::unsetenv("XDG_CACHE_HOME");
}

}  // namespace
}  // namespace chanora

#include <sys/stat.h>

#include <cstdlib>

#include "serial/channel_upload.h"
#include "tests/engine/child_process.h"
#include "tests/serial/serial_fixture.h"

namespace chanora::testing {
namespace {

using UploadDiskFaults = SerialTest;

ConsoleOptions PrintsTheDemoList() {
  const std::string demo = DemoListBytes();
  ConsoleOptions console;
  console.listText = demo.substr(demo.find("[SATELLITE_NAME_LIST]"));
  return console;
}

TEST_F(UploadDiskFaults, AFullDiskKeepsThePreviousUploadWhole) {
  const std::string output = dir.File("upload.txt");
  receiver.StartConsole(PrintsTheDemoList());
  ASSERT_TRUE(UploadChannelList(*port, output, settings, reporter));
  receiver.WaitConsole();
  const std::string previous = ReadBytes(output);

  receiver.StartConsole(PrintsTheDemoList());
  settings.port = receiver.DevicePath();
  ChildOutcome upload =
      RunInChild([&] { return LimitFileSize(previous.size() - 1); },
                 [&](RecordingReporter& child) { return UploadChannelList(*port, output, settings, child); });
  const ConsoleReport report = receiver.WaitConsole();
  EXPECT_EQ(upload.result, 0);
  EXPECT_EQ(upload.messages, std::vector<std::string>{"Fail to open output file " + output + "\n"});
  EXPECT_TRUE(report.goReceived);  // the receiver goes on whatever became of the file
  EXPECT_EQ(ReadBytes(output), previous);
  EXPECT_EQ(FolderNames(dir.path()), std::set<std::string>{"upload.txt"});
}

// The cache folder as the environment names it, put back afterwards.
class CacheEnvironment {
 public:
  CacheEnvironment() : home_(Get("HOME")), cache_(Get("XDG_CACHE_HOME")) {}
  ~CacheEnvironment() {
    Set("HOME", home_);
    Set("XDG_CACHE_HOME", cache_);
  }
  static void Set(const char* name, const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }

 private:
  static std::optional<std::string> Get(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  std::optional<std::string> home_, cache_;
};

TEST(UploadFile, HasNoPathWhereItsFolderCannotBe) {
  CacheEnvironment restore;
  TempDir dir;
  WriteBytes(dir.File("a-file"), "not a folder");

  CacheEnvironment::Set("XDG_CACHE_HOME", dir.File("a-file"));
  EXPECT_EQ(UploadFilePath(), std::nullopt);
  CacheEnvironment::Set("XDG_CACHE_HOME", std::nullopt);
  CacheEnvironment::Set("HOME", dir.File("a-file"));
  EXPECT_EQ(UploadFilePath(), std::nullopt);

  // The folder's own name taken by a file.
  ASSERT_EQ(::mkdir(dir.File("cache").c_str(), 0700), 0);
  WriteBytes(dir.File("cache/Chanora"), "not a folder");
  CacheEnvironment::Set("XDG_CACHE_HOME", dir.File("cache"));
  EXPECT_EQ(UploadFilePath(), std::nullopt);
  EXPECT_EQ(ReadBytes(dir.File("cache/Chanora")), "not a folder");

  CacheEnvironment::Set("XDG_CACHE_HOME", dir.File("new/cache"));
  EXPECT_EQ(UploadFilePath(), dir.File("new/cache/Chanora/Velkupload.txt"));
  struct stat folder {};
  ASSERT_EQ(::stat(dir.File("new/cache/Chanora").c_str(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 0777, 0700u);
}

}  // namespace
}  // namespace chanora::testing

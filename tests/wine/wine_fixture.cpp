#include "tests/wine/wine_fixture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace chanora::testing {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// Waits for the child until `limit`, then kills it: a Windows program that
// hangs under Wine must fail its test, not stall the run.
int WaitWithin(pid_t child, std::chrono::seconds limit, std::optional<std::chrono::milliseconds> interruptAfter) {
  const auto start = std::chrono::steady_clock::now();
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) {
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (elapsed > limit) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      return -1;
    }
    if (interruptAfter && elapsed > *interruptAfter) {
      ::kill(child, SIGINT);
      interruptAfter.reset();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& command, const std::string& folder, std::chrono::seconds limit,
                      std::optional<std::chrono::milliseconds> interruptAfter) {
  const TempDir output;
  const std::string outPath = output.File("stdout"), errPath = output.File("stderr");
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return {};
  if (child == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in = ::open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0 || ::chdir(folder.c_str()) != 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ProgramRun run;
  run.exitCode = WaitWithin(child, limit, interruptAfter);
  run.out = ReadBytes(outPath);
  run.err = ReadBytes(errPath);
  return run;
}

std::vector<std::pair<std::string, std::string>> FolderFiles(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files.emplace_back(entry.path().filename().string(), ReadBytes(entry.path().string()));
  }
  std::sort(files.begin(), files.end());
  return files;
}

void WineTest::SetUp() {
  wine_ = Environment("CHANORA_WINE");
  windowsCli_ = Environment("CHANORA_WINDOWS_CLI");
  winePrefix_ = Environment("WINEPREFIX");
  if (wine_.empty() || windowsCli_.empty() || winePrefix_.empty()) {
    GTEST_SKIP() << "run from the Windows build's ctest (CHANORA_WINE, CHANORA_WINDOWS_CLI, WINEPREFIX)";
  }
  // Wine reads the arguments and names of files in the locale's encoding:
  // UTF-8, as the Linux side passes them.
  ::setenv("LC_ALL", "C.UTF-8", 1);
}

ProgramRun WineTest::RunWindowsCli(const std::vector<std::string>& arguments, const std::string& folder,
                                   std::chrono::seconds limit,
                                   std::optional<std::chrono::milliseconds> interruptAfter) const {
  std::vector<std::string> command{wine_, windowsCli_};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return RunProgram(command, folder, limit, interruptAfter);
}

std::string WineTest::WindowsPath(const std::string& path) {
  std::string windows = "Z:" + path;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

}  // namespace chanora::testing

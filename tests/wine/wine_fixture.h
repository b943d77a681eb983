#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace chanora::testing {

struct ProgramRun {
  int exitCode = -1;  // -1: killed, or did not start
  std::string out;
  std::string err;
};

// Runs `command` (the program, then its arguments) in `folder`, with what it
// prints caught; killed after `limit`. With `interruptAfter`, Ctrl-C reaches
// it then, as a console gives it.
ProgramRun RunProgram(const std::vector<std::string>& command, const std::string& folder,
                      std::chrono::seconds limit = std::chrono::seconds(120),
                      std::optional<std::chrono::milliseconds> interruptAfter = {});

// Every file of a folder with its bytes, to compare what two runs left.
std::vector<std::pair<std::string, std::string>> FolderFiles(const std::string& folder);

// The Windows chanora-cli under Wine, found through CHANORA_WINE,
// CHANORA_WINDOWS_CLI and WINEPREFIX (the Windows build's ctest sets them);
// skipped without them.
class WineTest : public ::testing::Test {
 protected:
  void SetUp() override;

  ProgramRun RunWindowsCli(const std::vector<std::string>& arguments, const std::string& folder,
                           std::chrono::seconds limit = std::chrono::seconds(120),
                           std::optional<std::chrono::milliseconds> interruptAfter = {}) const;
  // A folder to Windows programs: Wine shows the Linux root as drive Z:.
  static std::string WindowsPath(const std::string& path);

  std::string wine_;
  std::string windowsCli_;
  std::string winePrefix_;
  TempDir dir;
};

}  // namespace chanora::testing

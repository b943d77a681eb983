#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/support/temp_dir.h"

namespace chanora::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs chanora-cli with the given arguments (shell words) in a fresh folder.
class CliTest : public ::testing::Test {
 protected:
  CliRun Run(const std::string& arguments) {
    const std::string command =
        "cd '" + dir.path() + "' && '" CHANORA_CLI_PATH "' " + arguments + " >stdout.log 2>stderr.log";
    CliRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadBytes(dir.File("stdout.log"));
    run.err = ReadBytes(dir.File("stderr.log"));
    return run;
  }

  TempDir dir;
};

}  // namespace chanora::testing

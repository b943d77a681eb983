#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "engine/list_engine.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"

namespace chanora::testing {

using Strings = std::vector<std::string>;
using Names = std::set<std::string>;

// An engine and a fresh folder for its lists.
class EngineTest : public ::testing::Test {
 protected:
  // Writes a list file into the folder; its path.
  std::string ListFile(const std::string& name, std::string_view bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }

  TempDir dir;
  RecordingReporter reporter;
  ListEngine engine{reporter};
};

}  // namespace chanora::testing

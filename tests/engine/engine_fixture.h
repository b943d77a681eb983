#pragma once

#include <gtest/gtest.h>

#include "engine/list_db.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"

namespace chanora::testing {

// An engine over a list in a fresh folder.
class EngineTest : public ::testing::Test {
 protected:
  CListDB EngineFor(const std::string& name, std::string_view bytes) {
    WriteBytes(dir.File(name), bytes);
    return CListDB(dir.File(name), reporter);
  }

  TempDir dir;
  RecordingReporter reporter;
};

}  // namespace chanora::testing

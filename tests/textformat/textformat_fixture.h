#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "textformat/line_list.h"
#include "textformat/reader.h"

namespace chanora::testing {

// Reads list text with the reader alone (the bytes are taken as checked).
class TextFormatTest : public ::testing::Test {
 protected:
  LineList Read(const std::string& bytes) {
    LineList list;
    readOk = ReadListText(bytes, list, reporter, dropped);
    return list;
  }

  RecordingReporter reporter;
  bool readOk = false;
  bool dropped = false;
};

}  // namespace chanora::testing

#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/list_view_model.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "textformat/reader.h"
#include "tools/list_generator.h"

namespace chanora::testing {

// List view models as a load leaves them: channels renumbered, rows built.
class EditorTest : public ::testing::Test {
 protected:
  ListViewModel ModelOf(LineList list) {
    ListViewModel model;
    model.list = std::move(list);
    model.RenumberAndRebuild();
    return model;
  }

  // From list text, taken as checked (CrLfLines builds it).
  ListViewModel ModelFromText(const std::string& bytes) {
    LineList list;
    bool dropped = false;
    EXPECT_TRUE(ReadListText(bytes, list, reporter, dropped));
    return ModelOf(std::move(list));
  }

  ListViewModel ModelFromShape(const ListShape& shape) { return ModelFromText(GenerateListText(shape)); }

  RecordingReporter reporter;
};

}  // namespace chanora::testing

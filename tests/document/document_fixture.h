#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/options.h"
#include "document/settings.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"

namespace chanora::testing {

// A file dialog that answers from a script (cancel once the script is used
// up) and keeps every request it was shown.
class ScriptedDialog {
 public:
  void Answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  // Drops the answers that no dialog took.
  void Forget() { answers_.clear(); }
  ChoosePath Chooser() {
    return [this](const FileDialogRequest& request) {
      requests.push_back(request);
      if (answers_.empty()) return std::optional<std::string>();
      auto answer = answers_.front();
      answers_.pop_front();
      return answer;
    };
  }

  std::vector<FileDialogRequest> requests;

 private:
  std::deque<std::optional<std::string>> answers_;
};

// A document over a fresh folder that holds the demo list as "demo.txt".
class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() { WriteBytes(demoPath, DemoListBytes()); }

  // Open through the dialog, with the given answers to any question first.
  bool OpenFile(const std::string& path, std::vector<chanora::Answer> answers = {}) {
    reporter.answers.assign(answers.begin(), answers.end());
    dialog.Forget();
    dialog.Answer(path);
    return document.Open(dialog.Chooser());
  }

  // What the document holds, to compare before and after a failed command.
  struct State {
    bool loaded;
    std::string path;
    bool untitled;
    std::string title;
    LineList list;
    bool modified;
    std::size_t undoDepth;
    bool operator==(const State&) const = default;
  };
  State Snapshot() const {
    const ListViewModel& model = document.Model();
    return {document.Loaded(), document.Path(),  document.Untitled(),        document.Title(),
            model.List(),      model.Modified(), model.History().UndoDepth()};
  }

  TempDir dir;
  std::string demoPath = dir.File("demo.txt");
  MemorySettings settings;
  RecordingReporter reporter;
  ScriptedDialog dialog;
  Document document{settings, reporter};
};

}  // namespace chanora::testing

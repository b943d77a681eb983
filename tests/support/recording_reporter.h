#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/reporter.h"

namespace chanora::testing {

// Records everything the engine reports, in order, and answers questions from
// a script (No once the script is used up).
class RecordingReporter : public Reporter {
 public:
  void Message(const std::string& text) override { messages.push_back(text); }
  Answer Ask(const std::string& text, const std::string& caption, Buttons buttons) override;
  void AppendLine(const std::string& text) override { lines.push_back(text); }
  void SetProgress(int percent) override { progress.push_back(percent); }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::string> lines;
  std::vector<int> progress;
  std::deque<Answer> answers;
};

}  // namespace chanora::testing

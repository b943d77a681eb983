#include "tests/support/recording_reporter.h"

namespace chanora::testing {

Answer RecordingReporter::Ask(const std::string& text, const std::string& caption, Buttons) {
  questions.push_back(caption + ": " + text);
  if (answers.empty()) return Answer::No;
  Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace chanora::testing

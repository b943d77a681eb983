#pragma once

#include <cstdio>

#include "base/reporter.h"

namespace chanora {

// The command line's side of the reporting seam: messages and questions on
// stderr, message-window lines on stdout, a progress bar on stderr when it is
// a terminal. Questions are answered No unless `--yes` was given.
class ConsoleReporter : public Reporter {
 public:
  explicit ConsoleReporter(bool answerYes);
  ~ConsoleReporter() override;

  void Message(const std::string& text) override;
  Answer Ask(const std::string& text, const std::string& caption, Buttons buttons) override;
  void AppendLine(const std::string& text) override;
  void SetProgress(int percent) override;

 private:
  void EndProgressBar();

  bool answerYes_;
  bool progressOnTerminal_;
  int shownPercent_ = -1;
};

}  // namespace chanora

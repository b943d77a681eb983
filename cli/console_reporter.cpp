#include "cli/console_reporter.h"

#include <algorithm>
#include <string>

#include "cli/console_setup.h"

namespace chanora {

ConsoleReporter::ConsoleReporter(bool answerYes)
    : answerYes_(answerYes), progressOnTerminal_(MessagesOnTerminal()) {}

ConsoleReporter::~ConsoleReporter() { EndProgressBar(); }

void ConsoleReporter::Message(const std::string& text) {
  EndProgressBar();
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

Answer ConsoleReporter::Ask(const std::string& text, const std::string& caption, Buttons) {
  EndProgressBar();
  const Answer answer = answerYes_ ? Answer::Yes : Answer::No;
  std::fprintf(stderr, "%s: %s [%s]\n", caption.c_str(), text.c_str(), answer == Answer::Yes ? "Yes" : "No");
  std::fflush(stderr);
  return answer;
}

void ConsoleReporter::AppendLine(const std::string& text) {
  if (text == "CLEAR ALL MESSAGE") return;  // a command to the window, not a line
  EndProgressBar();
  // The window's lines carry CR LF; a terminal or a log wants LF alone.
  std::string line = text;
  for (std::size_t at; (at = line.find("\r\n")) != std::string::npos;) line.erase(at, 1);
  if (line.empty() || line.back() != '\n') line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

void ConsoleReporter::SetProgress(int percent) {
  if (!progressOnTerminal_) return;
  percent = std::clamp(percent, 0, 100);
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  constexpr int kWidth = 40;
  const int filled = percent * kWidth / 100;
  std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(), std::string(kWidth - filled, ' ').c_str(),
               percent);
  std::fflush(stderr);
}

void ConsoleReporter::EndProgressBar() {
  if (shownPercent_ < 0) return;
  std::fputc('\n', stderr);
  shownPercent_ = -1;
}

}  // namespace chanora

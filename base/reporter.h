#pragma once

#include <string>

namespace chanora {

enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

// Everything the engine has to tell the user goes through here: the window
// shows message boxes and a progress bar, the command-line tool prints, and
// the tests record. The engine itself never shows or prints anything.
class Reporter {
 public:
  virtual ~Reporter() = default;

  // A modal message box with an OK button.
  virtual void Message(const std::string& text) = 0;
  // A modal question; Buttons::YesNo never answers Cancel.
  virtual Answer Ask(const std::string& text, const std::string& caption, Buttons buttons) = 0;
  // One line of the message window.
  virtual void AppendLine(const std::string& text) = 0;
  // The status-bar progress indicator, 0 to 100.
  virtual void SetProgress(int percent) = 0;
};

}  // namespace chanora

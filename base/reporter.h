#pragma once

#include <string>

namespace chanora {

enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

// Everything the engine has to tell the user goes through here: the window
// shows message boxes and a progress bar, the command-line tool prints, and
// the tests record. The engine itself never shows or prints anything.
//
// Threads: an operation may run on a worker thread (the window runs the
// serial transfers that way) and call any of these from there, one call at
// a time and in order. Message and Ask block until the user has answered:
// a window forwards them to its own thread and waits. AppendLine and
// SetProgress only inform: they may be posted to the window's thread and
// return at once, so an implementation copies what it keeps, and shows
// posted calls in the order made, before a later Message or Ask.
class Reporter {
 public:
  virtual ~Reporter() = default;

  // A modal message box with an OK button. Blocks until dismissed.
  virtual void Message(const std::string& text) = 0;
  // A modal question; Buttons::YesNo never answers Cancel. Blocks until answered.
  virtual Answer Ask(const std::string& text, const std::string& caption, Buttons buttons) = 0;
  // One line of the message window. May be posted.
  virtual void AppendLine(const std::string& text) = 0;
  // The status-bar progress indicator, 0 to 100. May be posted.
  virtual void SetProgress(int percent) = 0;
};

}  // namespace chanora

#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "base/reporter.h"

namespace chanora {

// The text of the engine's messages as a window shows it: the system's texts
// end lines with CR LF.
QString DisplayText(const std::string& text);

// The window's reporter, used on the window's thread: messages and questions
// are modal boxes captioned "Chanora" (or the question's caption), lines and
// progress go out as signals to the message window and the status bar.
class WindowReporter : public QObject, public Reporter {
  Q_OBJECT

 public:
  explicit WindowReporter(QWidget* window);

  void Message(const std::string& text) override;
  Answer Ask(const std::string& text, const std::string& caption, Buttons buttons) override;
  void AppendLine(const std::string& text) override;
  void SetProgress(int percent) override;

 signals:
  // The text as the engine wrote it, CR LF turned into line feeds.
  void lineAppended(const QString& text);
  void progressSet(int percent);

 private:
  QPointer<QWidget> window_;
};

// A reporter for a worker thread that hands everything to a WindowReporter on
// the window's thread: Message and Ask wait there for the user, lines and
// progress are posted. All go through the one event queue of the window's
// reporter, so they appear in the order the worker made them.
class ForwardingReporter : public Reporter {
 public:
  explicit ForwardingReporter(WindowReporter& target) : target_(target) {}

  void Message(const std::string& text) override;
  Answer Ask(const std::string& text, const std::string& caption, Buttons buttons) override;
  void AppendLine(const std::string& text) override;
  void SetProgress(int percent) override;

 private:
  // Runs `call` on the window's thread and returns when it has run.
  template <typename Call>
  void RunThere(Call call);

  WindowReporter& target_;
};

}  // namespace chanora

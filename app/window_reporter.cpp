#include "app/window_reporter.h"

#include <QMessageBox>
#include <QThread>
#include <algorithm>

namespace chanora {

QString DisplayText(const std::string& text) {
  QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return shown;
}

WindowReporter::WindowReporter(QWidget* window) : window_(window) {}

void WindowReporter::Message(const std::string& text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Chanora"), DisplayText(text), QMessageBox::Ok, window_);
  box.exec();
}

Answer WindowReporter::Ask(const std::string& text, const std::string& caption, Buttons buttons) {
  QMessageBox::StandardButtons shown = QMessageBox::Yes | QMessageBox::No;
  if (buttons == Buttons::YesNoCancel) shown |= QMessageBox::Cancel;
  QMessageBox box(QMessageBox::Question, DisplayText(caption), DisplayText(text), shown, window_);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      // Escape or the close button: no answer is No where there is no Cancel.
      return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
  }
}

void WindowReporter::AppendLine(const std::string& text) { emit lineAppended(DisplayText(text)); }

void WindowReporter::SetProgress(int percent) { emit progressSet(std::clamp(percent, 0, 100)); }

template <typename Call>
void ForwardingReporter::RunThere(Call call) {
  if (QThread::currentThread() == target_.thread()) {
    call();
  } else {
    QMetaObject::invokeMethod(&target_, call, Qt::BlockingQueuedConnection);
  }
}

void ForwardingReporter::Message(const std::string& text) {
  RunThere([&] { target_.Message(text); });
}

Answer ForwardingReporter::Ask(const std::string& text, const std::string& caption, Buttons buttons) {
  Answer answer = Answer::Cancel;
  RunThere([&] { answer = target_.Ask(text, caption, buttons); });
  return answer;
}

void ForwardingReporter::AppendLine(const std::string& text) {
  WindowReporter* target = &target_;
  QMetaObject::invokeMethod(target, [target, text] { target->AppendLine(text); }, Qt::QueuedConnection);
}

void ForwardingReporter::SetProgress(int percent) {
  WindowReporter* target = &target_;
  QMetaObject::invokeMethod(target, [target, percent] { target->SetProgress(percent); }, Qt::QueuedConnection);
}

}  // namespace chanora

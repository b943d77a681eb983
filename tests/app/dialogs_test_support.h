#pragma once

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <functional>

#include "tests/support/temp_dir.h"

namespace chanora::testing {

// Points the settings store at a fresh folder for one test.
class SettingsFolder {
 public:
  SettingsFolder() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder_.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(folder_.path()));
  }
  // Where the store keeps the program's values.
  std::string File() const { return folder_.File("Velk/Chanora.conf"); }

 private:
  TempDir folder_;
};

// Once a modal dialog of type Dialog is up, hands it to `answer` (which
// closes it). Call before the action that opens the dialog.
template <typename Dialog>
void AnswerNextModal(std::function<void(Dialog&)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    poll->stop();
    poll->deleteLater();
    answer(*dialog);
  });
  poll->start(10);
}

}  // namespace chanora::testing

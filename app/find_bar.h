#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;

namespace chanora {

// The find box over the list. Its text filters the list shown; F3 in it asks
// for the next match and Escape empties and closes it. Both keys are taken
// here before the window's own shortcuts (F3 is also Cut).
class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWidget* parent = nullptr);

  // Shows the box, focused, its text selected for typing over.
  void Open();
  // The text to find; empty while the box is closed.
  QString Text() const;

 signals:
  void textChanged();
  void nextRequested();
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Close();

  QLineEdit* edit_;
};

}  // namespace chanora

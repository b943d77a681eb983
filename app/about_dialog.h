#pragma once

#include <QDialog>

namespace chanora {

// "About Chanora": the program's version, its date and its history.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);
};

}  // namespace chanora

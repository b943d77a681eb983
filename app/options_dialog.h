#pragma once

#include <QDialog>

#include "document/options.h"

class QComboBox;
class QRadioButton;

namespace chanora {

class Settings;

// "Setting Option": the maximum satellite number and the serial port for the
// run, and the list's colours. OK stores the run options, and the colours
// only when a colour button was pressed; Cancel changes nothing.
class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  OptionsDialog(Settings& settings, QWidget* parent);

  // OK stored new colours: the list view should take ListViewColours again.
  bool ColoursChanged() const { return coloursStored_; }

  void accept() override;

 private:
  void ChooseColour(Rgb& colour);
  void LoadDefaultColours();

  Settings& settings_;
  ListColours colours_;
  bool colourPressed_ = false;
  bool coloursStored_ = false;
  QRadioButton* forty_ = nullptr;
  QComboBox* port_ = nullptr;
};

}  // namespace chanora

#pragma once

#include <QDialog>

#include "app/dialog_fields.h"
#include "editor/analog_channel_edit.h"

class QComboBox;
class QLineEdit;

namespace chanora {

// The analog channel dialog over the editor's dialog fields: it only shows
// them and takes back what was typed; the editor checks and applies it.
class AnalogChannelEditDialog : public QDialog {
  Q_OBJECT

 public:
  AnalogChannelEditDialog(const ListViewModel& model, Reporter& reporter, AnalogChannelDialog fields, QWidget* parent);

  // What the dialog holds now, as typed.
  AnalogChannelDialog Fields() const;
  // The button that closed the dialog, when accepted.
  AnalogEditAction Action() const { return action_; }

 protected:
  // Insert acts as Insert Null; Delete acts as Delete while Ok has the focus.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CloseWith(AnalogEditAction action);

  AnalogChannelDialog fields_;
  AnalogEditAction action_ = AnalogEditAction::Ok;
  ChannelButtons buttons_;
  QLineEdit* name_;
  QLineEdit* frequency_;
  RadioPair band_;
  RadioPair polarity_;
  RadioPair type_;
  QComboBox* videoBand_;
  QLineEdit* threshold_;
  QLineEdit* contrast_;
  QComboBox* decoderOutput_;
  QComboBox* audioMode_;
  QLineEdit* audioLeft_;
  QLineEdit* audioRight_;
  QComboBox* bandWidth_;
  RadioPair dnr_;
  QComboBox* deEmphasis_;
  SatelliteFields* satellite_;
};

}  // namespace chanora

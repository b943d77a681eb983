#pragma once

#include <QDialog>

#include "app/dialog_fields.h"
#include "editor/digital_channel_edit.h"

class QLineEdit;

namespace chanora {

// The digital channel dialog over the editor's dialog fields: it only shows
// them and takes back what was typed; the editor checks and applies it.
class DigitalChannelEditDialog : public QDialog {
  Q_OBJECT

 public:
  DigitalChannelEditDialog(const ListViewModel& model, Reporter& reporter, DigitalChannelDialog fields,
                           QWidget* parent);

  // What the dialog holds now, as typed.
  DigitalChannelDialog Fields() const;
  // The button that closed the dialog, when accepted.
  DigitalEditAction Action() const { return action_; }

 protected:
  // Insert acts as Insert Null; Delete acts as Delete while Ok has the focus.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CloseWith(DigitalEditAction action);
  void ServiceIdEdited();
  void ShowPidFields();

  DigitalChannelDialog fields_;
  DigitalEditAction action_ = DigitalEditAction::Ok;
  ChannelButtons buttons_;
  QLineEdit* name_;
  QLineEdit* serviceId_;
  QLineEdit* activeAudio_;
  RadioPair type_;
  QLineEdit* videoPid_;
  QLineEdit* audioPid_;
  QLineEdit* pcrPid_;
  QLineEdit* frequency_;
  QLineEdit* symbolRate_;
  RadioPair polarization_;
  QLineEdit* bouquet_;
  SatelliteFields* satellite_;
};

}  // namespace chanora

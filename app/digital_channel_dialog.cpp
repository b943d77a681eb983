#include "app/digital_channel_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/field_limits.h"

namespace chanora {

DigitalChannelEditDialog::DigitalChannelEditDialog(const ListViewModel& model, Reporter& reporter,
                                                   DigitalChannelDialog fields, QWidget* parent)
    : QDialog(parent),
      fields_(std::move(fields)),
      buttons_(*this, fields_.isNew),
      type_(this, "&TV", "R&adio", "type"),
      polarization_(this, "&Horizontal ", "V&ertical", "polarization") {
  setObjectName("digitalChannelDialog");
  setWindowTitle(FieldText(fields_.title));

  auto* channel = new QGroupBox(QStringLiteral("Channel"));
  auto* channelForm = new QFormLayout(channel);
  name_ = AddLineEdit(*channelForm, "&Name", "name", fields_.name, field_limit::kName);
  serviceId_ = AddLineEdit(*channelForm, "&SVC ID(hex)", "serviceId", fields_.serviceId);
  activeAudio_ = AddLineEdit(*channelForm, "Ac&tive Audio", "activeAudio", fields_.activeAudio);
  auto* typeRow = new QHBoxLayout;
  type_.AddTo(*typeRow);
  channelForm->addRow(QString(), typeRow);
  type_.Check(fields_.tv);

  auto* pids = new QGroupBox(QStringLiteral("PID"));
  auto* pidForm = new QFormLayout(pids);
  videoPid_ = AddLineEdit(*pidForm, "Video &PID", "videoPid", fields_.videoPid);
  audioPid_ = AddLineEdit(*pidForm, "A&udio PID", "audioPid", fields_.audioPid);
  pcrPid_ = AddLineEdit(*pidForm, "PC&R PID", "pcrPid", fields_.pcrPid);

  auto* transponder = new QGroupBox(QStringLiteral("Transponder"));
  auto* tpForm = new QFormLayout(transponder);
  frequency_ = AddLineEdit(*tpForm, "&Frequency[MHz]", "frequency", fields_.frequency, field_limit::kFrequency);
  symbolRate_ = AddLineEdit(*tpForm, "S&ymbol Rate[KHz]", "symbolRate", fields_.symbolRate, field_limit::kFrequency);
  auto* polarizationRow = new QHBoxLayout;
  polarization_.AddTo(*polarizationRow);
  tpForm->addRow(QString(), polarizationRow);
  polarization_.Check(fields_.horizontal);
  bouquet_ = AddLineEdit(*tpForm, "&Bouquet", "bouquet", fields_.bouquet, field_limit::kName);

  satellite_ = new SatelliteFields(model, reporter, fields_.satellite, false, this);

  connect(buttons_.ok, &QPushButton::clicked, this, [this] { CloseWith(DigitalEditAction::Ok); });
  connect(buttons_.remove, &QPushButton::clicked, this, [this] { CloseWith(DigitalEditAction::Delete); });
  connect(buttons_.insertNull, &QPushButton::clicked, this, [this] { CloseWith(DigitalEditAction::InsertNull); });
  if (fields_.isNew) connect(serviceId_, &QLineEdit::textEdited, this, &DigitalChannelEditDialog::ServiceIdEdited);
  ShowPidFields();

  LayOutDialog(*this, {channel, pids}, {transponder, satellite_}, buttons_.Row(),
               {name_, serviceId_, activeAudio_, type_.First(), videoPid_, audioPid_, pcrPid_, frequency_, symbolRate_,
                polarization_.First(), bouquet_, satellite_, buttons_.remove, buttons_.insertNull, buttons_.ok,
                buttons_.cancel});
}

DigitalChannelDialog DigitalChannelEditDialog::Fields() const {
  DigitalChannelDialog fields = fields_;
  fields.name = ListText(name_->text());
  fields.serviceId = ListText(serviceId_->text());
  fields.activeAudio = ListText(activeAudio_->text());
  fields.tv = type_.FirstChecked().value_or(true);
  fields.videoPid = ListText(videoPid_->text());
  fields.audioPid = ListText(audioPid_->text());
  fields.pcrPid = ListText(pcrPid_->text());
  fields.frequency = ListText(frequency_->text());
  fields.symbolRate = ListText(symbolRate_->text());
  fields.horizontal = polarization_.FirstChecked().value_or(true);
  fields.bouquet = ListText(bouquet_->text());
  fields.satellite = satellite_->Choice();
  return fields;
}

void DigitalChannelEditDialog::keyPressEvent(QKeyEvent* event) {
  if (QPushButton* button = buttons_.ForKey(event->key())) {
    button->click();
  } else {
    QDialog::keyPressEvent(event);
  }
}

void DigitalChannelEditDialog::CloseWith(DigitalEditAction action) {
  action_ = action;
  accept();
}

void DigitalChannelEditDialog::ServiceIdEdited() {
  fields_ = Fields();
  ServiceIdTyped(fields_);
  videoPid_->setText(FieldText(fields_.videoPid));
  audioPid_->setText(FieldText(fields_.audioPid));
  pcrPid_->setText(FieldText(fields_.pcrPid));
  ShowPidFields();
}

void DigitalChannelEditDialog::ShowPidFields() {
  serviceId_->setEnabled(fields_.serviceIdEnabled);
  for (QLineEdit* pid : {videoPid_, audioPid_, pcrPid_}) pid->setEnabled(fields_.pidsEnabled);
}

}  // namespace chanora

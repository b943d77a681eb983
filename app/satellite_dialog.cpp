#include "app/satellite_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/field_limits.h"

namespace chanora {

SatelliteEditDialog::SatelliteEditDialog(SatelliteDialog fields, QWidget* parent)
    : QDialog(parent), fields_(std::move(fields)), blank_(this, "Yes", "No", "blank") {
  setObjectName("satelliteDialog");
  setWindowTitle(FieldText(fields_.title));

  auto* satellite = new QGroupBox(QStringLiteral("Satellite"));
  auto* form = new QFormLayout(satellite);
  name_ = AddLineEdit(*form, "&Name", "name", fields_.name, field_limit::kName);
  blank_.AddTo(*form, "&Blank");
  blank_.Check(fields_.blank);
  lnbHigh_ = AddLineEdit(*form, "LNB_LO &High[MHz]", "lnbHigh", fields_.lnbHigh, field_limit::kFrequency);
  lnbLow_ = AddLineEdit(*form, "LNB_LO &Low[MHz]", "lnbLow", fields_.lnbLow, field_limit::kFrequency);
  position_ = AddLineEdit(*form, "&Position", "position", fields_.position, field_limit::kPosition);
  degree_ = AddLineEdit(*form, "&Degree", "degree", fields_.degree, field_limit::kDegree);
  auto* hint = new QLabel(QStringLiteral("(E180.0 ~ W180.0) , East(+), West(-)"));
  hint->setEnabled(false);
  form->addRow(QString(), hint);

  QPushButton* ok = MakeButton("OK", "ok", this);
  ok->setDefault(true);
  QPushButton* cancel = MakeButton("Cancel", "cancel", this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  LayOutDialog(*this, {satellite}, {}, buttons,
               {name_, blank_.First(), lnbHigh_, lnbLow_, position_, degree_, ok, cancel});
}

SatelliteDialog SatelliteEditDialog::Fields() const {
  SatelliteDialog fields = fields_;
  fields.name = ListText(name_->text());
  fields.blank = blank_.FirstChecked() == true;
  fields.lnbHigh = ListText(lnbHigh_->text());
  fields.lnbLow = ListText(lnbLow_->text());
  fields.position = ListText(position_->text());
  fields.degree = ListText(degree_->text());
  return fields;
}

}  // namespace chanora

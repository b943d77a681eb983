#pragma once

#include <QDialog>

#include "app/dialog_fields.h"
#include "editor/satellite_edit.h"

class QLineEdit;

namespace chanora {

// The satellite dialog over the editor's dialog fields: it only shows them
// and takes back what was typed; the editor checks and applies it.
class SatelliteEditDialog : public QDialog {
  Q_OBJECT

 public:
  SatelliteEditDialog(SatelliteDialog fields, QWidget* parent);

  // What the dialog holds now, as typed.
  SatelliteDialog Fields() const;

 private:
  SatelliteDialog fields_;
  QLineEdit* name_;
  RadioPair blank_;
  QLineEdit* lnbHigh_;
  QLineEdit* lnbLow_;
  QLineEdit* position_;
  QLineEdit* degree_;
};

}  // namespace chanora

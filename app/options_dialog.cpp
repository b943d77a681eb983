#include "app/options_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/settings.h"
#include "serial/serial_port.h"

namespace chanora {
namespace {

QColor ToQColor(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }
Rgb ToRgb(const QColor& colour) { return {colour.red(), colour.green(), colour.blue()}; }

// COM1 to COM4 first, then every serial device present (USB adapters
// included); a path typed in is taken too.
QComboBox* MakePortChooser(const std::string& current, QWidget* parent) {
  auto* chooser = new QComboBox(parent);
  chooser->setEditable(true);
  chooser->setInsertPolicy(QComboBox::NoInsert);
  chooser->addItems({"COM1", "COM2", "COM3", "COM4"});
  for (const std::string& device : SystemSerialDevices()) chooser->addItem(QString::fromStdString(device));
  const QString port = QString::fromStdString(current);
  const int index = chooser->findText(port);
  if (index >= 0) {
    chooser->setCurrentIndex(index);
  } else {
    chooser->setEditText(port);
  }
  return chooser;
}

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), colours_(OptionsDialogColours(settings)) {
  setWindowTitle("Setting Option");
  const Options options = ReadOptions(settings);

  auto* satellites = new QGroupBox("Max Satellite Number", this);
  auto* thirtyTwo = new QRadioButton("32", satellites);
  forty_ = new QRadioButton("40", satellites);
  (options.maxSatellites == 40 ? forty_ : thirtyTwo)->setChecked(true);
  auto* satelliteLayout = new QHBoxLayout(satellites);
  satelliteLayout->addWidget(thirtyTwo);
  satelliteLayout->addWidget(forty_);

  port_ = MakePortChooser(options.port, this);

  auto* textColour = new QPushButton("Text Color", this);
  auto* backgroundColour = new QPushButton("Background Color", this);
  auto* defaultColours = new QPushButton("Load Default Color", this);
  connect(textColour, &QPushButton::clicked, this, [this] { ChooseColour(colours_.text); });
  connect(backgroundColour, &QPushButton::clicked, this, [this] { ChooseColour(colours_.background); });
  connect(defaultColours, &QPushButton::clicked, this, &OptionsDialog::LoadDefaultColours);

  auto* ok = new QPushButton("OK", this);
  auto* cancel = new QPushButton("Cancel", this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* colourButtons = new QHBoxLayout;
  colourButtons->addWidget(textColour);
  colourButtons->addWidget(backgroundColour);
  colourButtons->addWidget(defaultColours);
  auto* closeButtons = new QHBoxLayout;
  closeButtons->addStretch();
  closeButtons->addWidget(ok);
  closeButtons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(satellites);
  layout->addWidget(new QLabel("Select Serial Com Port", this));
  layout->addWidget(port_);
  layout->addLayout(colourButtons);
  layout->addLayout(closeButtons);
}

// Pressing the button counts as a change even when the chooser is
// cancelled: OK then stores the colours the dialog started with.
void OptionsDialog::ChooseColour(Rgb& colour) {
  colourPressed_ = true;
  QColorDialog chooser(ToQColor(colour), this);
  if (chooser.exec() == QDialog::Accepted) colour = ToRgb(chooser.selectedColor());
}

void OptionsDialog::LoadDefaultColours() {
  colourPressed_ = true;
  colours_ = kDefaultListColours;
}

void OptionsDialog::accept() {
  StoreOptions(settings_, {forty_->isChecked() ? 40 : 32, port_->currentText().trimmed().toStdString()});
  if (colourPressed_) {
    StoreListColours(settings_, colours_);
    coloursStored_ = true;
  }
  QDialog::accept();
}

}  // namespace chanora

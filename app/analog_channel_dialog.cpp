#include "app/analog_channel_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/field_limits.h"
#include "textformat/fields.h"

namespace chanora {
namespace {

// Every radio pair of the dialog's fields is an enum of Neither, then the
// first button's value, then the second's.
template <typename Pair>
std::optional<bool> FirstOfPair(Pair value) {
  if (value == Pair::Neither) return std::nullopt;
  return value == static_cast<Pair>(1);
}

template <typename Pair>
Pair PairOf(std::optional<bool> first) {
  if (!first) return Pair::Neither;
  return static_cast<Pair>(*first ? 1 : 2);
}

}  // namespace

AnalogChannelEditDialog::AnalogChannelEditDialog(const ListViewModel& model, Reporter& reporter,
                                                 AnalogChannelDialog fields, QWidget* parent)
    : QDialog(parent),
      fields_(std::move(fields)),
      buttons_(*this, fields_.isNew),
      band_(this, "C", "KU", "band"),
      polarity_(this, "Horizontal", "Vertical", "polarity"),
      type_(this, "TV", "Radio", "type"),
      dnr_(this, "Yes", "No", "dnr") {
  setObjectName("analogChannelDialog");
  setWindowTitle(FieldText(fields_.title));

  auto* channel = new QGroupBox(QStringLiteral("Channel"));
  auto* channelForm = new QFormLayout(channel);
  name_ = AddLineEdit(*channelForm, "&Name :", "name", fields_.name, field_limit::kName);
  frequency_ = AddLineEdit(*channelForm, "&Frequency[MHz]", "frequency", fields_.frequency, field_limit::kFrequency);
  band_.AddTo(*channelForm, "Signal &Band :");
  polarity_.AddTo(*channelForm, "&Polarity :");
  type_.AddTo(*channelForm, "TV / R&adio");
  band_.Check(FirstOfPair(fields_.band));
  polarity_.Check(FirstOfPair(fields_.polarity));
  type_.Check(FirstOfPair(fields_.type));

  auto* video = new QGroupBox(QStringLiteral("Video"));
  auto* videoForm = new QFormLayout(video);
  videoBand_ = AddChoice(*videoForm, "&Video Band :", "videoBand", kVideoBands, fields_.videoBand);
  threshold_ = AddLineEdit(*videoForm, "&Threshold", "threshold", fields_.threshold);
  contrast_ = AddLineEdit(*videoForm, "Contra&st", "contrast", fields_.contrast);
  decoderOutput_ = AddChoice(*videoForm, "Decoder O&utput", "decoderOutput", kDecoderOutputs, fields_.decoderOutput);

  auto* audio = new QGroupBox(QStringLiteral("Audio"));
  auto* audioForm = new QFormLayout(audio);
  audioMode_ = AddChoice(*audioForm, "Audio &Mode", "audioMode", kAudioModes, fields_.audioMode);
  audioLeft_ = AddLineEdit(*audioForm, "Audio Freq &LEFT[MHz]", "audioLeft", fields_.audioLeft);
  audioRight_ = AddLineEdit(*audioForm, "Audio Freq RI&GHT[MHz]", "audioRight", fields_.audioRight);
  bandWidth_ = AddChoice(*audioForm, "Band &Width[KHz]", "bandWidth", kBandWidths, fields_.bandWidth);
  dnr_.AddTo(*audioForm, "DN&R :");
  dnr_.Check(FirstOfPair(fields_.dnr));
  deEmphasis_ = AddChoice(*audioForm, "De-emp&hasis", "deEmphasis", kDeEmphases, fields_.deEmphasis);

  satellite_ = new SatelliteFields(model, reporter, fields_.satellite, true, this);

  connect(buttons_.ok, &QPushButton::clicked, this, [this] { CloseWith(AnalogEditAction::Ok); });
  connect(buttons_.remove, &QPushButton::clicked, this, [this] { CloseWith(AnalogEditAction::Delete); });
  connect(buttons_.insertNull, &QPushButton::clicked, this, [this] { CloseWith(AnalogEditAction::InsertNull); });

  LayOutDialog(
      *this, {channel, video}, {audio, satellite_}, buttons_.Row(),
      {name_,       frequency_,     band_.First(),   polarity_.First(),   type_.First(), videoBand_,     threshold_,
       contrast_,   decoderOutput_, audioMode_,      audioLeft_,          audioRight_,   bandWidth_,     dnr_.First(),
       deEmphasis_, satellite_,     buttons_.remove, buttons_.insertNull, buttons_.ok,   buttons_.cancel});
}

AnalogChannelDialog AnalogChannelEditDialog::Fields() const {
  AnalogChannelDialog fields = fields_;
  fields.name = ListText(name_->text());
  fields.frequency = ListText(frequency_->text());
  fields.band = PairOf<AnalogChannelDialog::Band>(band_.FirstChecked());
  fields.videoBand = videoBand_->currentIndex();
  fields.polarity = PairOf<AnalogChannelDialog::Polarity>(polarity_.FirstChecked());
  fields.threshold = ListText(threshold_->text());
  fields.contrast = ListText(contrast_->text());
  fields.decoderOutput = decoderOutput_->currentIndex();
  fields.audioMode = audioMode_->currentIndex();
  fields.audioLeft = ListText(audioLeft_->text());
  fields.audioRight = ListText(audioRight_->text());
  fields.bandWidth = bandWidth_->currentIndex();
  fields.dnr = PairOf<AnalogChannelDialog::Dnr>(dnr_.FirstChecked());
  fields.deEmphasis = deEmphasis_->currentIndex();
  fields.type = PairOf<AnalogChannelDialog::Type>(type_.FirstChecked());
  fields.satellite = satellite_->Choice();
  return fields;
}

void AnalogChannelEditDialog::keyPressEvent(QKeyEvent* event) {
  if (QPushButton* button = buttons_.ForKey(event->key())) {
    button->click();
  } else {
    QDialog::keyPressEvent(event);
  }
}

void AnalogChannelEditDialog::CloseWith(AnalogEditAction action) {
  action_ = action;
  accept();
}

}  // namespace chanora

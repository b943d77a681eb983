#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "editor/satellite_choice.h"

namespace chanora {

class ListViewModel;
class Reporter;

// The analog channel dialog's fields. A radio pair may have neither button
// selected when the record held a word outside the pair. The drop-down lists
// keep positions in the analog vocabularies of textformat/fields.h.
struct AnalogChannelDialog {
  enum class Band { Neither, C, KU };
  enum class Polarity { Neither, Horizontal, Vertical };
  enum class Dnr { Neither, Yes, No };
  enum class Type { Neither, TV, Radio };

  std::string title;
  bool isNew = false;  // a new channel has no Delete and no Insert Null

  std::string name;
  std::string frequency;
  Band band = Band::C;
  int videoBand = 0;
  Polarity polarity = Polarity::Horizontal;
  std::string threshold;
  std::string contrast;
  int decoderOutput = 0;
  int audioMode = 0;
  std::string audioLeft;
  std::string audioRight;
  int bandWidth = 0;
  Dnr dnr = Dnr::Yes;
  int deEmphasis = 0;
  Type type = Type::TV;
  SatelliteChoice satellite;
};

enum class AnalogEditAction { Ok, Delete, InsertNull };

// The dialog for row `row` of the analog channel view. Words outside their
// vocabulary are reported in column order; most of them refuse the edit
// (nothing), a signal band, DNR or type only leaves its pair unselected. A
// row out of range gives nothing without a message.
std::optional<AnalogChannelDialog> OpenAnalogChannelEdit(const ListViewModel& model, std::size_t row,
                                                         Reporter& reporter);

// The dialog for a new channel: empty texts, the first word of every list and
// the first satellite.
AnalogChannelDialog OpenNewAnalogChannel(const ListViewModel& model, Reporter& reporter);

// Ok, Delete or Insert Null on the edit dialog of row `row`, recorded for
// undo as "Setting channel". True when the list changed; an edit that is
// refused or changes nothing leaves no undo record.
bool ApplyAnalogChannelEdit(ListViewModel& model, std::size_t row, const AnalogChannelDialog& dialog,
                            AnalogEditAction action, Reporter& reporter);

// Ok on the new channel dialog, recorded for undo as "New Ana Channel": the
// channel is appended. True when it was added.
bool ApplyNewAnalogChannel(ListViewModel& model, const AnalogChannelDialog& dialog, Reporter& reporter);

}  // namespace chanora

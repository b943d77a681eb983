#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chanora {

class ListViewModel;
class Reporter;

inline constexpr std::string_view kAnalogEditTitle = "Analog Channel Setting...Adjust, New, Delete";
inline constexpr std::string_view kAnalogNewTitle = "Setting Analog Channel....New";

// The words of the drop-down lists, in the order shown; the dialog keeps the
// position in the list.
inline constexpr std::array<std::string_view, 2> kAnalogVideoBands = {"18MHz", "27MHz"};
inline constexpr std::array<std::string_view, 4> kAnalogDecoderOutputs = {"CVBS", "DEEMP_CVBS", "BASEBAND", "CANAL"};
inline constexpr std::array<std::string_view, 3> kAnalogAudioModes = {"STEREO", "MONO_LEFT", "MONO_RIGHT"};
inline constexpr std::array<std::string_view, 5> kAnalogBandWidths = {"130", "180", "280", "300", "400"};
inline constexpr std::array<std::string_view, 4> kAnalogDeEmphases = {"NO_DEEMP", "U50", "U75", "J17"};

// The analog channel dialog's fields. A radio pair may have neither button
// selected when the record held a word outside the pair.
struct AnalogChannelValues {
  enum class Band { Neither, C, KU };
  enum class Polarity { Neither, Horizontal, Vertical };
  enum class Dnr { Neither, Yes, No };
  enum class Type { Neither, TV, Radio };

  std::string title;
  bool isNew = false;  // a new channel has no Delete and no Insert Null

  std::string name;
  std::string frequency;
  Band band = Band::C;
  int videoBand = 0;  // positions in the vocabularies above
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

  // The satellite drop-down: the name of every SATELLITE record in list
  // order, and the position of the chosen one (none when the row's satellite
  // matches no record).
  std::vector<std::string> satelliteNames;
  std::optional<std::size_t> satellite;
  // Shown only, never written back.
  std::string lnbHigh;
  std::string lnbLow;
  std::string position;
  std::string degree;  // display form

  // The edited row as it was read: its Index, SAT index and type.
  std::string rowIndex;
  std::string rowSatIndex;
  std::string rowType;
};

enum class AnalogEditAction { Ok, Delete, InsertNull };

// The dialog for row `row` of the analog channel view. Words outside their
// vocabulary are reported in column order; most of them refuse the edit
// (nothing), a signal band, DNR or type only leaves its pair unselected.
// A row out of range gives nothing without a message.
std::optional<AnalogChannelValues> FillAnalogChannelEdit(const ListViewModel& model, std::size_t row,
                                                         Reporter& reporter);

// Another satellite chosen in the drop-down: its LNB values, position and
// degree are shown. A degree that does not convert leaves the four fields as
// they were.
void ChooseAnalogSatellite(const ListViewModel& model, AnalogChannelValues& values, std::size_t satellite,
                           Reporter& reporter);

// Ok, Delete or Insert Null of the edit dialog: 1 when the LineList changed,
// 0 when the edit was refused. The caller recorded "Setting channel" for undo
// and discards it on 0.
int ApplyAnalogChannelEdit(ListViewModel& model, const AnalogChannelValues& values, AnalogEditAction action,
                           Reporter& reporter);

// The dialog for a new channel: empty texts, the first word of every list and
// the first satellite.
AnalogChannelValues NewAnalogChannelDefaults(const ListViewModel& model, Reporter& reporter);

// Ok of the new channel dialog: records "New Ana Channel" for undo and
// appends the channel; 1 when it was added, else 0.
int ApplyNewAnalogChannel(ListViewModel& model, const AnalogChannelValues& values, Reporter& reporter);

}  // namespace chanora

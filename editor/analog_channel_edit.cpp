#include "editor/analog_channel_edit.h"

#include <algorithm>
#include <span>

#include "editor/cell_checks.h"
#include "editor/channel_records.h"
#include "editor/degree.h"
#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "base/reporter.h"
#include "base/text_conversion.h"

namespace chanora {
namespace {

constexpr std::size_t kStride = 18;
constexpr std::size_t kNameCell = 4;

constexpr const char* kDegreeError = "Degree format ERROR!!!";
constexpr const char* kNotFound = "Error : Can not find current analog channel";
constexpr const char* kNoSatellite = "Satellite not selected!";

std::optional<int> PositionOf(std::span<const std::string_view> words, std::string_view word) {
  auto it = std::find(words.begin(), words.end(), word);
  if (it == words.end()) return std::nullopt;
  return static_cast<int>(it - words.begin());
}

std::optional<std::string_view> WordAt(std::span<const std::string_view> words, int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= words.size()) return std::nullopt;
  return words[static_cast<std::size_t>(position)];
}

// The SAT index to save: that of the chosen satellite, else `fallback` (the
// row's own when editing); nothing when there is neither.
std::optional<std::string> ChosenSatIndex(const LineList& list, const SectionMap& sections,
                                          const AnalogChannelValues& values,
                                          const std::optional<std::string>& fallback, Reporter& reporter) {
  if (values.satellite) {
    if (*values.satellite < sections.RecordCount(SectionKind::Satellite)) {
      return list[sections.RecordStart(SectionKind::Satellite, *values.satellite)];
    }
  } else if (fallback) {
    return fallback;
  }
  reporter.Message(kNoSatellite);
  return std::nullopt;
}

// Record cells 2 to 17 from the dialog, after checking that each can be
// written; nothing (and the message shown) when one cannot. The name is only
// checked when it is to be written: a stored name stays as it is.
std::optional<std::vector<std::string>> TakenCells(const AnalogChannelValues& values, bool checkName,
                                                   Reporter& reporter) {
  const auto& widths = InfoOf(SectionKind::Analog).widths;
  auto width = [&](std::size_t cell) { return static_cast<std::size_t>(widths[cell]); };
  const std::string name = NormalizedText(values.name);
  auto problem = checkName ? NameCellProblem("Name", name) : std::nullopt;
  if (!problem) problem = FrequencyCellProblem("Frequency", values.frequency, false);
  if (!problem) problem = WordCellProblem("Threshold", values.threshold, width(7), false);
  if (!problem) problem = WordCellProblem("Contrast", values.contrast, width(8), false);
  if (!problem) problem = WordCellProblem("Audio Freq LEFT", values.audioLeft, width(11), false);
  if (!problem) problem = WordCellProblem("Audio Freq RIGHT", values.audioRight, width(12), false);
  const auto decoder = WordAt(kAnalogDecoderOutputs, values.decoderOutput);
  const auto audioMode = WordAt(kAnalogAudioModes, values.audioMode);
  const auto bandWidth = WordAt(kAnalogBandWidths, values.bandWidth);
  const auto deEmphasis = WordAt(kAnalogDeEmphases, values.deEmphasis);
  if (!problem && !decoder) problem = "Decoder Output not selected!";
  if (!problem && !audioMode) problem = "Audio Mode not selected!";
  if (!problem && !bandWidth) problem = "Band Width not selected!";
  if (!problem && !deEmphasis) problem = "De-emphasis not selected!";
  if (problem) {
    reporter.Message(*problem);
    return std::nullopt;
  }
  using V = AnalogChannelValues;
  return std::vector<std::string>{
      values.frequency,
      values.band == V::Band::C ? "C" : "KU",
      name,
      values.videoBand == 1 ? "27MHz" : "18MHz",
      values.polarity == V::Polarity::Horizontal ? "H" : "V",
      values.threshold,
      values.contrast,
      std::string(*decoder),
      std::string(*audioMode),
      values.audioLeft,
      values.audioRight,
      std::string(*bandWidth),
      values.dnr == V::Dnr::Yes ? "Y" : "N",
      std::string(*deEmphasis),
      values.type == V::Type::TV ? "TV" : "RADIO",
      "N",
  };
}

void Finish(ListViewModel& model) {
  model.RenumberAndRebuild();
  model.modified = true;
}

}  // namespace

std::optional<AnalogChannelValues> FillAnalogChannelEdit(const ListViewModel& model, std::size_t row,
                                                         Reporter& reporter) {
  const RowTable& table = model.rows.analog;
  if (row >= table.RowCount()) return std::nullopt;
  auto cell = [&](int column) { return std::string(table.Cell(model.list, row, column)); };
  using V = AnalogChannelValues;
  V values;
  values.title = kAnalogEditTitle;
  values.rowIndex = cell(0);
  values.rowSatIndex = cell(1);
  values.rowType = cell(16);
  values.frequency = cell(2);
  values.name = cell(4);
  values.threshold = cell(7);
  values.contrast = cell(8);
  values.audioLeft = cell(11);
  values.audioRight = cell(12);

  // Checked in column order: a word the dialog cannot show either refuses
  // the edit or only leaves its radio pair unselected.
  const std::string band = cell(3);
  values.band = band == "C" ? V::Band::C : band == "KU" ? V::Band::KU : V::Band::Neither;
  if (values.band == V::Band::Neither) reporter.Message("Signal Band Must Be 'C' or 'Ku' Band");
  auto listPosition = [&](std::span<const std::string_view> words, int column, const char* message, int& position) {
    const auto found = PositionOf(words, cell(column));
    if (!found) {
      reporter.Message(message);
      return false;
    }
    position = *found;
    return true;
  };
  if (!listPosition(kAnalogVideoBands, 5, "Video Band must be '18MHz' or '27MHz' ", values.videoBand)) {
    return std::nullopt;
  }
  const std::string polarity = cell(6);
  if (polarity != "H" && polarity != "V") {
    reporter.Message("Polarization type must be 'H'(horizontal) or 'V'(vertical) ");
    return std::nullopt;
  }
  values.polarity = polarity == "H" ? V::Polarity::Horizontal : V::Polarity::Vertical;
  if (!listPosition(kAnalogDecoderOutputs, 9,
                    "Output Decoder type must be 'CVBS' or 'DEEMP_CVBS' or 'BASEBAND' or 'CANAL' ",
                    values.decoderOutput) ||
      !listPosition(kAnalogAudioModes, 10, "Audio Mode type must be 'STEREO' or 'MONO_LEFT' or 'MONO_RIGHT' ",
                    values.audioMode) ||
      !listPosition(kAnalogBandWidths, 13, "Band Width type must be '130' or '180' or '280' or '300' or '400' ",
                    values.bandWidth)) {
    return std::nullopt;
  }
  const std::string dnr = cell(14);
  values.dnr = dnr == "Y" ? V::Dnr::Yes : dnr == "N" ? V::Dnr::No : V::Dnr::Neither;
  if (values.dnr == V::Dnr::Neither) reporter.Message("Panda Must Be 'Y'(Yes) or 'N'(No) ");
  if (!listPosition(kAnalogDeEmphases, 15, "De-empasis type must be 'NO_DEEMP' or 'U50' or 'U75' or 'J17' ",
                    values.deEmphasis)) {
    return std::nullopt;
  }
  values.type = values.rowType == "TV" ? V::Type::TV : values.rowType == "RADIO" ? V::Type::Radio : V::Type::Neither;
  if (values.type == V::Type::Neither) reporter.Message("TV/Radio Type Must Be 'TV' or 'Radio' ");

  const SectionMap sections(model.list);
  values.satelliteNames = SatelliteNames(model.list, sections);
  values.satellite = SatelliteOfIndex(model.list, sections, values.rowSatIndex);
  values.lnbHigh = cell(19);
  values.lnbLow = cell(20);
  values.position = cell(21);
  // A channel whose satellite is missing has no degree to show, and can
  // still be edited.
  if (values.satellite && !ConvertDegree(cell(22), values.degree, true, reporter)) {
    reporter.Message(kDegreeError);
    return std::nullopt;
  }
  return values;
}

void ChooseAnalogSatellite(const ListViewModel& model, AnalogChannelValues& values, std::size_t satellite,
                           Reporter& reporter) {
  const SectionMap sections(model.list);
  if (satellite >= sections.RecordCount(SectionKind::Satellite)) return;
  values.satellite = satellite;
  const std::size_t start = sections.RecordStart(SectionKind::Satellite, satellite);
  std::string degree;
  if (!ConvertDegree(model.list[start + 6], degree, true, reporter)) {
    reporter.Message(kDegreeError);
    return;
  }
  values.lnbHigh = model.list[start + 3];
  values.lnbLow = model.list[start + 4];
  values.position = model.list[start + 5];
  values.degree = degree;
}

int ApplyAnalogChannelEdit(ListViewModel& model, const AnalogChannelValues& values, AnalogEditAction action,
                           Reporter& reporter) {
  LineList& list = model.list;
  const SectionMap sections(list);
  if (action == AnalogEditAction::InsertNull) {
    const auto record = FindRecordByIndex(list, sections, SectionKind::Analog, values.rowIndex);
    if (!record) {
      reporter.Message(kNotFound);
      return 0;
    }
    const auto null = NullRecord(SectionKind::Analog, {}, values.rowSatIndex, values.rowType);
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(*record + kStride), null.begin(), null.end());
    Finish(model);
    return 1;
  }

  // The degree is only checked, never stored; without a satellite there is
  // none to check.
  std::string storedDegree;
  if (values.satellite && !ConvertDegree(values.degree, storedDegree, false, reporter)) {
    reporter.Message(kDegreeError);
    return 0;
  }
  const auto satIndex = ChosenSatIndex(list, sections, values, values.rowSatIndex, reporter);
  if (!satIndex) return 0;
  const auto record = FindRecordByIndex(list, sections, SectionKind::Analog, values.rowIndex);
  if (!record) {
    reporter.Message(kNotFound);
    return 0;
  }
  const auto at = [&](std::size_t cell) { return list.begin() + static_cast<std::ptrdiff_t>(*record + cell); };
  const std::string newName = NormalizedText(values.name);

  if (NormalizedText(list[*record + kNameCell]) == newName) {
    if (action == AnalogEditAction::Delete) {
      if (reporter.Ask("Really Wnat to Delete this channel", "Delete", Buttons::YesNo) != Answer::Yes) return 0;
      list.erase(at(0), at(kStride));
      Finish(model);
      return 1;
    }
    auto cells = TakenCells(values, false, reporter);
    if (!cells) return 0;
    // The stored name keeps its letter case.
    (*cells)[kNameCell - 2] = list[*record + kNameCell];
    list[*record + 1] = *satIndex;
    std::copy(cells->begin(), cells->end(), at(2));
    Finish(model);
    return 1;
  }

  // Another name makes another channel; the edited one stays.
  for (std::size_t k = 0; k < sections.RecordCount(SectionKind::Analog); ++k) {
    if (NormalizedText(list[sections.RecordStart(SectionKind::Analog, k) + kNameCell]) == newName) {
      reporter.Message(FormatText("Same analog channel Name exist!!!\r\nName is \"%s \" ", newName.c_str()));
      return 0;
    }
  }
  if (action == AnalogEditAction::Delete) {
    reporter.Message("Not Exist matched channel");
    return 0;
  }
  auto cells = TakenCells(values, true, reporter);
  if (!cells) return 0;
  cells->insert(cells->begin(), {std::to_string(LargestIndex(list, sections, {SectionKind::Analog}) + 1), *satIndex});
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(sections.Span(SectionKind::Analog)->end), cells->begin(), cells->end());
  Finish(model);
  return 1;
}

AnalogChannelValues NewAnalogChannelDefaults(const ListViewModel& model, Reporter& reporter) {
  AnalogChannelValues values;
  values.title = kAnalogNewTitle;
  values.isNew = true;
  const SectionMap sections(model.list);
  values.satelliteNames = SatelliteNames(model.list, sections);
  if (!values.satelliteNames.empty()) ChooseAnalogSatellite(model, values, 0, reporter);
  return values;
}

int ApplyNewAnalogChannel(ListViewModel& model, const AnalogChannelValues& values, Reporter& reporter) {
  model.RecordUndo("New Ana Channel");
  if (TrimBlanks(values.frequency).empty()) {
    reporter.Message("Frequency not filled!");
    return 0;
  }
  LineList& list = model.list;
  const SectionMap sections(list);
  // Refused below without a change: the undo record goes again.
  const auto analog = sections.Span(SectionKind::Analog);
  if (!analog) {
    const bool hasStart = std::find(list.begin(), list.end(), StartMarker(SectionKind::Analog)) != list.end();
    reporter.Message(
        FormatText("Can't find \" %s \" ", (hasStart ? EndMarker(SectionKind::Analog) : StartMarker(SectionKind::Analog)).c_str()));
    model.DiscardNewestUndo();
    return 0;
  }
  const auto satIndex = ChosenSatIndex(list, sections, values, std::nullopt, reporter);
  auto cells = satIndex ? TakenCells(values, true, reporter) : std::nullopt;
  if (!cells) {
    model.DiscardNewestUndo();
    return 0;
  }
  cells->insert(cells->begin(), {"1", *satIndex});
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(analog->end), cells->begin(), cells->end());
  Finish(model);
  return 1;
}

}  // namespace chanora

#include "editor/analog_channel_edit.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

#include "base/reporter.h"
#include "base/text_conversion.h"
#include "editor/cell_checks.h"
#include "editor/channel_records.h"
#include "editor/list_change.h"
#include "editor/list_view_model.h"
#include "textformat/fields.h"

namespace chanora {
namespace {

using Dialog = AnalogChannelDialog;

constexpr const char* kEditTitle = "Analog Channel Setting...Adjust, New, Delete";
constexpr const char* kNewTitle = "Setting Analog Channel....New";
constexpr const char* kNotFound = "Error : Can not find current analog channel";

// The dialog's values stand in for record cells from the frequency on.
constexpr std::size_t kFirstDialogCell = analog_field::kFrequency;

std::optional<int> PositionOf(std::span<const std::string_view> words, std::string_view word) {
  auto it = std::find(words.begin(), words.end(), word);
  if (it == words.end()) return std::nullopt;
  return static_cast<int>(it - words.begin());
}

std::optional<std::string> WordAt(std::span<const std::string_view> words, int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= words.size()) return std::nullopt;
  return std::string(words[static_cast<std::size_t>(position)]);
}

// Record cells from the frequency to the blank, from the dialog, after
// checking that each can be written; nothing (and the message shown) when
// one cannot. The name is only checked when it is to be written: a stored
// name stays as it is.
std::optional<std::vector<std::string>> TakenCells(const Dialog& dialog, bool checkName, Reporter& reporter) {
  const auto& widths = InfoOf(SectionKind::Analog).widths;
  auto width = [&](std::size_t field) { return static_cast<std::size_t>(widths[field]); };
  const std::string name = NormalizedText(dialog.name);
  auto problem = checkName ? NameCellProblem("Name", name) : std::nullopt;
  if (!problem) problem = FrequencyCellProblem("Frequency", dialog.frequency, false);
  if (!problem) problem = WordCellProblem("Threshold", dialog.threshold, width(analog_field::kThreshold), false);
  if (!problem) problem = WordCellProblem("Contrast", dialog.contrast, width(analog_field::kContrast), false);
  if (!problem) problem = WordCellProblem("Audio Freq LEFT", dialog.audioLeft, width(analog_field::kAudioLeft), false);
  if (!problem) {
    problem = WordCellProblem("Audio Freq RIGHT", dialog.audioRight, width(analog_field::kAudioRight), false);
  }
  const auto decoder = WordAt(kDecoderOutputs, dialog.decoderOutput);
  const auto audioMode = WordAt(kAudioModes, dialog.audioMode);
  const auto bandWidth = WordAt(kBandWidths, dialog.bandWidth);
  const auto deEmphasis = WordAt(kDeEmphases, dialog.deEmphasis);
  if (!problem && !decoder) problem = "Decoder Output not selected!";
  if (!problem && !audioMode) problem = "Audio Mode not selected!";
  if (!problem && !bandWidth) problem = "Band Width not selected!";
  if (!problem && !deEmphasis) problem = "De-emphasis not selected!";
  if (problem) {
    reporter.Message(*problem);
    return std::nullopt;
  }
  // Neither button of a pair saves the second word.
  return std::vector<std::string>{
      dialog.frequency,
      std::string(kSignalBands[dialog.band == Dialog::Band::C ? 0 : 1]),
      name,
      std::string(kVideoBands[dialog.videoBand == 1 ? 1 : 0]),
      dialog.polarity == Dialog::Polarity::Horizontal ? "H" : "V",
      dialog.threshold,
      dialog.contrast,
      *decoder,
      *audioMode,
      dialog.audioLeft,
      dialog.audioRight,
      *bandWidth,
      dialog.dnr == Dialog::Dnr::Yes ? "Y" : "N",
      *deEmphasis,
      std::string(kServiceTypes[dialog.type == Dialog::Type::TV ? 0 : 1]),
      "N",
  };
}

// Reads a drop-down word of the row: its position, or the message and
// nothing when it is not in the list.
bool ListPosition(std::span<const std::string_view> words, std::string_view word, const char* message, int& position,
                  Reporter& reporter) {
  const auto found = PositionOf(words, word);
  if (!found) {
    reporter.Message(message);
    return false;
  }
  position = *found;
  return true;
}

bool InsertNullAfter(ListViewModel& model, std::size_t record) {
  const std::vector<std::string> null = NullRecordLike(model.List(), SectionKind::Analog, record);
  ListChange change(model, "Setting channel");
  LineList& list = change.List();
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(record + null.size()), null.begin(), null.end());
  change.Commit();
  return true;
}

bool DeleteRecord(ListViewModel& model, std::size_t record, Reporter& reporter) {
  if (reporter.Ask("Really Wnat to Delete this channel", "Delete", Buttons::YesNo) != Answer::Yes) return false;
  const auto first = static_cast<std::ptrdiff_t>(record);
  const auto stride = static_cast<std::ptrdiff_t>(InfoOf(SectionKind::Analog).fieldCount);
  ListChange change(model, "Setting channel");
  LineList& list = change.List();
  list.erase(list.begin() + first, list.begin() + first + stride);
  change.Commit();
  return true;
}

// Ok on the channel's own name: the record is written in place, its stored
// name kept in its letter case.
bool WriteInPlace(ListViewModel& model, std::size_t record, const Dialog& dialog, const std::string& satIndex,
                  Reporter& reporter) {
  auto cells = TakenCells(dialog, false, reporter);
  if (!cells) return false;
  const LineList& list = model.List();
  (*cells)[analog_field::kName - kFirstDialogCell] = list[record + analog_field::kName];
  cells->insert(cells->begin(), satIndex);
  const auto written = list.begin() + static_cast<std::ptrdiff_t>(record + analog_field::kSatIndex);
  if (std::equal(cells->begin(), cells->end(), written)) return false;  // nothing to change
  ListChange change(model, "Setting channel");
  std::copy(cells->begin(), cells->end(), change.List().begin() + (written - list.begin()));
  change.Commit();
  return true;
}

// Appends a channel as the last of the section, with the given Index.
bool Append(ListViewModel& model, std::string index, const std::string& satIndex, const Dialog& dialog,
            const std::string& undoName, Reporter& reporter) {
  auto cells = TakenCells(dialog, true, reporter);
  if (!cells) return false;
  cells->insert(cells->begin(), {std::move(index), satIndex});
  const std::size_t end = model.Sections().Span(SectionKind::Analog)->end;
  ListChange change(model, undoName);
  LineList& list = change.List();
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(end), cells->begin(), cells->end());
  change.Commit();
  return true;
}

}  // namespace

std::optional<AnalogChannelDialog> OpenAnalogChannelEdit(const ListViewModel& model, std::size_t row,
                                                         Reporter& reporter) {
  const RowTable& table = model.Rows().analog;
  if (row >= table.RowCount()) return std::nullopt;
  auto cell = [&](std::size_t column) { return std::string(table.Cell(model.List(), row, column)); };
  Dialog dialog;
  dialog.title = kEditTitle;
  dialog.frequency = cell(analog_field::kFrequency);
  dialog.name = cell(analog_field::kName);
  dialog.threshold = cell(analog_field::kThreshold);
  dialog.contrast = cell(analog_field::kContrast);
  dialog.audioLeft = cell(analog_field::kAudioLeft);
  dialog.audioRight = cell(analog_field::kAudioRight);

  // Checked in column order: a word the dialog cannot show either refuses
  // the edit or only leaves its radio pair unselected.
  const std::string band = cell(analog_field::kSignalBand);
  dialog.band = band == kSignalBands[0]   ? Dialog::Band::C
                : band == kSignalBands[1] ? Dialog::Band::KU
                                          : Dialog::Band::Neither;
  if (dialog.band == Dialog::Band::Neither) reporter.Message("Signal Band Must Be 'C' or 'Ku' Band");
  if (!ListPosition(kVideoBands, cell(analog_field::kVideoBand), "Video Band must be '18MHz' or '27MHz' ",
                    dialog.videoBand, reporter)) {
    return std::nullopt;
  }
  const std::string polarity = cell(analog_field::kPolarization);
  if (polarity != "H" && polarity != "V") {
    reporter.Message("Polarization type must be 'H'(horizontal) or 'V'(vertical) ");
    return std::nullopt;
  }
  dialog.polarity = polarity == "H" ? Dialog::Polarity::Horizontal : Dialog::Polarity::Vertical;
  if (!ListPosition(kDecoderOutputs, cell(analog_field::kDecoderOutput),
                    "Output Decoder type must be 'CVBS' or 'DEEMP_CVBS' or 'BASEBAND' or 'CANAL' ",
                    dialog.decoderOutput, reporter) ||
      !ListPosition(kAudioModes, cell(analog_field::kAudioMode),
                    "Audio Mode type must be 'STEREO' or 'MONO_LEFT' or 'MONO_RIGHT' ", dialog.audioMode, reporter) ||
      !ListPosition(kBandWidths, cell(analog_field::kBandWidth),
                    "Band Width type must be '130' or '180' or '280' or '300' or '400' ", dialog.bandWidth, reporter)) {
    return std::nullopt;
  }
  const std::string dnr = cell(analog_field::kDnr);
  dialog.dnr = dnr == "Y" ? Dialog::Dnr::Yes : dnr == "N" ? Dialog::Dnr::No : Dialog::Dnr::Neither;
  if (dialog.dnr == Dialog::Dnr::Neither) reporter.Message("Panda Must Be 'Y'(Yes) or 'N'(No) ");
  if (!ListPosition(kDeEmphases, cell(analog_field::kDeEmphasis),
                    "De-empasis type must be 'NO_DEEMP' or 'U50' or 'U75' or 'J17' ", dialog.deEmphasis, reporter)) {
    return std::nullopt;
  }
  const std::string type = cell(analog_field::kType);
  dialog.type = type == kServiceTypes[0]   ? Dialog::Type::TV
                : type == kServiceTypes[1] ? Dialog::Type::Radio
                                           : Dialog::Type::Neither;
  if (dialog.type == Dialog::Type::Neither) reporter.Message("TV/Radio Type Must Be 'TV' or 'Radio' ");

  auto satellite = ChannelSatellite(model, cell(analog_field::kSatIndex), cell(analog_row::kDegree), reporter);
  if (!satellite) return std::nullopt;
  dialog.satellite = std::move(*satellite);
  return dialog;
}

AnalogChannelDialog OpenNewAnalogChannel(const ListViewModel& model, Reporter& reporter) {
  Dialog dialog;
  dialog.title = kNewTitle;
  dialog.isNew = true;
  dialog.satellite = FirstSatellite(model, reporter);
  return dialog;
}

bool ApplyAnalogChannelEdit(ListViewModel& model, std::size_t row, const AnalogChannelDialog& dialog,
                            AnalogEditAction action, Reporter& reporter) {
  const RowTable& rows = model.Rows().analog;
  if (row >= rows.RowCount()) return false;
  const LineList& list = model.List();
  const SectionMap& sections = model.Sections();
  const auto record =
      FindRecordByIndex(list, sections, SectionKind::Analog, rows.Cell(list, row, analog_field::kIndex));
  if (action == AnalogEditAction::InsertNull) {
    if (!record) reporter.Message(kNotFound);
    return record && InsertNullAfter(model, *record);
  }

  if (!DegreeAccepted(dialog.satellite, reporter)) return false;
  const std::string rowSatIndex(rows.Cell(list, row, analog_field::kSatIndex));
  const auto satIndex = SatIndexToSave(model, dialog.satellite, rowSatIndex, reporter);
  if (!satIndex) return false;
  if (!record) {
    reporter.Message(kNotFound);
    return false;
  }
  const std::string newName = NormalizedText(dialog.name);
  if (NormalizedText(list[*record + analog_field::kName]) == newName) {
    if (action == AnalogEditAction::Delete) return DeleteRecord(model, *record, reporter);
    return WriteInPlace(model, *record, dialog, *satIndex, reporter);
  }

  // Another name makes another channel; the edited one stays. The stored
  // names are compared in upper case as they stand, blanks and all.
  for (std::size_t k = 0; k < sections.RecordCount(SectionKind::Analog); ++k) {
    if (UpperCase(list[sections.RecordStart(SectionKind::Analog, k) + analog_field::kName]) == newName) {
      reporter.Message(FormatText("Same analog channel Name exist!!!\r\nName is \"%s \" ", newName.c_str()));
      return false;
    }
  }
  if (action == AnalogEditAction::Delete) {
    reporter.Message("Not Exist matched channel");
    return false;
  }
  const std::string index = std::to_string(LargestIndex(list, sections, {SectionKind::Analog}) + 1);
  return Append(model, index, *satIndex, dialog, "Setting channel", reporter);
}

bool ApplyNewAnalogChannel(ListViewModel& model, const AnalogChannelDialog& dialog, Reporter& reporter) {
  if (TrimBlanks(dialog.frequency).empty()) {
    reporter.Message("Frequency not filled!");
    return false;
  }
  if (auto missing = model.Sections().MissingMarkerMessage(SectionKind::Analog)) {
    reporter.Message(*missing);
    return false;
  }
  const auto satIndex = SatIndexToSave(model, dialog.satellite, std::nullopt, reporter);
  return satIndex && Append(model, "1", *satIndex, dialog, "New Ana Channel", reporter);
}

}  // namespace chanora

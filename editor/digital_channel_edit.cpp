#include "editor/digital_channel_edit.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
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

constexpr const char* kEditTitle = "Digital Channel Setting...Adjust, New, Delete";
constexpr const char* kNewTitle = "Setting Digital Channel....New";
constexpr const char* kZeroServiceId = "CANCELED : SvcId nust not be zero!!!";
constexpr const char* kKindError = "ERROR:When PID Value is filled, SvcID must not fill!!";
constexpr const char* kNoCurrentTp = "Error on current TP index";
constexpr const char* kSameServiceId =
    "ERROR : Channel Having Same SvcId,Tp Value EXIST!\r\nTo Edit,Change SvcId or TP Value!!";
constexpr const char* kSameIndexTwice =
    "ERROR:Digital channel and Digital PID channel have a same svc index.\r\n It must be defferenet!!";
constexpr const char* kNoFreeTpIndex = "No Digital TP index left (0 to 4999)!!!";

constexpr std::size_t kActiveAudioWidth = 6;
constexpr std::size_t kPidWidth = 8;
constexpr long long kMaxTpIndex = 4999;
// Frequencies and symbol rates this close are taken for the same TP.
constexpr long long kNearDistance = 5;

std::string Trimmed(std::string_view text) { return std::string(TrimBlanks(text)); }

const char* NotFoundMessage(SectionKind kind) {
  return kind == SectionKind::Channel ? "Error: Can't finde Current Channel" : "Error: Can't finde Current channel_pid";
}

// Shows the first problem, if any; true when there was none.
bool Writable(std::optional<std::string> problem, Reporter& reporter) {
  if (problem) reporter.Message(*problem);
  return !problem;
}

// The service id, channel kind and cells the dialog's fields make.
struct ChannelFields {
  std::string serviceId;
  std::array<std::string, 3> pids;
  std::string activeAudio;

  bool HasPid() const {
    return std::any_of(pids.begin(), pids.end(), [](const std::string& pid) { return !pid.empty(); });
  }
  SectionKind Kind() const { return HasPid() ? SectionKind::ChannelPid : SectionKind::Channel; }
};

ChannelFields FieldsOf(const DigitalChannelDialog& dialog) {
  return {Trimmed(dialog.serviceId),
          {Trimmed(dialog.videoPid), Trimmed(dialog.audioPid), Trimmed(dialog.pcrPid)},
          Trimmed(dialog.activeAudio)};
}

// A filled service id must be hexadecimal and not 0: a channel with id 0 is
// dropped when the list is read again.
bool ServiceIdAccepted(const ChannelFields& fields, Reporter& reporter) {
  if (fields.serviceId.empty()) return true;
  if (!Writable(HexCellProblem("SvcId", fields.serviceId), reporter)) return false;
  if (ParseHexToken(fields.serviceId) == 0u) {
    reporter.Message(kZeroServiceId);
    return false;
  }
  return true;
}

// The cells of the channel record itself, checked before anything is written.
bool ChannelCellsWritable(const DigitalChannelDialog& dialog, const ChannelFields& fields, Reporter& reporter) {
  auto problem = NameCellProblem("Name", dialog.name);
  if (!problem) problem = NumberCellProblem("Active Audio", fields.activeAudio, kActiveAudioWidth);
  if (fields.Kind() == SectionKind::ChannelPid) {
    constexpr std::array<const char*, 3> kPidLabels = {"Video PID", "Audio PID", "PCR PID"};
    for (std::size_t k = 0; k < kPidLabels.size() && !problem; ++k) {
      problem = NumberCellProblem(kPidLabels[k], fields.pids[k], kPidWidth);
    }
  }
  return Writable(std::move(problem), reporter);
}

bool BouquetWritable(const std::string& bouquet, Reporter& reporter) {
  return Writable(NameCellProblem("Bouquet", bouquet), reporter);
}

// The TP values as typed, with the chosen satellite.
struct TpValues {
  std::string frequency;
  std::string symbolRate;
  std::string polarization;
  std::string bouquet;
  std::string satIndex;
};

TpValues TpValuesOf(const DigitalChannelDialog& dialog, std::string satIndex) {
  return {Trimmed(dialog.frequency), Trimmed(dialog.symbolRate), dialog.horizontal ? "H" : "V", Trimmed(dialog.bouquet),
          std::move(satIndex)};
}

bool SameTp(const LineList& list, std::size_t tp, const TpValues& values) {
  return list[tp + digital_tp_field::kFrequency] == values.frequency &&
         list[tp + digital_tp_field::kSymbolRate] == values.symbolRate &&
         list[tp + digital_tp_field::kPolarization] == values.polarization;
}

bool Near(std::string_view a, std::string_view b) {
  const long long difference = static_cast<long long>(DecimalTextToInt(a)) - DecimalTextToInt(b);
  return difference < kNearDistance && difference > -kNearDistance;
}

bool NearTp(const LineList& list, std::size_t tp, const TpValues& values) {
  return Near(list[tp + digital_tp_field::kFrequency], values.frequency) &&
         Near(list[tp + digital_tp_field::kSymbolRate], values.symbolRate) &&
         list[tp + digital_tp_field::kPolarization] == values.polarization;
}

std::string ReplaceQuestion(const LineList& list, std::size_t tp) {
  return "Most alike TP exist, Replace with founded TP?" + std::string("\r\n\r\nfounded TP's information:") +
         FormatText("\r\nFreguency   : %s", list[tp + digital_tp_field::kFrequency].c_str()) +
         FormatText("\r\nSymbol Rate : %s", list[tp + digital_tp_field::kSymbolRate].c_str()) +
         "\r\nPolarization :" + (list[tp + digital_tp_field::kPolarization] == "H" ? "Horizontal" : "Vertical") +
         "\r\n" + "\r\nYES\t\t=> REPLACE with founded TP" + "\r\nNO\t\t=> Make NEW TP" + "\r\nCANCEL\t=> Cancel";
}

// Which DIGITAL TP record the channel ends up on.
struct TpChoice {
  enum class Kind { Keep, Existing, New, Refused };
  Kind kind = Kind::Refused;
  std::size_t start = 0;  // Keep, Existing: the TP record
  std::string index;      // Existing, New: the TP's Index
};

// Decides the TP, asking about a near one; writes nothing. `current` is the
// channel's TP when it keeps its satellite; a new channel has none.
TpChoice ChooseTp(const ListViewModel& model, std::optional<std::size_t> current, bool satelliteChanged,
                  const TpValues& values, Reporter& reporter) {
  const LineList& list = model.List();
  const SectionMap& sections = model.Sections();
  if (current && !satelliteChanged && (SameTp(list, *current, values) || NearTp(list, *current, values))) {
    return {TpChoice::Kind::Keep, *current, {}};
  }
  auto firstOther = [&](auto matches) -> std::optional<std::size_t> {
    for (std::size_t record = 0; record < sections.RecordCount(SectionKind::Digital); ++record) {
      const std::size_t tp = sections.RecordStart(SectionKind::Digital, record);
      if (tp != current && list[tp + digital_tp_field::kSatIndex] == values.satIndex && matches(tp)) return tp;
    }
    return std::nullopt;
  };
  if (auto exact = firstOther([&](std::size_t tp) { return SameTp(list, tp, values); })) {
    return {TpChoice::Kind::Existing, *exact, list[*exact]};
  }
  // From here the user's values may become a new TP: they must be writable
  // before the user is asked anything.
  auto problem = FrequencyCellProblem("Frequency", values.frequency, false);
  if (!problem) problem = FrequencyCellProblem("Symbol Rate", values.symbolRate, false);
  if (!Writable(std::move(problem), reporter) || !BouquetWritable(values.bouquet, reporter)) return {};
  const long long newIndex = LargestIndex(list, sections, {SectionKind::Digital}) + 1;
  if (auto near = firstOther([&](std::size_t tp) { return NearTp(list, tp, values); })) {
    switch (reporter.Ask(ReplaceQuestion(list, *near), "REPLACE", Buttons::YesNoCancel)) {
      case Answer::Yes:
        return {TpChoice::Kind::Existing, *near, list[*near]};
      case Answer::Cancel:
        return {};
      case Answer::No:
        break;
    }
  }
  if (newIndex > kMaxTpIndex) {
    reporter.Message(kNoFreeTpIndex);
    return {};
  }
  return {TpChoice::Kind::New, 0, std::to_string(newIndex)};
}

// The cells of the channel record after its Index.
std::vector<std::string> ChannelCells(const DigitalChannelDialog& dialog, const ChannelFields& fields,
                                      const std::string& tpIndex, const std::string& satIndex) {
  const std::string type = dialog.tv ? "TV" : "RADIO";
  if (fields.Kind() == SectionKind::Channel) {
    return {tpIndex, satIndex, fields.serviceId, type, dialog.name, fields.activeAudio, "N"};
  }
  return {tpIndex,        satIndex,           type, dialog.name, fields.pids[0], fields.pids[1],
          fields.pids[2], fields.activeAudio, "N"};
}

// Another channel on the target TP (TP indexes compared as numbers, so 07 is
// 7) that has the same service id.
bool ServiceIdTakenOnTp(const ListViewModel& model, std::size_t edited, const std::string& tpIndex,
                        const std::string& serviceId) {
  const LineList& list = model.List();
  const SectionMap& sections = model.Sections();
  const int tp = DecimalTextToInt(tpIndex);
  const std::optional<unsigned> id = ParseHexToken(serviceId);
  for (std::size_t record = 0; record < sections.RecordCount(SectionKind::Channel); ++record) {
    const std::size_t start = sections.RecordStart(SectionKind::Channel, record);
    if (start == edited || DecimalTextToInt(list[start + channel_field::kTpIndex]) != tp) continue;
    // By value: 00A1 and A1 are the same service.
    const std::optional<unsigned> other = ParseHexToken(TrimBlanks(list[start + channel_field::kServiceId]));
    if (other && other == id && *id != 0) return true;
  }
  return false;
}

void InsertCells(LineList& list, std::size_t at, const std::vector<std::string>& cells) {
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), cells.begin(), cells.end());
}

// Appends the new TP to the DIGITAL section, whose end is `end`; gives where
// the cell at `position` stands afterwards.
std::size_t InsertNewTp(LineList& list, std::size_t end, const TpChoice& tp, const TpValues& values,
                        std::size_t position) {
  InsertCells(list, end,
              {tp.index, values.satIndex, values.frequency, values.symbolRate, values.polarization, values.bouquet});
  return position >= end ? position + static_cast<std::size_t>(InfoOf(SectionKind::Digital).fieldCount) : position;
}

bool DeleteOrInsertNull(ListViewModel& model, std::size_t row, const DigitalChannelDialog& dialog,
                        DigitalEditAction action, Reporter& reporter) {
  const LineList& list = model.List();
  const RowTable& rows = model.Rows().digital;
  const std::string index(rows.Cell(list, row, digital_row::kIndex));
  const std::optional<std::size_t> channel = FindRecordByIndex(list, model.Sections(), SectionKind::Channel, index);
  const std::optional<std::size_t> pid = FindRecordByIndex(list, model.Sections(), SectionKind::ChannelPid, index);
  if (channel && pid) {
    reporter.Message(kSameIndexTwice);
    return false;
  }
  if (!channel && !pid) {
    reporter.Message(NotFoundMessage(model.RowSection(row, true)));
    return false;
  }
  const SectionKind kind = channel ? SectionKind::Channel : SectionKind::ChannelPid;
  const std::size_t start = channel ? *channel : *pid;
  const std::size_t stride = static_cast<std::size_t>(InfoOf(kind).fieldCount);
  if (action == DigitalEditAction::InsertNull) {
    const std::vector<std::string> null = NullRecordLike(list, kind, start);
    ListChange change(model, "Setting channel");
    InsertCells(change.List(), start + stride, null);
    change.Commit();
    return true;
  }
  const std::string rowName = NormalizedText(rows.Cell(list, row, digital_row::kName));
  if (NormalizedText(dialog.name) != rowName) {
    reporter.Message("Delete Current Channel is canceled");
    return false;
  }
  if (reporter.Ask("Really Wnat to Delete this channel\r\n Channel Name :   " + rowName, "Delete", Buttons::YesNo) !=
      Answer::Yes) {
    return false;
  }
  ListChange change(model, "Setting channel");
  LineList& changed = change.List();
  changed.erase(changed.begin() + static_cast<std::ptrdiff_t>(start),
                changed.begin() + static_cast<std::ptrdiff_t>(start + stride));
  change.Commit();
  return true;
}

bool SaveEdit(ListViewModel& model, std::size_t row, const DigitalChannelDialog& dialog, Reporter& reporter) {
  const LineList& list = model.List();
  const SectionMap& sections = model.Sections();
  const RowTable& rows = model.Rows().digital;
  auto rowCell = [&](std::size_t column) { return std::string(rows.Cell(list, row, column)); };
  const ChannelFields fields = FieldsOf(dialog);
  if (!ServiceIdAccepted(fields, reporter)) return false;
  if (fields.serviceId.empty() == !fields.HasPid()) {
    reporter.Message(kKindError);
    return false;
  }
  if (!DegreeAccepted(dialog.satellite, reporter) || !ChannelCellsWritable(dialog, fields, reporter)) return false;

  const std::string rowSat = rowCell(digital_row::kSatIndex);
  const std::optional<std::string> satIndex = SatIndexToSave(model, dialog.satellite, rowSat, reporter);
  if (!satIndex) return false;
  const TpValues values = TpValuesOf(dialog, *satIndex);
  const std::optional<std::size_t> current =
      FindRecordByIndex(list, sections, SectionKind::Digital, rowCell(digital_row::kTpIndex));
  if (!current) {
    reporter.Message(kNoCurrentTp);
    return false;
  }
  const TpChoice tp = ChooseTp(model, current, *satIndex != rowSat, values, reporter);
  if (tp.kind == TpChoice::Kind::Refused) return false;
  const bool bouquetChanged = tp.kind == TpChoice::Kind::Keep &&
                              NormalizedText(values.bouquet) != NormalizedText(rowCell(digital_row::kBouquet));
  if (bouquetChanged && !BouquetWritable(values.bouquet, reporter)) return false;

  const SectionKind kind = fields.Kind();
  const std::optional<std::size_t> record = FindRecordByIndex(list, sections, kind, rowCell(digital_row::kIndex));
  if (!record) {
    reporter.Message(NotFoundMessage(kind));
    return false;
  }
  // The TP the channel ends up on; a new TP can only clash with channels that
  // already name its number.
  const std::string tpIndex = tp.kind == TpChoice::Kind::Keep ? list[*record + channel_field::kTpIndex] : tp.index;
  if (kind == SectionKind::Channel && ServiceIdTakenOnTp(model, *record, tpIndex, fields.serviceId)) {
    reporter.Message(kSameServiceId);
    return false;
  }
  const std::vector<std::string> cells = ChannelCells(dialog, fields, tpIndex, *satIndex);
  const auto recordCells = list.begin() + static_cast<std::ptrdiff_t>(*record + 1);
  if (tp.kind == TpChoice::Kind::Keep && !bouquetChanged && std::equal(cells.begin(), cells.end(), recordCells)) {
    return false;  // nothing to change
  }

  // Every check has passed; from here on the list is written.
  ListChange change(model, "Setting channel");
  LineList& changed = change.List();
  std::size_t recordStart = *record;
  if (bouquetChanged) changed[tp.start + digital_tp_field::kBouquet] = values.bouquet;
  if (tp.kind == TpChoice::Kind::New) {
    recordStart = InsertNewTp(changed, sections.Span(SectionKind::Digital)->end, tp, values, recordStart);
  }
  std::copy(cells.begin(), cells.end(), changed.begin() + static_cast<std::ptrdiff_t>(recordStart + 1));
  change.Commit();
  return true;
}

}  // namespace

std::optional<DigitalChannelDialog> OpenDigitalChannelEdit(const ListViewModel& model, std::size_t row,
                                                           Reporter& reporter) {
  const RowTable& rows = model.Rows().digital;
  if (row >= rows.RowCount()) return std::nullopt;
  auto cell = [&](std::size_t column) { return std::string(rows.Cell(model.List(), row, column)); };
  auto satellite = ChannelSatellite(model, cell(digital_row::kSatIndex), cell(digital_row::kDegree), reporter);
  if (!satellite) return std::nullopt;

  DigitalChannelDialog dialog;
  dialog.title = kEditTitle;
  dialog.serviceId = Trimmed(cell(digital_row::kServiceId));
  dialog.tv = cell(digital_row::kType) == "TV";
  dialog.name = cell(digital_row::kName);
  dialog.videoPid = cell(digital_row::kVideoPid);
  dialog.audioPid = cell(digital_row::kAudioPid);
  dialog.pcrPid = cell(digital_row::kPcrPid);
  dialog.activeAudio = cell(digital_row::kActiveAudio);
  dialog.frequency = cell(digital_row::kFrequency);
  dialog.symbolRate = cell(digital_row::kSymbolRate);
  dialog.horizontal = cell(digital_row::kPolarization) == "H";
  dialog.bouquet = Trimmed(cell(digital_row::kBouquet));
  dialog.satellite = std::move(*satellite);
  // An edit keeps the kind of its record: service id or PIDs.
  dialog.serviceIdEnabled = !dialog.serviceId.empty();
  dialog.pidsEnabled = dialog.serviceId.empty();
  return dialog;
}

DigitalChannelDialog OpenNewDigitalChannel(const ListViewModel& model, Reporter& reporter) {
  DigitalChannelDialog dialog;
  dialog.title = kNewTitle;
  dialog.isNew = true;
  dialog.activeAudio = "1";
  dialog.bouquet = "---";
  dialog.satellite = FirstSatellite(model, reporter);
  return dialog;
}

void ServiceIdTyped(DigitalChannelDialog& dialog) {
  dialog.pidsEnabled = TrimBlanks(dialog.serviceId).empty();
  if (!dialog.pidsEnabled) {
    dialog.videoPid.clear();
    dialog.audioPid.clear();
    dialog.pcrPid.clear();
  }
}

bool ApplyDigitalChannelEdit(ListViewModel& model, std::size_t row, const DigitalChannelDialog& dialog,
                             DigitalEditAction action, Reporter& reporter) {
  if (row >= model.Rows().digital.RowCount()) return false;
  if (action == DigitalEditAction::Ok) return SaveEdit(model, row, dialog, reporter);
  return DeleteOrInsertNull(model, row, dialog, action, reporter);
}

bool ApplyNewDigitalChannel(ListViewModel& model, const DigitalChannelDialog& dialog, Reporter& reporter) {
  const ChannelFields fields = FieldsOf(dialog);
  if (fields.serviceId.empty() == !fields.HasPid()) {
    reporter.Message(kKindError);
    return false;
  }
  if (!ServiceIdAccepted(fields, reporter) || !ChannelCellsWritable(dialog, fields, reporter)) return false;
  const std::optional<std::string> satIndex = SatIndexToSave(model, dialog.satellite, std::nullopt, reporter);
  if (!satIndex) return false;
  const SectionKind kind = fields.Kind();
  const SectionMap& sections = model.Sections();
  for (SectionKind needed : {kind, SectionKind::Digital}) {
    if (auto missing = sections.MissingMarkerMessage(needed)) {
      reporter.Message(*missing);
      return false;
    }
  }
  const TpValues values = TpValuesOf(dialog, *satIndex);
  const TpChoice tp = ChooseTp(model, std::nullopt, true, values, reporter);
  if (tp.kind == TpChoice::Kind::Refused) return false;

  // Every check has passed; from here on the list is written.
  std::vector<std::string> cells{
      std::to_string(LargestIndex(model.List(), sections, {SectionKind::Channel, SectionKind::ChannelPid}) + 1)};
  const std::vector<std::string> rest = ChannelCells(dialog, fields, tp.index, values.satIndex);
  cells.insert(cells.end(), rest.begin(), rest.end());
  std::size_t at = sections.Span(kind)->end;
  ListChange change(model, "New Dig Channel");
  LineList& list = change.List();
  if (tp.kind == TpChoice::Kind::New) at = InsertNewTp(list, sections.Span(SectionKind::Digital)->end, tp, values, at);
  InsertCells(list, at, cells);
  change.Commit();
  return true;
}

}  // namespace chanora

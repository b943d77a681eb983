#include "editor/digital_channel_edit.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "editor/cell_checks.h"
#include "editor/channel_records.h"
#include "editor/degree.h"
#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "base/reporter.h"
#include "base/text_conversion.h"

namespace chanora {
namespace {

constexpr const char* kEditTitle = "Digital Channel Setting...Adjust, New, Delete";
constexpr const char* kNewTitle = "Setting Digital Channel....New";
constexpr const char* kDegreeError = "Degree format ERROR!!!";
constexpr const char* kZeroServiceId = "CANCELED : SvcId nust not be zero!!!";
constexpr const char* kKindError = "ERROR:When PID Value is filled, SvcID must not fill!!";
constexpr const char* kNoCurrentTp = "Error on current TP index";
constexpr const char* kSameServiceId =
    "ERROR : Channel Having Same SvcId,Tp Value EXIST!\r\nTo Edit,Change SvcId or TP Value!!";
constexpr const char* kSameIndexTwice =
    "ERROR:Digital channel and Digital PID channel have a same svc index.\r\n It must be defferenet!!";
constexpr const char* kNoSatellite = "Satellite not selected!";
constexpr const char* kNoFreeTpIndex = "No Digital TP index left (0 to 4999)!!!";

constexpr std::size_t kActiveAudioWidth = 6;
constexpr std::size_t kPidWidth = 8;
constexpr long long kMaxTpIndex = 4999;
// Frequencies and symbol rates this close are taken for the same TP.
constexpr long long kNearDistance = 5;

// Cells of a digital channel view row.
enum RowCell {
  kRowIndex = 0,
  kRowTp = 1,
  kRowSat = 2,
  kRowServiceId = 3,
  kRowType = 4,
  kRowName = 5,
  kRowVideoPid = 6,
  kRowAudioPid = 7,
  kRowPcrPid = 8,
  kRowActiveAudio = 9,
  kRowFrequency = 11,
  kRowSymbolRate = 12,
  kRowPolarization = 13,
  kRowBouquet = 14,
  kRowLnbHigh = 16,
  kRowLnbLow = 17,
  kRowPosition = 18,
  kRowDegree = 19,
};

// Cells of a DIGITAL TP record.
constexpr std::size_t kTpSat = 1, kTpFrequency = 2, kTpSymbolRate = 3, kTpPolarization = 4, kTpBouquet = 5;

std::string Trimmed(std::string_view text) { return std::string(TrimBlanks(text)); }

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
  return {Trimmed(dialog.frequency), Trimmed(dialog.symbolRate), dialog.horizontal ? "H" : "V",
          Trimmed(dialog.bouquet), std::move(satIndex)};
}

bool SameTp(const LineList& list, std::size_t tp, const TpValues& values) {
  return list[tp + kTpFrequency] == values.frequency && list[tp + kTpSymbolRate] == values.symbolRate &&
         list[tp + kTpPolarization] == values.polarization;
}

bool Near(std::string_view a, std::string_view b) {
  const long long difference = static_cast<long long>(DecimalTextToInt(a)) - DecimalTextToInt(b);
  return difference < kNearDistance && difference > -kNearDistance;
}

bool NearTp(const LineList& list, std::size_t tp, const TpValues& values) {
  return Near(list[tp + kTpFrequency], values.frequency) && Near(list[tp + kTpSymbolRate], values.symbolRate) &&
         list[tp + kTpPolarization] == values.polarization;
}

std::string ReplaceQuestion(const LineList& list, std::size_t tp) {
  return "Most alike TP exist, Replace with founded TP?" + std::string("\r\n\r\nfounded TP's information:") +
         FormatText("\r\nFreguency   : %s", list[tp + kTpFrequency].c_str()) +
         FormatText("\r\nSymbol Rate : %s", list[tp + kTpSymbolRate].c_str()) + "\r\nPolarization :" +
         (list[tp + kTpPolarization] == "H" ? "Horizontal" : "Vertical") + "\r\n" +
         "\r\nYES\t\t=> REPLACE with founded TP" + "\r\nNO\t\t=> Make NEW TP" + "\r\nCANCEL\t=> Cancel";
}

// Which DIGITAL TP record the channel ends up on.
struct TpChoice {
  enum Kind { Keep, Existing, New, Refused } kind = Refused;
  std::size_t start = 0;  // Keep, Existing: the TP record
  std::string index;      // Existing, New: the TP's Index
};

// Decides the TP, asking about a near one; writes nothing. `current` is the
// channel's TP when it keeps its satellite; a new channel has none.
TpChoice ChooseTp(const LineList& list, const SectionMap& sections, Reporter& reporter,
                  std::optional<std::size_t> current, bool satelliteChanged, const TpValues& values) {
  TpChoice choice;
  if (current && !satelliteChanged && (SameTp(list, *current, values) || NearTp(list, *current, values))) {
    choice.kind = TpChoice::Keep;
    choice.start = *current;
    return choice;
  }
  auto firstOther = [&](auto matches) -> std::optional<std::size_t> {
    for (std::size_t record = 0; record < sections.RecordCount(SectionKind::Digital); ++record) {
      const std::size_t tp = sections.RecordStart(SectionKind::Digital, record);
      if (tp != current && list[tp + kTpSat] == values.satIndex && matches(tp)) return tp;
    }
    return std::nullopt;
  };
  if (auto exact = firstOther([&](std::size_t tp) { return SameTp(list, tp, values); })) {
    choice = {TpChoice::Existing, *exact, list[*exact]};
    return choice;
  }
  // From here the user's values may become a new TP: they must be writable
  // before the user is asked anything.
  auto problem = FrequencyCellProblem("Frequency", values.frequency, false);
  if (!problem) problem = FrequencyCellProblem("Symbol Rate", values.symbolRate, false);
  if (!Writable(std::move(problem), reporter) || !BouquetWritable(values.bouquet, reporter)) return choice;
  const long long newIndex = LargestIndex(list, sections, {SectionKind::Digital}) + 1;
  if (auto near = firstOther([&](std::size_t tp) { return NearTp(list, tp, values); })) {
    switch (reporter.Ask(ReplaceQuestion(list, *near), "REPLACE", Buttons::YesNoCancel)) {
      case Answer::Yes:
        choice = {TpChoice::Existing, *near, list[*near]};
        return choice;
      case Answer::Cancel:
        return choice;
      case Answer::No:
        break;
    }
  }
  if (newIndex > kMaxTpIndex) {
    reporter.Message(kNoFreeTpIndex);
    return choice;
  }
  choice.kind = TpChoice::New;
  choice.index = std::to_string(newIndex);
  return choice;
}

// The cells of the channel record after its Index.
std::vector<std::string> ChannelCells(const DigitalChannelDialog& dialog, const ChannelFields& fields,
                                      const std::string& tpIndex, const std::string& satIndex) {
  const std::string type = dialog.tv ? "TV" : "RADIO";
  if (fields.Kind() == SectionKind::Channel) {
    return {tpIndex, satIndex, fields.serviceId, type, dialog.name, fields.activeAudio, "N"};
  }
  return {tpIndex, satIndex, type, dialog.name, fields.pids[0], fields.pids[1], fields.pids[2], fields.activeAudio,
          "N"};
}

// Another channel on the target TP (TP indexes compared as numbers, so 07 is
// 7) that has the same service id.
bool ServiceIdTakenOnTp(const LineList& list, const SectionMap& sections, std::optional<std::size_t> edited,
                        const std::string& tpIndex, const std::string& serviceId) {
  const int tp = DecimalTextToInt(tpIndex);
  const std::optional<unsigned> id = ParseHexToken(serviceId);
  for (std::size_t record = 0; record < sections.RecordCount(SectionKind::Channel); ++record) {
    const std::size_t start = sections.RecordStart(SectionKind::Channel, record);
    if (start == edited || DecimalTextToInt(list[start + 1]) != tp) continue;
    // By value: 00A1 and A1 are the same service.
    const std::optional<unsigned> other = ParseHexToken(TrimBlanks(list[start + 3]));
    if (other && other == id && *id != 0) return true;
  }
  return false;
}

void FinishChange(ListViewModel& model) {
  model.RenumberAndRebuild();
  model.modified = true;
}

void InsertCells(LineList& list, std::size_t at, const std::vector<std::string>& cells) {
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), cells.begin(), cells.end());
}

// Appends the new TP to the DIGITAL section; gives where the cell at
// `position` stands afterwards.
std::size_t InsertNewTp(LineList& list, const SectionMap& sections, const TpChoice& tp, const TpValues& values,
                        std::size_t position) {
  const std::size_t at = sections.Span(SectionKind::Digital)->end;
  InsertCells(list, at,
              {tp.index, values.satIndex, values.frequency, values.symbolRate, values.polarization, values.bouquet});
  return position >= at ? position + static_cast<std::size_t>(InfoOf(SectionKind::Digital).fieldCount) : position;
}

// The satellite record at drop-down position `satellite`, if there is one.
std::optional<std::size_t> SatelliteRecord(const ListViewModel& model, std::optional<std::size_t> satellite) {
  const SectionMap sections(model.list);
  if (!satellite || *satellite >= sections.RecordCount(SectionKind::Satellite)) return std::nullopt;
  return sections.RecordStart(SectionKind::Satellite, *satellite);
}

DigitalChannelDialog DialogWithSatellites(const ListViewModel& model) {
  DigitalChannelDialog dialog;
  dialog.satelliteNames = SatelliteNames(model.list, SectionMap(model.list));
  return dialog;
}

int DeleteOrInsertNull(ListViewModel& model, Reporter& reporter, std::size_t row, const DigitalChannelDialog& dialog,
                       DigitalEditAction action) {
  LineList& list = model.list;
  const RowTable& rows = model.rows.digital;
  const std::string index(rows.Cell(list, row, kRowIndex));
  const SectionMap sections(list);
  const std::optional<std::size_t> channel = FindRecordByIndex(list, sections, SectionKind::Channel, index);
  const std::optional<std::size_t> pid = FindRecordByIndex(list, sections, SectionKind::ChannelPid, index);
  if (channel && pid) {
    reporter.Message(kSameIndexTwice);
    return 0;
  }
  if (!channel && !pid) {
    reporter.Message(model.RowSection(row, true) == SectionKind::Channel ? "Error: Can't finde Current Channel"
                                                            : "Error: Can't finde Current channel_pid");
    return 0;
  }
  const SectionKind kind = channel ? SectionKind::Channel : SectionKind::ChannelPid;
  const std::size_t start = channel ? *channel : *pid;
  const std::size_t stride = static_cast<std::size_t>(InfoOf(kind).fieldCount);
  if (action == DigitalEditAction::Delete) {
    const std::string rowName = NormalizedText(rows.Cell(list, row, kRowName));
    if (NormalizedText(dialog.name) != rowName) {
      reporter.Message("Delete Current Channel is canceled");
      return 0;
    }
    if (reporter.Ask("Really Wnat to Delete this channel\r\n Channel Name :   " + rowName, "Delete",
                     Buttons::YesNo) != Answer::Yes) {
      return 0;
    }
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(start),
               list.begin() + static_cast<std::ptrdiff_t>(start + stride));
  } else {
    InsertCells(list, start + stride,
                NullRecord(kind, rows.Cell(list, row, kRowTp), rows.Cell(list, row, kRowSat),
                           rows.Cell(list, row, kRowType)));
  }
  FinishChange(model);
  return 1;
}

int SaveEdit(ListViewModel& model, Reporter& reporter, std::size_t row, const DigitalChannelDialog& dialog) {
  LineList& list = model.list;
  const RowTable& rows = model.rows.digital;
  const ChannelFields fields = FieldsOf(dialog);
  if (!ServiceIdAccepted(fields, reporter)) return 0;
  if (fields.serviceId.empty() == !fields.HasPid()) {
    reporter.Message(kKindError);
    return 0;
  }
  std::string stored;
  if (!ConvertDegree(dialog.degree, stored, false, reporter)) {
    reporter.Message(kDegreeError);
    return 0;
  }
  if (!ChannelCellsWritable(dialog, fields, reporter)) return 0;

  // A channel whose satellite is not in the drop-down keeps its satellite.
  const std::string rowSat(rows.Cell(list, row, kRowSat));
  const std::optional<std::size_t> satellite = SatelliteRecord(model, dialog.satellite);
  const std::string satIndex = satellite ? list[*satellite] : rowSat;
  const TpValues values = TpValuesOf(dialog, satIndex);

  const SectionMap sections(list);
  const std::optional<std::size_t> current = FindRecordByIndex(list, sections, SectionKind::Digital, rows.Cell(list, row, kRowTp));
  if (!current) {
    reporter.Message(kNoCurrentTp);
    return 0;
  }
  const TpChoice tp = ChooseTp(list, sections, reporter, current, satIndex != rowSat, values);
  if (tp.kind == TpChoice::Refused) return 0;
  const bool bouquetChanged =
      tp.kind == TpChoice::Keep && NormalizedText(values.bouquet) != NormalizedText(rows.Cell(list, row, kRowBouquet));
  if (bouquetChanged && !BouquetWritable(values.bouquet, reporter)) return 0;

  const SectionKind kind = fields.Kind();
  const std::optional<std::size_t> record = FindRecordByIndex(list, sections, kind, rows.Cell(list, row, kRowIndex));
  if (!record) {
    reporter.Message(kind == SectionKind::Channel ? "Error: Can't finde Current Channel" : "Error: Can't finde Current channel_pid");
    return 0;
  }
  // The TP the channel ends up on; a new TP can only clash with channels that
  // already name its number.
  const std::string tpIndex = tp.kind == TpChoice::Keep ? list[*record + 1] : tp.index;
  if (kind == SectionKind::Channel && ServiceIdTakenOnTp(list, sections, record, tpIndex, fields.serviceId)) {
    reporter.Message(kSameServiceId);
    return 0;
  }

  // Every check has passed; from here on the list is written.
  std::size_t recordStart = *record;
  if (bouquetChanged) list[tp.start + kTpBouquet] = values.bouquet;
  if (tp.kind == TpChoice::New) recordStart = InsertNewTp(list, sections, tp, values, recordStart);
  const std::vector<std::string> cells = ChannelCells(dialog, fields, tpIndex, satIndex);
  std::copy(cells.begin(), cells.end(), list.begin() + static_cast<std::ptrdiff_t>(recordStart + 1));
  FinishChange(model);
  return 1;
}

}  // namespace

std::optional<DigitalChannelDialog> OpenDigitalChannelEdit(const ListViewModel& model, Reporter& reporter,
                                                           std::size_t clickedRow) {
  const RowTable& rows = model.rows.digital;
  if (clickedRow >= rows.RowCount()) return std::nullopt;
  const LineList& list = model.list;
  auto cell = [&](int column) { return std::string(rows.Cell(list, clickedRow, column)); };

  DigitalChannelDialog dialog = DialogWithSatellites(model);
  dialog.title = kEditTitle;
  dialog.serviceId = Trimmed(cell(kRowServiceId));
  dialog.tv = cell(kRowType) == "TV";
  dialog.name = cell(kRowName);
  dialog.videoPid = cell(kRowVideoPid);
  dialog.audioPid = cell(kRowAudioPid);
  dialog.pcrPid = cell(kRowPcrPid);
  dialog.activeAudio = cell(kRowActiveAudio);
  dialog.frequency = cell(kRowFrequency);
  dialog.symbolRate = cell(kRowSymbolRate);
  dialog.horizontal = cell(kRowPolarization) == "H";
  dialog.bouquet = Trimmed(cell(kRowBouquet));
  // The satellite the row was built from, by its index: names may repeat.
  dialog.satellite = SatelliteOfIndex(list, SectionMap(list), cell(kRowSat));
  dialog.lnbHigh = cell(kRowLnbHigh);
  dialog.lnbLow = cell(kRowLnbLow);
  dialog.position = cell(kRowPosition);
  if (!ConvertDegree(cell(kRowDegree), dialog.degree, true, reporter)) {
    reporter.Message(kDegreeError);
    return std::nullopt;
  }
  // An edit keeps the kind of its record: service id or PIDs.
  dialog.serviceIdEnabled = !dialog.serviceId.empty();
  dialog.pidsEnabled = dialog.serviceId.empty();
  return dialog;
}

DigitalChannelDialog OpenNewDigitalChannel(const ListViewModel& model, Reporter& reporter) {
  DigitalChannelDialog dialog = DialogWithSatellites(model);
  dialog.title = kNewTitle;
  dialog.isNew = true;
  dialog.activeAudio = "1";
  dialog.bouquet = "---";
  if (!dialog.satelliteNames.empty()) ChooseDigitalSatellite(model, reporter, dialog, 0);
  return dialog;
}

bool ChooseDigitalSatellite(const ListViewModel& model, Reporter& reporter, DigitalChannelDialog& dialog,
                            std::size_t satellite) {
  const std::optional<std::size_t> record = SatelliteRecord(model, satellite);
  if (!record) return false;
  dialog.satellite = satellite;
  const LineList& list = model.list;
  std::string degree;
  if (!ConvertDegree(list[*record + 6], degree, true, reporter)) {
    reporter.Message(kDegreeError);
    return false;
  }
  dialog.lnbHigh = list[*record + 3];
  dialog.lnbLow = list[*record + 4];
  dialog.position = list[*record + 5];
  dialog.degree = std::move(degree);
  return true;
}

void ServiceIdTyped(DigitalChannelDialog& dialog) {
  dialog.pidsEnabled = TrimBlanks(dialog.serviceId).empty();
  if (!dialog.pidsEnabled) {
    dialog.videoPid.clear();
    dialog.audioPid.clear();
    dialog.pcrPid.clear();
  }
}

int ApplyDigitalChannelEdit(ListViewModel& model, Reporter& reporter, std::size_t clickedRow,
                            const DigitalChannelDialog& dialog, DigitalEditAction action) {
  if (clickedRow >= model.rows.digital.RowCount()) return 0;
  if (action == DigitalEditAction::Ok) return SaveEdit(model, reporter, clickedRow, dialog);
  return DeleteOrInsertNull(model, reporter, clickedRow, dialog, action);
}

int ApplyNewDigitalChannel(ListViewModel& model, Reporter& reporter, const DigitalChannelDialog& dialog) {
  model.RecordUndo("New Dig Channel");
  auto refuse = [&] {
    model.DiscardNewestUndo();
    return 0;
  };
  const ChannelFields fields = FieldsOf(dialog);
  if (fields.serviceId.empty() && !fields.HasPid()) {
    reporter.Message(kKindError);
    return refuse();
  }
  if (!fields.serviceId.empty() && fields.HasPid()) {
    reporter.Message(kKindError);
    return 0;  // this refusal keeps its undo record
  }
  if (!ServiceIdAccepted(fields, reporter) || !ChannelCellsWritable(dialog, fields, reporter)) return refuse();
  const std::optional<std::size_t> satellite = SatelliteRecord(model, dialog.satellite);
  if (!satellite) {
    reporter.Message(kNoSatellite);
    return refuse();
  }
  LineList& list = model.list;
  const SectionKind kind = fields.Kind();
  const SectionMap sections(list);
  if (!sections.Span(kind) || !sections.Span(SectionKind::Digital)) {
    const SectionKind missing = sections.Span(kind) ? SectionKind::Digital : kind;
    reporter.Message(FormatText("Can't find \" %s \" ", EndMarker(missing).c_str()));
    return refuse();
  }
  const TpValues values = TpValuesOf(dialog, list[*satellite]);
  const TpChoice tp = ChooseTp(list, sections, reporter, std::nullopt, true, values);
  if (tp.kind == TpChoice::Refused) return refuse();

  // Every check has passed; from here on the list is written.
  std::size_t at = sections.Span(kind)->end;
  if (tp.kind == TpChoice::New) at = InsertNewTp(list, sections, tp, values, at);
  const SectionMap after(list);
  std::vector<std::string> cells{std::to_string(LargestIndex(list, after, {SectionKind::Channel, SectionKind::ChannelPid}) + 1)};
  const std::vector<std::string> rest = ChannelCells(dialog, fields, tp.index, values.satIndex);
  cells.insert(cells.end(), rest.begin(), rest.end());
  InsertCells(list, at, cells);
  FinishChange(model);
  return 1;
}

}  // namespace chanora

#include "editor/digital_channel_edit.h"

#include <functional>

#include "editor/section_map.h"
#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using Action = DigitalEditAction;
using Strings = std::vector<std::string>;

const std::string kSameId =
    "ERROR : Channel Having Same SvcId,Tp Value EXIST!\r\nTo Edit,Change SvcId or TP Value!!";
const std::string kKind = "ERROR:When PID Value is filled, SvcID must not fill!!";
const std::string kZero = "CANCELED : SvcId nust not be zero!!!";
const std::string kNoFrequency = "Frequency not filled!";
const std::string kQuoteInName = "Name must not hold '\"', '~' or '#'!!!";

// Rows: 0 DAS ERSTE on TP 1, 1 PHOENIX on TP "07", 2 ZDF RADIO on TP 7 (all
// satellite 0), 3 the PID channel RAI UNO on TP 3 of satellite 1. Satellite
// 2 repeats the name ASTRA.
LineList SmallList() {
  return {"SATELLITE START",
          "0", "ASTRA", "N", "9750", "10600", "0", "0192",
          "1", "HOTBIRD", "N", "9750", "10600", "1", "0130",
          "2", "ASTRA", "N", "9750", "10600", "2", "-0050",
          "SATELLITE END",
          "DIGITAL START",
          "1", "0", "11778", "27500", "V", "ARD",
          "7", "0", "12000", "27500", "H", "ZDF",
          "3", "1", "10832", "22000", "H", "RAI",
          "DIGITAL END",
          "CHANNEL START",
          "1", "1", "0", "0001", "TV", "DAS ERSTE", "1", "N",
          "2", "07", "0", "0002", "TV", "PHOENIX", "1", "N",
          "3", "7", "0", "0003", "RADIO", "ZDF RADIO", "2", "N",
          "CHANNEL END",
          "CHANNEL_PID START",
          "4", "3", "1", "TV", "RAI UNO", "512", "650", "8190", "1", "N",
          "CHANNEL_PID END",
          "ANALOG START", "ANALOG END"};
}

const std::string kReplace =
    "REPLACE: Most alike TP exist, Replace with founded TP?\r\n\r\nfounded TP's information:"
    "\r\nFreguency   : 12000\r\nSymbol Rate : 27500\r\nPolarization :Horizontal\r\n"
    "\r\nYES\t\t=> REPLACE with founded TP\r\nNO\t\t=> Make NEW TP\r\nCANCEL\t=> Cancel";

Strings RecordOf(const LineList& list, SectionKind kind, std::size_t record) {
  const auto start = static_cast<std::ptrdiff_t>(SectionMap(list).RecordStart(kind, record));
  return {list.begin() + start, list.begin() + start + InfoOf(kind).fieldCount};
}

class DigitalChannelEditTest : public EditorTest {
 protected:
  DigitalChannelEditTest() : model(ModelOf(SmallList())) {}

  DigitalChannelDialog Open(std::size_t row) {
    auto dialog = OpenDigitalChannelEdit(model, reporter, row);
    EXPECT_TRUE(dialog.has_value());
    return dialog.value_or(DigitalChannelDialog{});
  }
  Strings Record(SectionKind kind, std::size_t record) { return RecordOf(model.list, kind, record); }
  std::size_t Records(SectionKind kind) { return SectionMap(model.list).RecordCount(kind); }

  ListViewModel model;
};

TEST_F(DigitalChannelEditTest, FillsTheDialogFromTheRow) {
  DigitalChannelDialog dialog = Open(0);
  EXPECT_EQ(dialog.title, "Digital Channel Setting...Adjust, New, Delete");
  EXPECT_FALSE(dialog.isNew);
  EXPECT_EQ((Strings{dialog.name, dialog.serviceId, dialog.activeAudio, dialog.frequency, dialog.symbolRate,
                     dialog.bouquet, dialog.lnbHigh, dialog.lnbLow, dialog.position, dialog.degree}),
            (Strings{"DAS ERSTE", "0001", "1", "11778", "27500", "ARD", "9750", "10600", "0", "E019.2"}));
  EXPECT_TRUE(dialog.tv);
  EXPECT_FALSE(dialog.horizontal);
  EXPECT_EQ(dialog.satelliteNames, (Strings{"ASTRA", "HOTBIRD", "ASTRA"}));
  EXPECT_EQ(dialog.satellite, 0u);
  EXPECT_TRUE(dialog.serviceIdEnabled);
  EXPECT_FALSE(dialog.pidsEnabled);

  DigitalChannelDialog pid = Open(3);
  EXPECT_EQ((Strings{pid.serviceId, pid.videoPid, pid.audioPid, pid.pcrPid}), (Strings{"", "512", "650", "8190"}));
  EXPECT_EQ(pid.satellite, 1u);
  EXPECT_FALSE(pid.serviceIdEnabled);
  EXPECT_TRUE(pid.pidsEnabled);

  // The satellite is found by its index, not by a name that repeats.
  model.list[SectionMap(model.list).RecordStart(CHANNEL, 0) + 2] = "2";
  model.RebuildRowTables();
  EXPECT_EQ(Open(0).satellite, 2u);
  EXPECT_EQ(Open(0).degree, "W005.0");

  EXPECT_FALSE(OpenDigitalChannelEdit(model, reporter, 4).has_value());
  EXPECT_TRUE(reporter.messages.empty());
  model.list[SectionMap(model.list).RecordStart(SATELLITE, 2) + 6] = "X12";
  EXPECT_FALSE(OpenDigitalChannelEdit(model, reporter, 0).has_value());
  EXPECT_EQ(reporter.messages, (Strings{"ERROR in converting degree format!!!", "Degree format ERROR!!!"}));
}

TEST_F(DigitalChannelEditTest, SatelliteChoiceFillsTheShownValues) {
  DigitalChannelDialog dialog = Open(0);
  EXPECT_TRUE(ChooseDigitalSatellite(model, reporter, dialog, 2));
  EXPECT_EQ((Strings{dialog.position, dialog.degree}), (Strings{"2", "W005.0"}));
  EXPECT_FALSE(ChooseDigitalSatellite(model, reporter, dialog, 3));
  model.list[SectionMap(model.list).RecordStart(SATELLITE, 1) + 6] = "";
  EXPECT_FALSE(ChooseDigitalSatellite(model, reporter, dialog, 1));
  EXPECT_EQ(dialog.satellite, 1u);
  EXPECT_EQ((Strings{dialog.position, dialog.degree}), (Strings{"2", "W005.0"}));
  EXPECT_EQ(reporter.messages, (Strings{"ERROR in converting degree format!!!", "Degree format ERROR!!!"}));
}

struct TpCase {
  const char* what;
  std::function<void(DigitalChannelDialog&)> edit;
  std::vector<Answer> answers;
  int result;
  std::string channelTp;   // TP cell of the edited channel afterwards
  std::string channelSat;  // its SAT cell
  Strings newTp;           // the TP appended to the DIGITAL section, if any
  bool asked;
};

TEST_F(DigitalChannelEditTest, TransponderMatching) {
  auto frequency = [](const char* f, bool horizontal = false) {
    return [=](DigitalChannelDialog& d) {
      d.frequency = f;
      d.horizontal = horizontal;
    };
  };
  const std::vector<TpCase> cases = {
      {"unchanged", [](DigitalChannelDialog&) {}, {}, 1, "1", "0", {}, false},
      {"near, kept", frequency("11780"), {}, 1, "1", "0", {}, false},
      {"5 apart leaves", frequency("11783"), {}, 1, "8", "0", {"8", "0", "11783", "27500", "V", "ARD"}, false},
      {"exact match elsewhere", frequency("12000", true), {}, 1, "7", "0", {}, false},
      {"near elsewhere, Yes", frequency("12003", true), {Answer::Yes}, 1, "7", "0", {}, true},
      {"near elsewhere, No", frequency("12003", true), {Answer::No}, 1, "8", "0",
       {"8", "0", "12003", "27500", "H", "ARD"}, true},
      {"near elsewhere, Cancel", frequency("12003", true), {Answer::Cancel}, 0, "1", "0", {}, true},
      {"satellite change, no TP there", [&](DigitalChannelDialog& d) { d.satellite = 1; }, {}, 1, "8", "1",
       {"8", "1", "11778", "27500", "V", "ARD"}, false},
      {"satellite change, exact TP there",
       [&](DigitalChannelDialog& d) {
         d.satellite = 1, d.frequency = "10832", d.symbolRate = "22000", d.horizontal = true;
       },
       {}, 1, "3", "1", {}, false},
      {"satellite change, near TP there",
       [&](DigitalChannelDialog& d) {
         d.satellite = 1, d.frequency = "10830", d.symbolRate = "22004", d.horizontal = true;
       },
       {Answer::Yes}, 1, "3", "1", {}, true},
  };
  for (const TpCase& c : cases) {
    SCOPED_TRACE(c.what);
    model = ModelOf(SmallList());
    reporter = RecordingReporter();
    reporter.answers.assign(c.answers.begin(), c.answers.end());
    DigitalChannelDialog dialog = Open(0);
    c.edit(dialog);
    const LineList before = model.list;
    EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 0, dialog, Action::Ok), c.result);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(reporter.questions.size(), c.asked ? 1u : 0u);
    if (c.result == 0) {
      EXPECT_EQ(model.list, before);
      EXPECT_FALSE(model.modified);
      continue;
    }
    EXPECT_TRUE(model.modified);
    const Strings channel = Record(CHANNEL, 0);
    EXPECT_EQ((Strings{channel[1], channel[2]}), (Strings{c.channelTp, c.channelSat}));
    EXPECT_EQ(Records(DIGITAL), c.newTp.empty() ? 3u : 4u);
    if (!c.newTp.empty()) {
      EXPECT_EQ(Record(DIGITAL, 3), c.newTp);
    }
    // Existing TPs are never rewritten by a channel edit without a bouquet change.
    for (std::size_t tp = 0; tp < 3; ++tp) EXPECT_EQ(Record(DIGITAL, tp), RecordOf(SmallList(), DIGITAL, tp));
  }
  model = ModelOf(SmallList());
  reporter = RecordingReporter();
  DigitalChannelDialog dialog = Open(0);
  frequency("12003", true)(dialog);
  ApplyDigitalChannelEdit(model, reporter, 0, dialog, Action::Ok);
  EXPECT_EQ(reporter.questions, Strings{kReplace});
}

TEST_F(DigitalChannelEditTest, BouquetChangeRewritesTheTpOnly) {
  DigitalChannelDialog dialog = Open(0);
  dialog.bouquet = " ard ";
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 0, dialog, Action::Ok), 1);
  EXPECT_EQ(Record(DIGITAL, 0)[5], "ARD");  // the same in upper case: untouched
  dialog.bouquet = " ARD HD ";
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 0, dialog, Action::Ok), 1);
  EXPECT_EQ(Record(DIGITAL, 0), (Strings{"1", "0", "11778", "27500", "V", "ARD HD"}));
  EXPECT_EQ(model.rows.digital.Cell(model.list, 0, 14), "ARD HD");
  EXPECT_EQ(Records(DIGITAL), 3u);
}

TEST_F(DigitalChannelEditTest, PidRowKeepsItsSatelliteWhenNoneIsChosen) {
  for (std::optional<std::size_t> satellite : {std::optional<std::size_t>(), std::optional<std::size_t>(9)}) {
    model = ModelOf(SmallList());
    DigitalChannelDialog dialog = Open(3);
    dialog.satellite = satellite;
    dialog.name = "RAI 1";
    dialog.videoPid = " 513";
    EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 3, dialog, Action::Ok), 1);
    EXPECT_EQ(Record(CHANNEL_PID, 0), (Strings{"4", "3", "1", "TV", "RAI 1", "513", "650", "8190", "1", "N"}));
  }
}

struct Refusal {
  const char* what;
  std::function<void(LineList&)> prepare;
  std::size_t row;
  std::function<void(DigitalChannelDialog&)> edit;
  Strings messages;
};

TEST_F(DigitalChannelEditTest, RefusalsWriteNothing) {
  auto none = [](LineList&) {};
  const std::vector<Refusal> cases = {
      {"same id on TP 07 as on 7", none, 2, [](auto& d) { d.serviceId = "002"; }, {kSameId}},
      {"same id on the TP taken", none, 0, [](auto& d) { d.serviceId = "3", d.frequency = "12000", d.horizontal = true; },
       {kSameId}},
      {"id 0", none, 0, [](auto& d) { d.serviceId = "0"; }, {kZero}},
      {"id 0000", none, 0, [](auto& d) { d.serviceId = " 0000 "; }, {kZero}},
      {"id not hex", none, 0, [](auto& d) { d.serviceId = "12G4"; }, {"SvcId must be a hexadecimal number!!!"}},
      {"id with 0x", none, 0, [](auto& d) { d.serviceId = "0x1F"; }, {"SvcId must be a hexadecimal number!!!"}},
      {"id too wide", none, 0, [](auto& d) { d.serviceId = "000000001"; }, {"SvcId exceeds 8 characters!!!"}},
      {"id and PID", none, 0, [](auto& d) { d.videoPid = "100"; }, {kKind}},
      {"PID row without PIDs", none, 3, [](auto& d) { d.videoPid = d.audioPid = d.pcrPid = " "; }, {kKind}},
      {"PID row, one PID empty", none, 3, [](auto& d) { d.audioPid = ""; }, {"Audio PID not filled!"}},
      {"PID row, PID not a number", none, 3, [](auto& d) { d.pcrPid = "81x"; }, {"PCR PID must be a number!!!"}},
      {"degree", none, 0, [](auto& d) { d.degree = "N12"; },
       {"ERROR in converting degree format!!!", "Degree format ERROR!!!"}},
      {"name of 14", none, 0, [](auto& d) { d.name = "ABCDEFGHIJKLMN"; }, {"Name exceeds 13 characters!!!"}},
      {"name with quote", none, 0, [](auto& d) { d.name = "A\"B"; }, {kQuoteInName}},
      {"name with ~", none, 0, [](auto& d) { d.name = "A~B"; }, {kQuoteInName}},
      {"name with #", none, 3, [](auto& d) { d.name = "#1"; }, {kQuoteInName}},
      {"name with a tab", none, 0, [](auto& d) { d.name = "A\tB"; }, {kQuoteInName}},
      {"empty name", none, 0, [](auto& d) { d.name = "  "; }, {"Name not filled!"}},
      {"name that is a section marker", none, 0, [](auto& d) { d.name = "CHANNEL END"; },
       {"Name must not read as a section marker!!!"}},
      {"active audio of two words", none, 0, [](auto& d) { d.activeAudio = "1 2"; },
       {"Active Audio must not hold a blank or '\"'!!!"}},
      {"active audio not a number", none, 0, [](auto& d) { d.activeAudio = "1A"; },
       {"Active Audio must be a number!!!"}},
      {"active audio of 7", none, 0, [](auto& d) { d.activeAudio = "1234567"; },
       {"Active Audio exceeds 6 characters!!!"}},
      {"bouquet of 14", none, 0, [](auto& d) { d.bouquet = "ABCDEFGHIJKLMN"; }, {"Bouquet exceeds 13 characters!!!"}},
      {"frequency of 3 for a new TP, before the question", none, 0, [](auto& d) { d.frequency = "120"; },
       {"Frequency must be 4 or 5 characters!!!"}},
      {"empty symbol rate", none, 0, [](auto& d) { d.symbolRate = ""; }, {"Symbol Rate not filled!"}},
      {"no TP index left", [](LineList& l) { l[SectionMap(l).RecordStart(DIGITAL, 2)] = "4999"; }, 0,
       [](auto& d) { d.frequency = "11900"; }, {"No Digital TP index left (0 to 4999)!!!"}},
      {"current TP missing", [](LineList& l) { l[SectionMap(l).RecordStart(DIGITAL, 0)] = "01"; }, 0,
       [](auto&) {}, {"Error on current TP index"}},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    model = ModelOf(SmallList());  // the row as the user saw it
    DigitalChannelDialog dialog = Open(c.row);
    LineList list = SmallList();
    c.prepare(list);
    model = ModelOf(list);
    reporter = RecordingReporter();
    c.edit(dialog);
    const LineList before = model.list;
    EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, c.row, dialog, Action::Ok), 0);
    EXPECT_EQ(reporter.messages, c.messages);
    EXPECT_TRUE(reporter.questions.empty());
    EXPECT_EQ(model.list, before);
    EXPECT_FALSE(model.modified);
  }
}

TEST_F(DigitalChannelEditTest, DeleteAsksAndRemovesTheRecord) {
  const LineList before = model.list;
  DigitalChannelDialog dialog = Open(0);
  dialog.name = "DAS ZWEITE";
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 0, dialog, Action::Delete), 0);
  EXPECT_EQ(reporter.messages, Strings{"Delete Current Channel is canceled"});

  dialog.name = " das erste";
  reporter.answers = {Answer::No};
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 0, dialog, Action::Delete), 0);
  EXPECT_EQ(reporter.questions, Strings{"Delete: Really Wnat to Delete this channel\r\n Channel Name :   DAS ERSTE"});
  EXPECT_EQ(model.list, before);
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 7, dialog, Action::Delete), 0);
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 7, dialog, Action::InsertNull), 0);
  EXPECT_EQ(model.list, before);

  reporter.answers = {Answer::Yes};
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 3, Open(3), Action::Delete), 1);
  EXPECT_EQ(model.list.size(), before.size() - 10);
  EXPECT_EQ(Records(CHANNEL_PID), 0u);
  EXPECT_TRUE(model.modified);
}

TEST_F(DigitalChannelEditTest, DeleteAndInsertNullNeedOneRecordOfTheIndex) {
  DigitalChannelDialog dialog = Open(0);
  LineList both = SmallList();
  both[SectionMap(both).RecordStart(CHANNEL_PID, 0)] = "1";
  model.list = both;  // rows still as built before
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 0, dialog, Action::InsertNull), 0);
  EXPECT_EQ(model.list, both);
  // A row table out of step with the list: row 0 now reads "CHANNEL START".
  model.list = SmallList();
  model.list.insert(model.list.begin(), "SAT_NAME START");
  const LineList shifted = model.list;
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 0, dialog, Action::Delete), 0);
  EXPECT_EQ(model.list, shifted);
  EXPECT_EQ(reporter.messages,
            (Strings{"ERROR:Digital channel and Digital PID channel have a same svc index.\r\n It must be defferenet!!",
                     "Error: Can't finde Current Channel"}));
  EXPECT_TRUE(reporter.questions.empty());
}

TEST_F(DigitalChannelEditTest, InsertNullFollowsTheRecord) {
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 0, Open(0), Action::InsertNull), 1);
  EXPECT_EQ(Record(CHANNEL, 1), (Strings{"2", "1", "0", "0000", "TV", "_", "1", "Y"}));
  EXPECT_EQ(Record(CHANNEL, 2)[5], "PHOENIX");
  EXPECT_EQ(ApplyDigitalChannelEdit(model, reporter, 4, Open(4), Action::InsertNull), 1);
  EXPECT_EQ(Record(CHANNEL_PID, 1), (Strings{"6", "3", "1", "TV", "_", "   0", "   0", "   0", "1", "Y"}));
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(DigitalChannelEditTest, NewChannel) {
  DigitalChannelDialog defaults = OpenNewDigitalChannel(model, reporter);
  EXPECT_EQ(defaults.title, "Setting Digital Channel....New");
  EXPECT_TRUE(defaults.isNew);
  EXPECT_EQ((Strings{defaults.activeAudio, defaults.bouquet, defaults.degree, defaults.lnbHigh}),
            (Strings{"1", "---", "E019.2", "9750"}));
  EXPECT_EQ(defaults.satellite, 0u);
  defaults.videoPid = "5";
  defaults.serviceId = "1F";
  ServiceIdTyped(defaults);
  EXPECT_FALSE(defaults.pidsEnabled);
  EXPECT_EQ(defaults.videoPid, "");

  auto dialogWith = [&](auto edit) {
    DigitalChannelDialog d = OpenNewDigitalChannel(model, reporter);
    d.name = "NEU";
    edit(d);
    return d;
  };
  struct Case {
    const char* what;
    std::function<void(DigitalChannelDialog&)> edit;
    std::vector<Answer> answers;
    int result;
    std::size_t undoDepth;
    Strings messages;
  };
  const std::vector<Case> cases = {
      {"nothing filled", [](auto&) {}, {}, 0, 0, {kKind}},
      {"id and PID", [](auto& d) { d.serviceId = "1", d.pcrPid = "2"; }, {}, 0, 1, {kKind}},
      {"id 0", [](auto& d) { d.serviceId = "00"; }, {}, 0, 0, {kZero}},
      {"id only, no TP data", [](auto& d) { d.serviceId = "1F"; }, {}, 0, 0, {kNoFrequency}},
      {"near TP, Cancel",
       [](auto& d) { d.serviceId = "1F", d.frequency = "11776", d.symbolRate = "27500", d.horizontal = false; },
       {Answer::Cancel}, 0, 0, {}},
      {"no satellite", [](auto& d) { d.serviceId = "1F", d.satellite.reset(); }, {}, 0, 0,
       {"Satellite not selected!"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    model = ModelOf(SmallList());
    reporter = RecordingReporter();
    reporter.answers.assign(c.answers.begin(), c.answers.end());
    const DigitalChannelDialog dialog = dialogWith(c.edit);
    EXPECT_EQ(ApplyNewDigitalChannel(model, reporter, dialog), c.result);
    EXPECT_EQ(model.undo.UndoDepth(), c.undoDepth);
    EXPECT_EQ(reporter.messages, c.messages);
    EXPECT_EQ(model.list, SmallList());
    EXPECT_FALSE(model.modified);
  }

  // A service id on an unknown TP: a new TP on the first satellite.
  model = ModelOf(SmallList());
  reporter = RecordingReporter();
  model.RecordUndo("Delete Channel");
  DigitalChannelDialog dialog = dialogWith([](auto& d) { d.serviceId = "1f", d.frequency = "11200", d.symbolRate = "27500"; });
  EXPECT_EQ(ApplyNewDigitalChannel(model, reporter, dialog), 1);
  EXPECT_EQ(model.undo.MenuText(), "Undo (2 - New Dig Channel)");
  EXPECT_EQ(Record(DIGITAL, 3), (Strings{"8", "0", "11200", "27500", "H", "---"}));
  EXPECT_EQ(Record(CHANNEL, 3), (Strings{"4", "8", "0", "1f", "TV", "NEU", "1", "N"}));
  EXPECT_EQ(Record(CHANNEL_PID, 0)[0], "5");
  EXPECT_TRUE(model.modified);

  // PIDs on an existing TP of another satellite: appended to the PID channels.
  dialog = dialogWith([&](auto& d) {
    ChooseDigitalSatellite(model, reporter, d, 1);
    d.videoPid = "1", d.audioPid = "2", d.pcrPid = "3", d.tv = false;
    d.frequency = "10832", d.symbolRate = "22000";
  });
  EXPECT_EQ(ApplyNewDigitalChannel(model, reporter, dialog), 1);
  EXPECT_EQ(Record(CHANNEL_PID, 1), (Strings{"6", "3", "1", "RADIO", "NEU", "1", "2", "3", "1", "N"}));
  EXPECT_EQ(Records(DIGITAL), 4u);
  EXPECT_EQ(model.undo.UndoDepth(), 3u);
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_TRUE(reporter.questions.empty());
}

}  // namespace
}  // namespace chanora::testing

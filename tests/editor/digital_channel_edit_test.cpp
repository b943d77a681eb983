#include "editor/digital_channel_edit.h"

#include <algorithm>
#include <functional>

#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using Action = DigitalEditAction;
using Edit = std::function<void(DigitalChannelDialog&)>;

const std::string kKind = "ERROR:When PID Value is filled, SvcID must not fill!!";
const std::string kBadName = "Name must not hold '\"', '~' or '#'!!!";
const std::string kReplace =
    "REPLACE: Most alike TP exist, Replace with founded TP?\r\n\r\nfounded TP's information:\r\nFreguency   : 12000"
    "\r\nSymbol Rate : 27500\r\nPolarization :Horizontal\r\n\r\nYES\t\t=> REPLACE with founded TP"
    "\r\nNO\t\t=> Make NEW TP\r\nCANCEL\t=> Cancel";

// Rows of SmallList: 0 DAS ERSTE on TP 1, 1 PHOENIX on TP 07, 2 ZDF RADIO on
// TP 7; 3 the PID channel RAI UNO on TP 3 of satellite 1.
class DigitalEdit : public EditorTest {
 protected:
  void SetUp() override { Start(); }

  DigitalChannelDialog Open(std::size_t row) {
    auto dialog = OpenDigitalChannelEdit(model, row, reporter);
    EXPECT_TRUE(dialog.has_value());
    return dialog.value_or(DigitalChannelDialog{});
  }
  bool Apply(std::size_t row, const DigitalChannelDialog& dialog, Action action = Action::Ok) {
    return ApplyDigitalChannelEdit(model, row, dialog, action, reporter);
  }
  bool ApplyNew(const DigitalChannelDialog& dialog) { return ApplyNewDigitalChannel(model, dialog, reporter); }
  DigitalChannelDialog NewDialog(const Edit& edit) {
    DigitalChannelDialog dialog = OpenNewDigitalChannel(model, reporter);
    dialog.name = "NEU";
    edit(dialog);
    return dialog;
  }
};

TEST_F(DigitalEdit, OpeningAndChoosingASatelliteFillTheDialog) {
  DigitalChannelDialog dialog = Open(0);
  const SatelliteChoice& satellite = dialog.satellite;
  EXPECT_EQ((Strings{dialog.name, dialog.serviceId, dialog.activeAudio, dialog.frequency, dialog.symbolRate,
                     dialog.bouquet, satellite.lnbHigh, satellite.lnbLow, satellite.position, satellite.degree}),
            (Strings{"DAS ERSTE", "0001", "1", "11778", "27500", "ARD", "9750", "10600", "0", "E019.2"}));
  EXPECT_EQ(satellite.names, (Strings{"ASTRA", "HOTBIRD", "ASTRA", "BAD"}));
  EXPECT_TRUE(dialog.tv && !dialog.horizontal && dialog.serviceIdEnabled && !dialog.pidsEnabled);
  DigitalChannelDialog pid = Open(3);
  EXPECT_EQ((Strings{pid.serviceId, pid.videoPid, pid.audioPid, pid.pcrPid}), (Strings{"", "512", "650", "8190"}));
  EXPECT_TRUE(pid.pidsEnabled && !pid.serviceIdEnabled);
  EXPECT_EQ(Open(1).satellite.chosen, 2u);  // by its index, not by the name it shares with satellite 0
  EXPECT_FALSE(OpenDigitalChannelEdit(model, 4, reporter).has_value());

  EXPECT_TRUE(ChooseSatellite(model, dialog.satellite, 2, reporter));
  EXPECT_EQ((Strings{satellite.position, satellite.degree}), (Strings{"2", "W045.0"}));
  EXPECT_FALSE(ChooseSatellite(model, dialog.satellite, 4, reporter));
  EXPECT_FALSE(ChooseSatellite(model, dialog.satellite, 3, reporter));  // its degree does not convert
  EXPECT_EQ((Strings{satellite.position, satellite.degree}), (Strings{"2", "W045.0"}));
  EXPECT_EQ(reporter.messages, kDegreeErrors);

  // On a satellite whose degree does not convert, or on none, a channel
  // cannot be edited.
  for (const char* sat : {"3", "9"}) {
    LineList list = SmallList();
    list[RecordStart(list, SectionKind::Channel, 0) + 2] = sat;
    Start(list);
    EXPECT_FALSE(OpenDigitalChannelEdit(model, 0, reporter).has_value());
    EXPECT_EQ(reporter.messages, kDegreeErrors);
  }
}

TEST_F(DigitalEdit, TransponderMatching) {
  auto frequency = [](const char* f, bool horizontal = false) {
    return [=](DigitalChannelDialog& d) { d.frequency = f, d.horizontal = horizontal; };
  };
  struct Case {
    const char* what;
    Edit edit;
    std::vector<Answer> answers;
    bool changed;
    Strings tpAndSat;  // of the edited channel afterwards
    Strings newTp;     // appended to the DIGITAL section, if any
    Strings questions;
  };
  const Strings near = {kReplace};
  const std::vector<Case> cases = {
      {"4 apart: kept, nothing changes", frequency("11782"), {}, false, {}, {}, {}},
      {"5 apart: a new TP", frequency("11783"), {}, true, {"8", "0"}, {"8", "0", "11783", "27500", "V", "ARD"}, {}},
      {"exact match elsewhere", frequency("12000", true), {}, true, {"7", "0"}, {}, {}},
      {"near elsewhere, Yes", frequency("12003", true), {Answer::Yes}, true, {"7", "0"}, {}, near},
      {"near elsewhere, No",
       frequency("12003", true),
       {Answer::No},
       true,
       {"8", "0"},
       {"8", "0", "12003", "27500", "H", "ARD"},
       near},
      {"near elsewhere, Cancel", frequency("12003", true), {Answer::Cancel}, false, {}, {}, near},
      {"another satellite, no TP there",
       [](auto& d) { d.satellite.chosen = 1; },
       {},
       true,
       {"8", "1"},
       {"8", "1", "11778", "27500", "V", "ARD"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start(SmallList(), c.answers);
    DigitalChannelDialog dialog = Open(0);
    c.edit(dialog);
    EXPECT_EQ(Apply(0, dialog), c.changed);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(reporter.questions, c.questions);
    if (!c.changed) {
      ExpectUnchanged();
      continue;
    }
    EXPECT_TRUE(model.Modified());
    EXPECT_EQ(model.History().MenuText(), "Undo (1 - Setting channel)");
    EXPECT_EQ((Strings{Record(SectionKind::Channel, 0)[1], Record(SectionKind::Channel, 0)[2]}), c.tpAndSat);
    EXPECT_EQ(Count(SectionKind::Digital) > 3 ? Record(SectionKind::Digital, 3) : Strings{}, c.newTp);
    // A channel edit rewrites no TP unless its bouquet changes.
    for (std::size_t tp = 0; tp < 3; ++tp)
      EXPECT_EQ(Record(SectionKind::Digital, tp), RecordOf(original, SectionKind::Digital, tp));
  }
}

TEST_F(DigitalEdit, OkWritesTheRecordAndOnlyAChangedBouquet) {
  DigitalChannelDialog dialog = Open(0);
  dialog.bouquet = " ard ";
  EXPECT_FALSE(Apply(0, dialog));  // the same in upper case: nothing to write
  ExpectUnchanged();
  dialog.bouquet = " ARD HD ";
  EXPECT_TRUE(Apply(0, dialog));
  EXPECT_EQ(Record(SectionKind::Digital, 0), (Strings{"1", "0", "11778", "27500", "V", "ARD HD"}));

  // A PID row whose satellite is not chosen keeps its own.
  DigitalChannelDialog pid = Open(3);
  pid.satellite.chosen.reset();
  pid.name = "RAI 1";
  pid.videoPid = " 513";
  EXPECT_TRUE(Apply(3, pid));
  EXPECT_EQ(Record(SectionKind::ChannelPid, 0),
            (Strings{"4", "3", "1", "TV", "RAI 1", "513", "650", "8190", "1", "N"}));
}

TEST_F(DigitalEdit, RefusalsWriteNothing) {
  struct Case {
    std::size_t row;
    Edit edit;
    Strings messages;
    std::function<void(LineList&)> prepare = [](LineList&) {};
  };
  const std::vector<Case> cases = {
      {2,
       [](auto& d) { d.serviceId = "002"; },  // TP 7 is PHOENIX's TP 07
       {"ERROR : Channel Having Same SvcId,Tp Value EXIST!\r\nTo Edit,Change SvcId or TP Value!!"}},
      {0, [](auto& d) { d.serviceId = " 0000 "; }, {"CANCELED : SvcId nust not be zero!!!"}},
      {0, [](auto& d) { d.serviceId = "12G4"; }, {"SvcId must be a hexadecimal number!!!"}},
      {0, [](auto& d) { d.serviceId = "000000001"; }, {"SvcId exceeds 8 characters!!!"}},
      {0, [](auto& d) { d.videoPid = "100"; }, {kKind}},
      {3, [](auto& d) { d.audioPid = ""; }, {"Audio PID not filled!"}},
      {3, [](auto& d) { d.pcrPid = "81x"; }, {"PCR PID must be a number!!!"}},
      {0, [](auto& d) { d.satellite.degree = "N12"; }, kDegreeErrors},
      {0, [](auto& d) { d.satellite.chosen = 4; }, {"Satellite not selected!"}},
      {0, [](auto& d) { d.name = "ABCDEFGHIJKLMN"; }, {"Name exceeds 13 characters!!!"}},
      {0, [](auto& d) { d.name = "A\"B"; }, {kBadName}},
      {0, [](auto& d) { d.name = "A~B"; }, {kBadName}},
      {3, [](auto& d) { d.name = "#1"; }, {kBadName}},
      {0, [](auto& d) { d.name = "A\tB"; }, {kBadName}},
      {0, [](auto& d) { d.name = "CHANNEL END"; }, {"Name must not read as a section marker!!!"}},
      {0, [](auto& d) { d.bouquet = "ABCDEFGHIJKLMN"; }, {"Bouquet exceeds 13 characters!!!"}},
      {0, [](auto& d) { d.frequency = "120"; }, {"Frequency must be 4 or 5 characters!!!"}},
      {0, [](auto& d) { d.symbolRate = ""; }, {"Symbol Rate not filled!"}},
      {0,
       [](auto& d) { d.frequency = "11900"; },
       {"No Digital TP index left (0 to 4999)!!!"},
       [](LineList& l) { l[RecordStart(l, SectionKind::Digital, 2)] = "4999"; }},
      {0,
       [](auto&) {},
       {"Error on current TP index"},
       [](LineList& l) { l[RecordStart(l, SectionKind::Digital, 0)] = "01"; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.messages.front());
    LineList list = SmallList();
    c.prepare(list);
    Start(list);
    DigitalChannelDialog dialog = Open(c.row);
    c.edit(dialog);
    EXPECT_FALSE(Apply(c.row, dialog));
    EXPECT_EQ(reporter.messages, c.messages);
    EXPECT_TRUE(reporter.questions.empty());
    ExpectUnchanged();
  }
}

TEST_F(DigitalEdit, DeleteAsksByNameAndInsertNullFollowsTheRecord) {
  reporter.answers = {Answer::No, Answer::Yes};
  DigitalChannelDialog dialog = Open(0);
  dialog.name = "DAS ZWEITE";
  EXPECT_FALSE(Apply(0, dialog, Action::Delete));
  EXPECT_EQ(reporter.messages, Strings{"Delete Current Channel is canceled"});
  dialog.name = " das erste";
  EXPECT_FALSE(Apply(0, dialog, Action::Delete));  // answered No
  EXPECT_EQ(reporter.questions, Strings{"Delete: Really Wnat to Delete this channel\r\n Channel Name :   DAS ERSTE"});
  EXPECT_FALSE(Apply(1000000, dialog, Action::Delete));  // a row far beyond the view
  ExpectUnchanged();

  EXPECT_TRUE(Apply(0, dialog, Action::InsertNull));
  EXPECT_EQ(Record(SectionKind::Channel, 1), (Strings{"2", "1", "0", "0000", "TV", "_", "1", "Y"}));
  EXPECT_TRUE(Apply(4, Open(4), Action::InsertNull));
  EXPECT_EQ(Record(SectionKind::ChannelPid, 1), (Strings{"6", "3", "1", "TV", "_", "   0", "   0", "   0", "1", "Y"}));
  EXPECT_TRUE(Apply(4, Open(4), Action::Delete));  // answered Yes
  EXPECT_EQ(Record(SectionKind::ChannelPid, 0)[4], "_");
  EXPECT_EQ(model.History().MenuText(), "Undo (3 - Setting channel)");
}

TEST_F(DigitalEdit, NewChannel) {
  DigitalChannelDialog defaults = OpenNewDigitalChannel(model, reporter);
  EXPECT_EQ((Strings{defaults.activeAudio, defaults.bouquet, defaults.satellite.degree}),
            (Strings{"1", "---", "E019.2"}));
  defaults.videoPid = "5";
  defaults.serviceId = "1F";
  ServiceIdTyped(defaults);
  EXPECT_FALSE(defaults.pidsEnabled);
  EXPECT_EQ(defaults.videoPid, "");

  // Every refusal leaves no undo record and nothing to save; a list missing
  // a marker is told which one.
  LineList noChannelStart = SmallList(), noDigitalEnd = SmallList();
  noChannelStart.erase(std::find(noChannelStart.begin(), noChannelStart.end(), "CHANNEL START"));
  noDigitalEnd.erase(std::find(noDigitalEnd.begin(), noDigitalEnd.end(), "DIGITAL END"));
  auto serviceId = [](auto& d) { d.serviceId = "1F", d.frequency = "11200", d.symbolRate = "27500"; };
  struct Case {
    Edit edit;
    std::vector<Answer> answers;
    Strings messages;
    LineList list = SmallList();
  };
  const std::vector<Case> cases = {
      {[](auto&) {}, {}, {kKind}},
      {[](auto& d) { d.serviceId = "1", d.pcrPid = "2"; }, {}, {kKind}},
      {[](auto& d) { d.serviceId = "1F"; }, {}, {"Frequency not filled!"}},
      {[](auto& d) { d.serviceId = "1F", d.satellite.chosen.reset(); }, {}, {"Satellite not selected!"}},
      {[](auto& d) { d.serviceId = "1F", d.frequency = "11776", d.symbolRate = "27500", d.horizontal = false; },
       {Answer::Cancel},
       {}},
      {serviceId, {}, {"Can't find \" CHANNEL START \" "}, noChannelStart},
      {serviceId, {}, {"Can't find \" DIGITAL END \" "}, noDigitalEnd},
  };
  for (const Case& c : cases) {
    Start(c.list, c.answers);
    EXPECT_FALSE(ApplyNew(NewDialog(c.edit)));
    EXPECT_EQ(reporter.messages, c.messages);
    ExpectUnchanged();
  }

  // A service id on an unknown TP: a new TP on the first satellite.
  Start();
  auto dialog = NewDialog([](auto& d) { d.serviceId = "1f", d.frequency = "11200", d.symbolRate = "27500"; });
  EXPECT_TRUE(ApplyNew(dialog));
  EXPECT_EQ(model.History().MenuText(), "Undo (1 - New Dig Channel)");
  EXPECT_EQ(Record(SectionKind::Digital, 3), (Strings{"8", "0", "11200", "27500", "H", "---"}));
  EXPECT_EQ(Record(SectionKind::Channel, 3), (Strings{"4", "8", "0", "1f", "TV", "NEU", "1", "N"}));
  // PIDs on an existing TP of another satellite: appended to the PID channels.
  dialog = NewDialog([&](auto& d) {
    ChooseSatellite(model, d.satellite, 1, reporter);
    d.videoPid = "1", d.audioPid = "2", d.pcrPid = "3", d.tv = false, d.frequency = "10832", d.symbolRate = "22000";
  });
  EXPECT_TRUE(ApplyNew(dialog));
  EXPECT_EQ(Record(SectionKind::ChannelPid, 1), (Strings{"6", "3", "1", "RADIO", "NEU", "1", "2", "3", "1", "N"}));
  EXPECT_EQ(Count(SectionKind::Digital), 4u);
  EXPECT_TRUE(reporter.messages.empty() && reporter.questions.empty() && model.Modified());
}

}  // namespace
}  // namespace chanora::testing

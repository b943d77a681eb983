#include "editor/analog_channel_edit.h"

#include <functional>

#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using Values = AnalogChannelDialog;
using Action = AnalogEditAction;

// Rows of SmallList: 0 ALPHA on satellite 2, 1 Beta on satellite 1, 2 GAMMA on
// the missing satellite 9, 3 DELTA on satellite 3 whose degree does not convert.
class AnalogEdit : public EditorTest {
 protected:
  void SetUp() override { Start(); }

  Values Open(std::size_t row) {
    auto values = OpenAnalogChannelEdit(model, row, reporter);
    EXPECT_TRUE(values);
    return values.value_or(Values{});
  }
  bool Apply(std::size_t row, const Values& values, Action action = Action::Ok) {
    return ApplyAnalogChannelEdit(model, row, values, action, reporter);
  }
};

TEST_F(AnalogEdit, OpenShowsTheRowAndOkSavesEveryWordBack) {
  EXPECT_EQ(Open(0).satellite.chosen, 2u);  // by its index, not by the name it shares with satellite 0
  Values values = Open(1);
  EXPECT_EQ((Strings{values.satellite.degree, values.satellite.lnbLow}), (Strings{"E013.0", "10600"}));
  values.name = " beta ";  // the same channel: every word, and the stored letter case, stays
  EXPECT_FALSE(Apply(1, values));
  ExpectUnchanged();

  values.decoderOutput = 3;
  values.videoBand = 0;
  values.polarity = Values::Polarity::Vertical;
  values.type = Values::Type::Radio;
  ChooseSatellite(model, values.satellite, 0, reporter);
  ASSERT_TRUE(Apply(1, values));
  Strings record = Record(SectionKind::Analog, 1);
  EXPECT_EQ((Strings{record[1], record[4], record[5], record[6], record[9], record[16]}),
            (Strings{"0", "Beta", "18MHz", "V", "CANAL", "RADIO"}));
  EXPECT_EQ(model.History().MenuText(), "Undo (1 - Setting channel)");

  // No satellite chosen: the channel keeps its own.
  values.satellite.chosen.reset();
  values.threshold = "7";
  ASSERT_TRUE(Apply(1, values));
  record = Record(SectionKind::Analog, 1);
  EXPECT_EQ((Strings{record[1], record[7]}), (Strings{"0", "7"}));
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(AnalogEdit, AChannelWhoseSatelliteIsMissingOrUnreadableIsRefused) {
  // GAMMA's satellite 9 does not exist, DELTA's degree does not convert.
  EXPECT_FALSE(OpenAnalogChannelEdit(model, 2, reporter));
  EXPECT_FALSE(OpenAnalogChannelEdit(model, 3, reporter));
  EXPECT_FALSE(OpenAnalogChannelEdit(model, 4, reporter));
  EXPECT_EQ(reporter.messages, (Strings{kDegreeErrors[0], kDegreeErrors[1], kDegreeErrors[0], kDegreeErrors[1]}));

  // Nor is it saved with the satellite index it names.
  reporter.messages.clear();
  Values values = Open(0);
  values.satellite.chosen.reset();
  values.threshold = "7";
  EXPECT_FALSE(Apply(2, values));
  EXPECT_EQ(reporter.messages, Strings{"Satellite not selected!"});
  ExpectUnchanged();
}

TEST_F(AnalogEdit, UnknownWordsAreReportedInColumnOrderAndSomeStopTheEdit) {
  const std::string band = "Signal Band Must Be 'C' or 'Ku' Band";
  const std::vector<std::pair<std::vector<std::pair<int, std::string>>, Strings>> cases = {
      {{{3, "Ku"}, {14, "y"}, {16, "Radio"}},
       {band, "Panda Must Be 'Y'(Yes) or 'N'(No) ", "TV/Radio Type Must Be 'TV' or 'Radio' "}},
      {{{3, "Ku"}, {15, "U60"}, {16, "x"}}, {band, "De-empasis type must be 'NO_DEEMP' or 'U50' or 'U75' or 'J17' "}},
      {{{5, "18mhz"}, {6, "h"}}, {"Video Band must be '18MHz' or '27MHz' "}},
      {{{6, "h"}}, {"Polarization type must be 'H'(horizontal) or 'V'(vertical) "}},
      {{{9, "cvbs"}}, {"Output Decoder type must be 'CVBS' or 'DEEMP_CVBS' or 'BASEBAND' or 'CANAL' "}},
      {{{10, "MONO"}}, {"Audio Mode type must be 'STEREO' or 'MONO_LEFT' or 'MONO_RIGHT' "}},
      {{{13, "150"}, {14, "x"}}, {"Band Width type must be '130' or '180' or '280' or '300' or '400' "}},
  };
  for (const auto& [cells, messages] : cases) {
    SCOPED_TRACE(messages.back());
    LineList list = SmallList();
    for (const auto& [cell, word] : cells) list[RecordStart(list, SectionKind::Analog, 0) + cell] = word;
    Start(list);
    auto values = OpenAnalogChannelEdit(model, 0, reporter);
    EXPECT_EQ(reporter.messages, messages);
    EXPECT_EQ(values.has_value(), &messages == &cases[0].second);  // only band, Panda and type go on
    if (!values) continue;
    // Neither button of a pair: saved as the second word.
    ASSERT_TRUE(Apply(0, *values));
    EXPECT_EQ((Strings{Record(SectionKind::Analog, 0)[3], Record(SectionKind::Analog, 0)[14],
                       Record(SectionKind::Analog, 0)[16]}),
              (Strings{"KU", "N", "RADIO"}));
  }
}

TEST_F(AnalogEdit, AnotherNameAddsAChannelAtTheEnd) {
  Values values = Open(0);
  values.name = " alpha2 ";
  values.frequency = "11500";
  ASSERT_TRUE(Apply(0, values));
  EXPECT_EQ(Record(SectionKind::Analog, 0), RecordOf(original, SectionKind::Analog, 0));  // ALPHA stays as it was
  Strings added = Record(SectionKind::Analog, 0);
  added[0] = "5", added[2] = "11500", added[4] = "ALPHA2";
  EXPECT_EQ(Record(SectionKind::Analog, 4), added);
}

TEST_F(AnalogEdit, ANewNameClashesWithAStoredNameOnlyAsItStandsInUpperCase) {
  LineList list = SmallList();
  list[RecordStart(list, SectionKind::Analog, 2) + 4] = "gamma ";
  Start(list);
  Values values = Open(0);
  values.name = "BETA";
  EXPECT_FALSE(Apply(0, values));
  EXPECT_EQ(reporter.messages, Strings{"Same analog channel Name exist!!!\r\nName is \"BETA \" "});
  values.name = " Gamma";  // "gamma " with its blank is another name
  ASSERT_TRUE(Apply(0, values));
  EXPECT_EQ(Record(SectionKind::Analog, 4)[4], "GAMMA");
}

TEST_F(AnalogEdit, DeleteAsksAndInsertNullPutsANullChannelAfterTheRow) {
  reporter.answers = {Answer::No, Answer::Yes};
  Values values = Open(1);
  values.name = "anything";  // Insert Null takes no field
  values.satellite.degree = "bad";
  ASSERT_TRUE(Apply(1, values, Action::InsertNull));
  EXPECT_EQ(Record(SectionKind::Analog, 2), (Strings{"3", "1", "0000", "C", "_", "27MHz", "H", "1", "5", "CVBS",
                                                     "STEREO", "0000", "0000", "130", "Y", "U50", "TV", "Y"}));
  EXPECT_FALSE(Apply(5, values, Action::InsertNull));  // beyond the view
  values = Open(0);
  values.name = "GAMMA2";
  EXPECT_FALSE(Apply(0, values, Action::Delete));
  EXPECT_EQ(reporter.messages, Strings{"Not Exist matched channel"});

  values.name = "alpha";
  EXPECT_FALSE(Apply(0, values, Action::Delete));  // answered No
  EXPECT_EQ(Count(SectionKind::Analog), 5u);
  ASSERT_TRUE(Apply(0, values, Action::Delete));
  EXPECT_EQ(reporter.questions, Strings(2, "Delete: Really Wnat to Delete this channel"));
  EXPECT_EQ(Record(SectionKind::Analog, 0)[4], "Beta");
}

TEST_F(AnalogEdit, ANewChannelIsAppendedAndARefusedOneLeavesNoTrace) {
  Values values = OpenNewAnalogChannel(model, reporter);
  EXPECT_EQ((Strings{values.satellite.degree, values.satellite.lnbHigh}), (Strings{"E019.2", "9750"}));
  EXPECT_FALSE(ApplyNewAnalogChannel(model, values, reporter));
  values.frequency = "1150";
  values.name = " new one ";
  EXPECT_FALSE(ApplyNewAnalogChannel(model, values, reporter));
  EXPECT_EQ(reporter.messages, (Strings{"Frequency not filled!", "Threshold not filled!"}));
  ExpectUnchanged();

  values.threshold = values.contrast = "3";
  values.audioLeft = values.audioRight = "7.02";
  ChooseSatellite(model, values.satellite, 1, reporter);
  ASSERT_TRUE(ApplyNewAnalogChannel(model, values, reporter));
  EXPECT_EQ(Record(SectionKind::Analog, 4), (Strings{"5", "1", "1150", "C", "NEW ONE", "18MHz", "H", "3", "3", "CVBS",
                                                     "STEREO", "7.02", "7.02", "130", "Y", "NO_DEEMP", "TV", "N"}));
  EXPECT_EQ(model.History().MenuText(), "Undo (1 - New Ana Channel)");
  ASSERT_TRUE(model.Undo());
  EXPECT_EQ(model.List(), original);
  EXPECT_FALSE(model.Modified());
}

TEST_F(AnalogEdit, FieldsTheFileCannotCarryAreRefusedBeforeAnyWrite) {
  const std::vector<std::pair<std::function<void(Values&)>, Strings>> cases = {
      {[](Values& v) { v.frequency = "115"; }, {"Frequency must be 4 or 5 characters!!!"}},
      {[](Values& v) { v.threshold = "1 2"; }, {"Threshold must not hold a blank or '\"'!!!"}},
      {[](Values& v) { v.contrast = "1234567"; }, {"Contrast exceeds 6 characters!!!"}},
      {[](Values& v) { v.audioRight = "6\"5"; }, {"Audio Freq RIGHT must not hold a blank or '\"'!!!"}},
      {[](Values& v) { v.name = "A#B"; }, {"Name must not hold '\"', '~' or '#'!!!"}},
      {[](Values& v) { v.name = "FOURTEEN CHARS"; }, {"Name exceeds 13 characters!!!"}},
      {[](Values& v) { v.name = "beta"; }, {"Same analog channel Name exist!!!\r\nName is \"BETA \" "}},
      {[](Values& v) { v.audioMode = 3; }, {"Audio Mode not selected!"}},
      {[](Values& v) { v.satellite.chosen = 9; }, {"Satellite not selected!"}},
      {[](Values& v) { v.satellite.degree = "E12.X"; }, kDegreeErrors},
  };
  for (const auto& [change, messages] : cases) {
    SCOPED_TRACE(messages.back());
    Values values = Open(0);
    values.name = "ZETA";
    change(values);
    reporter.messages.clear();
    EXPECT_FALSE(Apply(0, values));
    EXPECT_EQ(reporter.messages, messages);
    ExpectUnchanged();
  }
}

}  // namespace
}  // namespace chanora::testing

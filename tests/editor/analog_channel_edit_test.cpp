#include "editor/analog_channel_edit.h"

#include <functional>

#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using Values = AnalogChannelValues;
using Action = AnalogEditAction;

// Rows of SmallList: 0 ALPHA on satellite 2, 1 Beta on satellite 1, 2 GAMMA on
// the missing satellite 9, 3 DELTA on satellite 3 whose degree does not convert.
class AnalogEdit : public EditorTest {
 protected:
  void SetUp() override { Start(); }

  Values Fill(std::size_t row) {
    auto values = FillAnalogChannelEdit(model, row, reporter);
    EXPECT_TRUE(values);
    return values.value_or(Values{});
  }
  int Apply(const Values& values, Action action = Action::Ok) {
    return ApplyAnalogChannelEdit(model, values, action, reporter);
  }
};

TEST_F(AnalogEdit, FillShowsTheRowAndOkSavesEveryWordBack) {
  EXPECT_EQ(Fill(0).satellite, 2u);  // by its index, not by the name it shares with satellite 0
  Values values = Fill(1);
  EXPECT_EQ((Strings{values.degree, values.lnbLow}), (Strings{"E013.0", "10600"}));
  values.name = " beta ";  // the same channel: every word, and the stored letter case, stays
  ASSERT_EQ(Apply(values), 1);
  EXPECT_EQ(Record(SectionKind::Analog, 1), RecordOf(original, SectionKind::Analog, 1));
  EXPECT_TRUE(model.modified);

  values.decoderOutput = 3;
  values.videoBand = 0;
  values.polarity = Values::Polarity::Vertical;
  values.type = Values::Type::Radio;
  ChooseAnalogSatellite(model, values, 0, reporter);
  ASSERT_EQ(Apply(values), 1);
  const Strings record = Record(SectionKind::Analog, 1);
  EXPECT_EQ((Strings{record[1], record[5], record[6], record[9], record[16]}),
            (Strings{"0", "18MHz", "V", "CANAL", "RADIO"}));

  // Without a satellite the row's index is kept and there is no degree to check.
  values = Fill(2);
  values.threshold = "7";
  ASSERT_EQ(Apply(values), 1);
  EXPECT_EQ((Strings{Record(SectionKind::Analog, 2)[1], Record(SectionKind::Analog, 2)[7]}), (Strings{"9", "7"}));
  ChooseAnalogSatellite(model, values, 3, reporter);  // a degree that does not convert
  EXPECT_EQ(values.lnbHigh, "");
  EXPECT_FALSE(FillAnalogChannelEdit(model, 3, reporter));  // a channel on that satellite
  EXPECT_FALSE(FillAnalogChannelEdit(model, 4, reporter));
  EXPECT_EQ(reporter.messages, (Strings{kDegreeErrors[0], kDegreeErrors[1], kDegreeErrors[0], kDegreeErrors[1]}));
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
    auto values = FillAnalogChannelEdit(model, 0, reporter);
    EXPECT_EQ(reporter.messages, messages);
    EXPECT_EQ(values.has_value(), &messages == &cases[0].second);  // only band, Panda and type go on
    if (!values) continue;
    // Neither button of a pair: saved as the second word.
    ASSERT_EQ(Apply(*values), 1);
    EXPECT_EQ((Strings{Record(SectionKind::Analog, 0)[3], Record(SectionKind::Analog, 0)[14], Record(SectionKind::Analog, 0)[16]}),
              (Strings{"KU", "N", "RADIO"}));
  }
}

TEST_F(AnalogEdit, AnotherNameAddsAChannelAtTheEnd) {
  Values values = Fill(0);
  values.name = " alpha2 ";
  values.frequency = "11500";
  ASSERT_EQ(Apply(values), 1);
  EXPECT_EQ(Record(SectionKind::Analog, 0), RecordOf(original, SectionKind::Analog, 0));  // ALPHA stays as it was
  Strings added = Record(SectionKind::Analog, 0);
  added[0] = "5", added[2] = "11500", added[4] = "ALPHA2";
  EXPECT_EQ(Record(SectionKind::Analog, 4), added);
}

TEST_F(AnalogEdit, DeleteAsksAndInsertNullPutsANullChannelAfterTheRow) {
  reporter.answers = {Answer::No, Answer::Yes};
  Values values = Fill(1);
  values.name = "anything";  // Insert Null takes no field
  values.degree = "bad";
  ASSERT_EQ(Apply(values, Action::InsertNull), 1);
  EXPECT_EQ(Record(SectionKind::Analog, 2), (Strings{"3", "1", "0000", "C", "_", "27MHz", "H", "1", "5", "CVBS", "STEREO", "0000",
                                        "0000", "130", "Y", "U50", "TV", "Y"}));
  values.rowIndex = "77";
  EXPECT_EQ(Apply(values, Action::InsertNull), 0);
  values = Fill(0);
  values.name = "GAMMA2";
  EXPECT_EQ(Apply(values, Action::Delete), 0);
  EXPECT_EQ(reporter.messages, (Strings{"Error : Can not find current analog channel", "Not Exist matched channel"}));

  values.name = "alpha";
  EXPECT_EQ(Apply(values, Action::Delete), 0);  // answered No
  EXPECT_EQ(Count(SectionKind::Analog), 5u);
  ASSERT_EQ(Apply(values, Action::Delete), 1);
  EXPECT_EQ(reporter.questions, Strings(2, "Delete: Really Wnat to Delete this channel"));
  EXPECT_EQ(Record(SectionKind::Analog, 0)[4], "Beta");
}

TEST_F(AnalogEdit, NewChannelKeepsItsUndoRecordOnlyWhenTheFrequencyIsMissing) {
  Values values = NewAnalogChannelDefaults(model, reporter);
  EXPECT_EQ((Strings{values.degree, values.lnbHigh}), (Strings{"E019.2", "9750"}));
  EXPECT_EQ(ApplyNewAnalogChannel(model, values, reporter), 0);
  EXPECT_EQ(model.undo.MenuText(), "Undo (1 - New Ana Channel)");
  values.frequency = "1150";
  values.name = " new one ";
  EXPECT_EQ(ApplyNewAnalogChannel(model, values, reporter), 0);
  EXPECT_EQ(reporter.messages, (Strings{"Frequency not filled!", "Threshold not filled!"}));
  EXPECT_EQ(model.undo.UndoDepth(), 1u);
  ExpectUnchanged();

  values.threshold = values.contrast = "3";
  values.audioLeft = values.audioRight = "7.02";
  ChooseAnalogSatellite(model, values, 1, reporter);
  ASSERT_EQ(ApplyNewAnalogChannel(model, values, reporter), 1);
  EXPECT_EQ(Record(SectionKind::Analog, 4), (Strings{"5", "1", "1150", "C", "NEW ONE", "18MHz", "H", "3", "3", "CVBS", "STEREO",
                                        "7.02", "7.02", "130", "Y", "NO_DEEMP", "TV", "N"}));
  ASSERT_TRUE(model.Undo() && model.Undo());
  EXPECT_EQ(model.list, original);
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
      {[](Values& v) { v.satellite = 9; }, {"Satellite not selected!"}},
      {[](Values& v) { v.degree = "E12.X"; }, kDegreeErrors},
  };
  for (const auto& [change, messages] : cases) {
    SCOPED_TRACE(messages.back());
    Values values = Fill(0);
    values.name = "ZETA";
    change(values);
    reporter.messages.clear();
    EXPECT_EQ(Apply(values), 0);
    EXPECT_EQ(reporter.messages, messages);
    ExpectUnchanged();
  }
}

}  // namespace
}  // namespace chanora::testing

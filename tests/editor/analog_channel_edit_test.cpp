#include "editor/analog_channel_edit.h"

#include <functional>
#include <vector>

#include "editor/section_map.h"
#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using Values = AnalogChannelValues;
using Cells = std::vector<std::string>;

constexpr const char* kDegreeError = "Degree format ERROR!!!";
constexpr const char* kConvertError = "ERROR in converting degree format!!!";

Cells Analog(const std::string& sat, const std::string& name) {
  return {"9", sat, "1150", "C", name, "27MHz", "H", "1", "5", "CVBS", "STEREO", "6.50", "6.80", "130", "Y", "U50",
          "TV", "N"};
}

class AnalogEditTest : public EditorTest {
 protected:
  // Satellite 2 has the name of satellite 0 in another case; no satellite 9
  // exists; satellite 3 holds a degree that does not convert.
  void SetUp() override {
    Cells beta = Analog("1", "Beta");
    beta[10] = "MONO_RIGHT";
    beta[13] = "400";
    beta[14] = "N";
    list_ = {"SAT_NAME START", "1", "ASTRA", "SAT_NAME END", "SATELLITE START",
             "0", "ASTRA", "N", "9750", "10600", "1", "0192",
             "1", "HOTBIRD", "N", "9750", "10600", "2", "0130",
             "2", "astra", "N", "9750", "10600", "3", "-0450",
             "3", "BAD", "N", "9750", "10600", "4", "X12",
             "SATELLITE END", "ANALOG START"};
    for (const Cells& record : {Analog("2", "ALPHA"), beta, Analog("9", "GAMMA"), Analog("3", "DELTA")}) {
      list_.insert(list_.end(), record.begin(), record.end());
    }
    list_.push_back("ANALOG END");
    model_ = ModelOf(list_);
    list_ = model_.list;  // as renumbered
  }

  static Cells RecordOf(const LineList& list, std::size_t k) {
    const auto start = list.begin() + static_cast<std::ptrdiff_t>(SectionMap(list).RecordStart(ANALOG, k));
    return {start, start + 18};
  }
  Cells Record(std::size_t k) const { return RecordOf(model_.list, k); }
  std::size_t Count() const { return SectionMap(model_.list).RecordCount(ANALOG); }
  Values Fill(std::size_t row) {
    auto values = FillAnalogChannelEdit(model_, row, reporter);
    EXPECT_TRUE(values);
    return values.value_or(Values{});
  }
  void ExpectUnchanged() const {
    EXPECT_EQ(model_.list, list_);
    EXPECT_FALSE(model_.modified);
  }

  LineList list_;
  ListViewModel model_;
};

TEST_F(AnalogEditTest, FillShowsTheRowAndOkSavesEveryWordBack) {
  Values values = Fill(1);
  EXPECT_EQ(values.title, kAnalogEditTitle);
  EXPECT_EQ(values.bandWidth, 4);
  EXPECT_EQ(values.audioMode, 2);
  EXPECT_EQ(values.dnr, Values::Dnr::No);
  EXPECT_EQ(values.satellite, 1u);
  EXPECT_EQ(values.satelliteNames, (Cells{"ASTRA", "HOTBIRD", "astra", "BAD"}));
  EXPECT_EQ(values.degree, "E013.0");
  EXPECT_EQ(values.lnbLow, "10600");
  EXPECT_TRUE(reporter.messages.empty());

  values.name = " beta ";  // the same channel: the stored letter case stays
  ASSERT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::Ok, reporter), 1);
  EXPECT_EQ(Record(1), RecordOf(list_, 1));  // "Beta", "400", "N", "MONO_RIGHT" as they were
  EXPECT_TRUE(model_.modified);

  values.decoderOutput = 3;
  values.videoBand = 0;
  values.polarity = Values::Polarity::Vertical;
  values.type = Values::Type::Radio;
  ChooseAnalogSatellite(model_, values, 0, reporter);
  EXPECT_EQ(values.degree, "E019.2");
  ASSERT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::Ok, reporter), 1);
  const Cells record = Record(1);
  EXPECT_EQ(record[1], "0");
  EXPECT_EQ(record[9], "CANAL");
  EXPECT_EQ(record[5], "18MHz");
  EXPECT_EQ(record[6], "V");
  EXPECT_EQ(record[16], "RADIO");
  EXPECT_EQ(model_.rows.analog.Cell(model_.list, 1, 18), "ASTRA");
}

TEST_F(AnalogEditTest, UnknownWordsAreReportedInColumnOrderAndSomeStopTheEdit) {
  struct Case {
    std::vector<std::pair<int, std::string>> cells;
    std::vector<std::string> messages;
    bool opens;
  };
  const std::string band = "Signal Band Must Be 'C' or 'Ku' Band";
  const std::string panda = "Panda Must Be 'Y'(Yes) or 'N'(No) ";
  const std::string type = "TV/Radio Type Must Be 'TV' or 'Radio' ";
  const std::vector<Case> cases = {
      {{{3, "Ku"}, {14, "y"}, {16, "Radio"}}, {band, panda, type}, true},
      {{{3, "Ku"}, {15, "U60"}, {16, "x"}}, {band, "De-empasis type must be 'NO_DEEMP' or 'U50' or 'U75' or 'J17' "},
       false},
      {{{5, "18mhz"}, {6, "h"}}, {"Video Band must be '18MHz' or '27MHz' "}, false},
      {{{6, "h"}}, {"Polarization type must be 'H'(horizontal) or 'V'(vertical) "}, false},
      {{{9, "cvbs"}}, {"Output Decoder type must be 'CVBS' or 'DEEMP_CVBS' or 'BASEBAND' or 'CANAL' "}, false},
      {{{10, "MONO"}}, {"Audio Mode type must be 'STEREO' or 'MONO_LEFT' or 'MONO_RIGHT' "}, false},
      {{{13, "150"}, {14, "x"}}, {"Band Width type must be '130' or '180' or '280' or '300' or '400' "}, false},
  };
  for (const Case& c : cases) {
    LineList list = list_;
    for (const auto& [cell, word] : c.cells) list[SectionMap(list).RecordStart(ANALOG, 0) + cell] = word;
    model_ = ModelOf(list);
    reporter.messages.clear();
    auto values = FillAnalogChannelEdit(model_, 0, reporter);
    EXPECT_EQ(values.has_value(), c.opens) << c.messages.back();
    EXPECT_EQ(reporter.messages, c.messages);
    if (!values) continue;
    // Neither button of a pair: saved as the second word.
    EXPECT_EQ(values->band, Values::Band::Neither);
    ASSERT_EQ(ApplyAnalogChannelEdit(model_, *values, AnalogEditAction::Ok, reporter), 1);
    EXPECT_EQ(Record(0)[3], "KU");
    EXPECT_EQ(Record(0)[14], "N");
    EXPECT_EQ(Record(0)[16], "RADIO");
  }

  reporter.messages.clear();
  EXPECT_FALSE(FillAnalogChannelEdit(model_, 3, reporter));  // satellite 3's degree
  EXPECT_EQ(reporter.messages, (Cells{kConvertError, kDegreeError}));
  reporter.messages.clear();
  EXPECT_FALSE(FillAnalogChannelEdit(model_, 4, reporter));
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(AnalogEditTest, SatelliteIsChosenByIndexAndAMissingOneKeepsTheRowsIndex) {
  Values alpha = Fill(0);  // its satellite "astra" shares a name with ASTRA
  EXPECT_EQ(alpha.satellite, 2u);
  EXPECT_EQ(alpha.degree, "W045.0");
  ASSERT_EQ(ApplyAnalogChannelEdit(model_, alpha, AnalogEditAction::Ok, reporter), 1);
  EXPECT_EQ(Record(0)[1], "2");

  Values gamma = Fill(2);
  EXPECT_FALSE(gamma.satellite);
  EXPECT_EQ(gamma.degree, "");
  gamma.threshold = "7";
  ASSERT_EQ(ApplyAnalogChannelEdit(model_, gamma, AnalogEditAction::Ok, reporter), 1);
  EXPECT_EQ(Record(2)[1], "9");
  EXPECT_EQ(Record(2)[7], "7");

  ChooseAnalogSatellite(model_, gamma, 3, reporter);  // a degree that does not convert
  EXPECT_EQ(gamma.satellite, 3u);
  EXPECT_EQ(gamma.lnbHigh, "");
  EXPECT_EQ(reporter.messages, (Cells{kConvertError, kDegreeError}));
  EXPECT_TRUE(reporter.questions.empty());
}

TEST_F(AnalogEditTest, AnotherNameAddsAChannelUnlessAnyChannelHasIt) {
  Values values = Fill(0);
  values.name = "beta";
  EXPECT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::Ok, reporter), 0);
  EXPECT_EQ(reporter.messages, (Cells{"Same analog channel Name exist!!!\r\nName is \"BETA \" "}));
  ExpectUnchanged();

  values.name = " alpha2 ";
  values.frequency = "11500";
  ASSERT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::Ok, reporter), 1);
  ASSERT_EQ(Count(), 5u);
  EXPECT_EQ(Record(0), RecordOf(list_, 0));  // ALPHA stays as it was
  Cells added = Record(0);
  added[0] = "5";
  added[2] = "11500";
  added[4] = "ALPHA2";
  EXPECT_EQ(Record(4), added);
  EXPECT_EQ(model_.ChannelRowCount(false), 5u);
}

TEST_F(AnalogEditTest, DeleteAsksAndOnlyTakesTheChannelOfTheRow) {
  Values values = Fill(1);
  values.name = "GAMMA2";
  EXPECT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::Delete, reporter), 0);
  EXPECT_EQ(reporter.messages, (Cells{"Not Exist matched channel"}));
  values.name = "Beta";
  reporter.answers = {Answer::No, Answer::Yes};
  EXPECT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::Delete, reporter), 0);
  ExpectUnchanged();
  ASSERT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::Delete, reporter), 1);
  EXPECT_EQ(reporter.questions, (Cells(2, "Delete: Really Wnat to Delete this channel")));
  ASSERT_EQ(Count(), 3u);
  EXPECT_EQ(Record(1)[4], "GAMMA");
  EXPECT_EQ(Record(1)[0], "2");
}

TEST_F(AnalogEditTest, InsertNullPutsANullChannelAfterTheRow) {
  Values values = Fill(1);
  values.name = "anything";  // Insert Null takes no field
  values.degree = "bad";
  ASSERT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::InsertNull, reporter), 1);
  ASSERT_EQ(Count(), 5u);
  EXPECT_EQ(Record(2), (Cells{"3", "1", "0000", "C", "_", "27MHz", "H", "1", "5", "CVBS", "STEREO", "0000", "0000",
                              "130", "Y", "U50", "TV", "Y"}));
  EXPECT_EQ(Record(3)[4], "GAMMA");

  values.rowIndex = "77";
  EXPECT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::InsertNull, reporter), 0);
  EXPECT_EQ(reporter.messages, (Cells{"Error : Can not find current analog channel"}));
}

TEST_F(AnalogEditTest, NewChannelNeedsAFrequencyAndKeepsItsOwnUndoRecord) {
  Values values = NewAnalogChannelDefaults(model_, reporter);
  EXPECT_TRUE(values.isNew);
  EXPECT_EQ(values.title, kAnalogNewTitle);
  EXPECT_EQ(values.satellite, 0u);
  EXPECT_EQ(values.degree, "E019.2");
  EXPECT_EQ(values.lnbHigh, "9750");

  EXPECT_EQ(ApplyNewAnalogChannel(model_, values, reporter), 0);
  EXPECT_EQ(reporter.messages, (Cells{"Frequency not filled!"}));
  EXPECT_EQ(model_.undo.MenuText(), "Undo (1 - New Ana Channel)");
  ExpectUnchanged();

  values.name = " new one ";
  values.frequency = "1234";
  values.threshold = values.contrast = "3";
  values.audioLeft = values.audioRight = "7.02";
  ChooseAnalogSatellite(model_, values, 1, reporter);
  ASSERT_EQ(ApplyNewAnalogChannel(model_, values, reporter), 1);
  EXPECT_EQ(model_.undo.UndoDepth(), 2u);
  EXPECT_EQ(Record(4), (Cells{"5", "1", "1234", "C", "NEW ONE", "18MHz", "H", "3", "3", "CVBS", "STEREO", "7.02",
                              "7.02", "130", "Y", "NO_DEEMP", "TV", "N"}));
  EXPECT_TRUE(model_.modified);
  ASSERT_TRUE(model_.Undo());
  ASSERT_TRUE(model_.Undo());
  EXPECT_EQ(model_.list, list_);
}

TEST_F(AnalogEditTest, FieldsTheFileCannotCarryAreRefusedBeforeAnyWrite) {
  const std::vector<std::pair<std::function<void(Values&)>, Cells>> cases = {
      {[](Values& v) { v.frequency = "115"; }, {"Frequency must be 4 or 5 characters!!!"}},
      {[](Values& v) { v.frequency = ""; }, {"Frequency not filled!"}},
      {[](Values& v) { v.threshold = "1 2"; }, {"Threshold must not hold a blank or '\"'!!!"}},
      {[](Values& v) { v.contrast = "1234567"; }, {"Contrast exceeds 6 characters!!!"}},
      {[](Values& v) { v.audioRight = "6\"5"; }, {"Audio Freq RIGHT must not hold a blank or '\"'!!!"}},
      {[](Values& v) { v.name = "A\"B"; }, {"Name must not hold '\"', '~' or '#'!!!"}},
      {[](Values& v) { v.name = "A~B"; }, {"Name must not hold '\"', '~' or '#'!!!"}},
      {[](Values& v) { v.name = "A#B"; }, {"Name must not hold '\"', '~' or '#'!!!"}},
      {[](Values& v) { v.name = "FOURTEEN CHARS"; }, {"Name exceeds 13 characters!!!"}},
      {[](Values& v) { v.audioMode = 3; }, {"Audio Mode not selected!"}},
      {[](Values& v) { v.satellite = 9; }, {"Satellite not selected!"}},
      {[](Values& v) { v.degree = "E12.X"; }, {kConvertError, kDegreeError}},
  };
  for (const auto& [change, messages] : cases) {
    Values values = Fill(0);
    values.name = "ZETA";
    change(values);
    reporter.messages.clear();
    EXPECT_EQ(ApplyAnalogChannelEdit(model_, values, AnalogEditAction::Ok, reporter), 0) << messages[0];
    EXPECT_EQ(reporter.messages, messages);
    ExpectUnchanged();
  }

  Values values = NewAnalogChannelDefaults(model_, reporter);
  values.frequency = "1150";
  values.name = "NEW";
  reporter.messages.clear();
  EXPECT_EQ(ApplyNewAnalogChannel(model_, values, reporter), 0);
  EXPECT_EQ(reporter.messages, (Cells{"Threshold not filled!"}));
  EXPECT_EQ(model_.undo.UndoDepth(), 0u);  // nothing changed, nothing to undo
  ExpectUnchanged();
}

}  // namespace
}  // namespace chanora::testing

#include "editor/satellite_edit.h"

#include <vector>

#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using Cells = std::vector<std::string>;

constexpr const char* kDegreeError = "Degree format ERROR!!!";
constexpr const char* kConvertError = "ERROR in converting degree format!!!";

class SatelliteEditTest : public EditorTest {
 protected:
  void SetUp() override {
    list_ = {"SAT_NAME START", "1", "ASTRA", "2", "HOTBIRD", "SAT_NAME END", "SATELLITE START",
             "0", "ASTRA", "N", "9750", "10600", "1", "0192",
             "1", "HOTBIRD", "N", "9750", "10600", "2", "0130",
             "2", "OLD", "Y", "9750", "10600", "3", "X12",
             "SATELLITE END", "ANALOG START",
             "1", "1", "1150", "C", "ALPHA", "27MHz", "H", "1", "5", "CVBS", "STEREO", "6.50", "6.80", "130", "Y",
             "U50", "TV", "N", "ANALOG END"};
    model_ = ModelOf(list_);
  }
  Cells Satellite(std::size_t k) const {
    const auto start = model_.list.begin() + 7 + 7 * static_cast<std::ptrdiff_t>(k);
    return {start, start + 7};
  }
  void ExpectUnchanged() const {
    EXPECT_EQ(model_.list, list_);
    EXPECT_FALSE(model_.modified);
  }

  LineList list_;
  ListViewModel model_;
};

TEST_F(SatelliteEditTest, OkWritesTheRecordAndChannelsShowItAfterTheRebuild) {
  auto values = FillSatelliteEdit(model_, 1, reporter);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->title, kSatelliteEditTitle);
  EXPECT_EQ(values->name, "HOTBIRD");
  EXPECT_FALSE(values->blank);
  EXPECT_EQ(values->degree, "E013.0");
  EXPECT_FALSE(ApplySatelliteEdit(model_, *values, reporter));  // nothing changed
  ExpectUnchanged();

  values->name = "HOT BIRD 13";
  values->blank = true;
  values->lnbHigh = "9751";
  values->lnbLow = "10601";
  values->position = "12";
  values->degree = "w12.55";
  ASSERT_TRUE(ApplySatelliteEdit(model_, *values, reporter));
  EXPECT_EQ(Satellite(1), (Cells{"1", "HOT BIRD 13", "Y", "9751", "10601", "12", "-0125"}));
  EXPECT_EQ(model_.list[4], "HOTBIRD");  // the name list keeps its name
  EXPECT_EQ(model_.rows.analog.Cell(model_.list, 0, 18), "HOT BIRD 13");
  EXPECT_EQ(model_.rows.analog.Cell(model_.list, 0, 22), "-0125");
  EXPECT_TRUE(model_.modified);
  EXPECT_EQ(model_.undo.UndoDepth(), 0u);
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(SatelliteEditTest, EveryFieldIsCheckedBeforeTheFirstCellIsWritten) {
  const std::vector<std::pair<void (*)(SatelliteValues&), Cells>> cases = {
      {[](SatelliteValues& v) { v.degree = "E12.X"; }, {kConvertError, kDegreeError}},
      {[](SatelliteValues& v) { v.degree = "N12.0"; }, {kConvertError, kDegreeError}},
      {[](SatelliteValues& v) { v.name = "  "; }, {"Name not filled!"}},
      {[](SatelliteValues& v) { v.name = "FOURTEEN CHARS"; }, {"Name exceeds 13 characters!!!"}},
      {[](SatelliteValues& v) { v.name = "SAT#1"; }, {"Name must not hold '\"', '~' or '#'!!!"}},
      {[](SatelliteValues& v) { v.lnbHigh = "975"; }, {"LNB_LO High must be 4 or 5 characters!!!"}},
      {[](SatelliteValues& v) { v.lnbLow = "10 60"; }, {"LNB_LO Low must not hold a blank, '\"' or '#'!!!"}},
      {[](SatelliteValues& v) { v.position = "#1"; }, {"Position must not hold a blank, '\"' or '#'!!!"}},
      {[](SatelliteValues& v) { v.position = "123456"; }, {"Position exceeds 5 characters!!!"}},
      {[](SatelliteValues& v) { v.position = ""; }, {"Position not filled!"}},
  };
  for (const auto& [change, messages] : cases) {
    auto values = FillSatelliteEdit(model_, 0, reporter);
    ASSERT_TRUE(values);
    values->name = "CHANGED";
    change(*values);
    reporter.messages.clear();
    EXPECT_FALSE(ApplySatelliteEdit(model_, *values, reporter)) << messages.back();
    EXPECT_EQ(reporter.messages, messages);
    ExpectUnchanged();
  }

  reporter.messages.clear();
  EXPECT_FALSE(FillSatelliteEdit(model_, 2, reporter));  // its stored degree does not convert
  EXPECT_EQ(reporter.messages, (Cells{kConvertError, kDegreeError}));
  reporter.messages.clear();
  EXPECT_FALSE(FillSatelliteEdit(model_, 3, reporter));
  SatelliteValues beyond{.title = "", .record = 3, .name = "X", .lnbHigh = "9750", .lnbLow = "9750",
                         .position = "1", .degree = "E1.0"};
  EXPECT_FALSE(ApplySatelliteEdit(model_, beyond, reporter));
  EXPECT_TRUE(reporter.messages.empty());
  ExpectUnchanged();
}

}  // namespace
}  // namespace chanora::testing

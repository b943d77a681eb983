#include "editor/satellite_edit.h"

#include <utility>

#include "editor/degree.h"
#include "tests/editor/editor_fixture.h"

namespace chanora::testing {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(Degree, StoredAndTypedFormsConvertBothWays) {
  // Stored: signed tenths, the degrees taken modulo 360.
  for (const auto& [stored, display] : Pairs{{"1234", "E123.4"},
                                             {"-0450", "W045.0"},
                                             {"+0192", "E019.2"},
                                             {"-0005", "W000.5"},
                                             {"3605", "E000.5"},
                                             {" 0130 ", "E013.0"}}) {
    EXPECT_EQ(DegreeToDisplay(stored), display) << stored;
  }
  // Typed: a hemisphere letter of either case, a sign or none; further
  // digits of tenths cut, not rounded; West 0 stored without its sign.
  for (const auto& [display, stored] : Pairs{{"E123.4", "1234"},
                                             {"123.4", "1234"},
                                             {"e123.4", "1234"},
                                             {"w45", "-0450"},
                                             {"W0", "0000"},
                                             {"-000.0", "0000"},
                                             {"E12.55", "0125"},
                                             {"E400.0", "0400"},
                                             {"E12.", "0120"},
                                             {" W000.5 ", "-0005"}}) {
    EXPECT_EQ(DegreeToStored(display), stored) << display;
  }
  for (const char* text : {"N12.0", "   ", ".5", "E12.X", "W1.-"}) EXPECT_FALSE(DegreeToStored(text)) << text;
  for (const char* text : {"", "E123.4", ".5"}) EXPECT_FALSE(DegreeToDisplay(text)) << text;
}

TEST(Degree, ConvertDegreeReportsFailureAndKeepsTheOutput) {
  RecordingReporter reporter;
  std::string output = "kept";
  EXPECT_FALSE(ConvertDegree("E12.X", output, false, reporter));
  EXPECT_EQ(output, "kept");
  EXPECT_EQ(reporter.messages, Strings{kDegreeErrors[0]});
}

using SatelliteEdit = EditorTest;

TEST_F(SatelliteEdit, OkWritesTheRecordWhenSomethingChanged) {
  Start();
  auto values = OpenSatelliteEdit(model, 1, reporter);
  ASSERT_TRUE(values);
  EXPECT_EQ((Strings{values->name, values->lnbHigh, values->position, values->degree}),
            (Strings{"HOTBIRD", "9750", "1", "E013.0"}));
  EXPECT_FALSE(ApplySatelliteEdit(model, 1, *values, reporter));  // nothing changed
  ExpectUnchanged();

  values->name = "HOT BIRD 13";
  values->blank = true;
  values->lnbHigh = "9751";
  values->lnbLow = "10601";
  values->position = "12";
  values->degree = "w12.55";
  ASSERT_TRUE(ApplySatelliteEdit(model, 1, *values, reporter));
  EXPECT_EQ(Record(SectionKind::Satellite, 1), (Strings{"1", "HOT BIRD 13", "Y", "9751", "10601", "12", "-0125"}));
  EXPECT_EQ(model.List()[4], "HOTBIRD");             // the name list keeps its name
  EXPECT_EQ(model.ShownCell(3, 15), "HOT BIRD 13");  // the channels on it show its new name
  EXPECT_TRUE(model.Modified());
  EXPECT_EQ(model.History().UndoDepth(), 0u);
}

TEST_F(SatelliteEdit, EveryFieldIsCheckedBeforeTheFirstCellIsWritten) {
  Start();
  const std::vector<std::pair<void (*)(SatelliteDialog&), Strings>> cases = {
      {[](SatelliteDialog& v) { v.degree = "E12.X"; }, kDegreeErrors},
      {[](SatelliteDialog& v) { v.name = "  "; }, {"Name not filled!"}},
      {[](SatelliteDialog& v) { v.name = "SAT#1"; }, {"Name must not hold '\"', '~' or '#'!!!"}},
      {[](SatelliteDialog& v) { v.lnbHigh = "975"; }, {"LNB_LO High must be 4 or 5 characters!!!"}},
      {[](SatelliteDialog& v) { v.lnbLow = "10 60"; }, {"LNB_LO Low must not hold a blank, '\"' or '#'!!!"}},
      {[](SatelliteDialog& v) { v.position = "#1"; }, {"Position must not hold a blank, '\"' or '#'!!!"}},
      {[](SatelliteDialog& v) { v.position = "123456"; }, {"Position exceeds 5 characters!!!"}},
  };
  for (const auto& [change, messages] : cases) {
    SCOPED_TRACE(messages.back());
    auto values = OpenSatelliteEdit(model, 0, reporter);
    ASSERT_TRUE(values);
    values->name = "CHANGED";
    change(*values);
    reporter.messages.clear();
    EXPECT_FALSE(ApplySatelliteEdit(model, 0, *values, reporter));
    EXPECT_EQ(reporter.messages, messages);
    ExpectUnchanged();
  }

  reporter.messages.clear();
  EXPECT_FALSE(OpenSatelliteEdit(model, 3, reporter));  // its stored degree does not convert
  EXPECT_EQ(reporter.messages, kDegreeErrors);
  EXPECT_FALSE(OpenSatelliteEdit(model, 4, reporter));
  const SatelliteDialog beyond{
      .title = "", .name = "X", .lnbHigh = "9750", .lnbLow = "9750", .position = "1", .degree = "E1.0"};
  EXPECT_FALSE(ApplySatelliteEdit(model, 4, beyond, reporter));
  EXPECT_EQ(reporter.messages.size(), 2u);
  ExpectUnchanged();
}

}  // namespace
}  // namespace chanora::testing

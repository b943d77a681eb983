#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/degree.h"
#include "tests/support/recording_reporter.h"

namespace chanora::testing {
namespace {

constexpr const char* kConvertError = "ERROR in converting degree format!!!";

TEST(DegreeTest, StoredFormShowsHemisphereDegreesAndTenths) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"1234", "E123.4"}, {"-0450", "W045.0"}, {"+0192", "E019.2"}, {"0000", "E000.0"},
      {"-0005", "W000.5"}, {"3605", "E000.5"}, {" 0130 ", "E013.0"}, {"-", "W000.0"},
  };
  for (const auto& [stored, display] : cases) EXPECT_EQ(DegreeToDisplay(stored), display) << stored;
}

TEST(DegreeTest, TypedFormStoresSignedTenthsWithoutRounding) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"E123.4", "1234"}, {"123.4", "1234"}, {"+123.4", "1234"}, {"e123.4", "1234"}, {"W45", "-0450"},
      {"w045.0", "-0450"}, {"W0", "0000"}, {"W000.0", "0000"}, {"-000.0", "0000"}, {"E12.55", "0125"},
      {"E400.0", "0400"}, {"E12.", "0120"}, {" W000.5 ", "-0005"}, {"E", "0000"},
  };
  for (const auto& [display, stored] : cases) EXPECT_EQ(DegreeToStored(display), stored) << display;
}

TEST(DegreeTest, TextsWithoutHemisphereOrDigitAndNonDigitTenthsAreRefused) {
  for (const char* text : {"N12.0", "", "   ", ".5", "E12.X", "W1.-"}) EXPECT_FALSE(DegreeToStored(text)) << text;
  for (const char* text : {"", "E123.4", "abc", ".5"}) EXPECT_FALSE(DegreeToDisplay(text)) << text;
}

TEST(DegreeTest, ConvertDegreeReportsFailureAndKeepsTheOutput) {
  RecordingReporter reporter;
  std::string output = "kept";
  EXPECT_FALSE(ConvertDegree("E12.X", output, false, reporter));
  EXPECT_FALSE(ConvertDegree("N12.0", output, true, reporter));
  EXPECT_EQ(output, "kept");
  EXPECT_EQ(reporter.messages, (std::vector<std::string>{kConvertError, kConvertError}));

  reporter.messages.clear();
  ASSERT_TRUE(ConvertDegree("-0450", output, true, reporter));
  EXPECT_EQ(output, "W045.0");
  ASSERT_TRUE(ConvertDegree(output, output, false, reporter));
  EXPECT_EQ(output, "-0450");
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace chanora::testing

#include "tests/textformat/textformat_fixture.h"

namespace chanora::testing {
namespace {

using Reader = TextFormatTest;

TEST_F(Reader, DropsNullChannelsButKeepsChannelsOfTpZero) {
  LineList list = Read(CrLfLines({
      "[DIGITAL CHANNEL]",
      R"(1 0 0 1A2B TV "On TP zero" 1 N)",
      R"(2 4 0 0000 TV "_" 1 Y)",
      R"(3 4 0 0 RADIO "_" 1 Y)",
      R"(4 4 0 00C1 RADIO "Kept" 2 N)",
      "[END]",
  }));
  ASSERT_TRUE(readOk);
  EXPECT_TRUE(dropped);
  EXPECT_EQ(list, (LineList{"CHANNEL START",
                            "1",
                            "0",
                            "0",
                            "1A2B",
                            "TV",
                            "On TP zero",
                            "1",
                            "N",
                            "4",
                            "4",
                            "0",
                            "00C1",
                            "RADIO",
                            "Kept",
                            "2",
                            "N",
                            "CHANNEL END",
                            "CHANNEL_PID START",
                            "CHANNEL_PID END",
                            "ANALOG START",
                            "ANALOG END"}));
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(Reader, KeepsChannelWithBadServiceIdAfterSayingSo) {
  LineList list = Read(CrLfLines({"[DIGITAL CHANNEL]", R"(1 1 0 XYZ TV "Odd" 1 N)"}));
  ASSERT_TRUE(readOk);
  EXPECT_FALSE(dropped);
  EXPECT_EQ(list.size(), 14u);  // markers, the record and the completed sections
  EXPECT_EQ(reporter.messages, (std::vector<std::string>{"Conversion form Hex string to Int is failed"}));
}

TEST_F(Reader, CompletesMissingSectionsOrSaysItCannot) {
  LineList list = Read(CrLfLines({"[SATELLITE_NAME_LIST]", R"(1 "A")", "[ANALOG TP]"}));
  ASSERT_TRUE(readOk);  // still a success, but the PID section had no place
  EXPECT_EQ(list, (LineList{"SAT_NAME START", "1", "A", "SAT_NAME END", "ANALOG START", "ANALOG END"}));
  EXPECT_EQ(
      reporter.messages,
      (std::vector<std::string>{"CHANNEL PID SECTION not foundD!!!\r\nDisplaying infomation may be disodered!!"}));

  reporter.messages.clear();
  list = Read(CrLfLines({"[SATELLITE_NAME_LIST]", R"(1 "A")"}));
  EXPECT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(list, (LineList{"SAT_NAME START", "1", "A", "SAT_NAME END"}));  // a file without [END] is closed
}

TEST_F(Reader, ReadsBothSatelliteLayouts) {
  LineList list = Read(CrLfLines({
      "[SATELLITE]",
      R"(0 "SAT A" N 10600 9750 0 65535)",
      R"(1 "B" Y 10600 9750 1 +0450 # a comment "with" words)",
      R"(2 "C" N 10600 9750 2)",
      R"(3 "D" 10600 9750 3 65535)",
      R"(4 "E" 10600 9750 4)",
      "[END]",
  }));
  ASSERT_TRUE(readOk);
  EXPECT_EQ(list, (LineList{"SATELLITE START",
                            "0",
                            "SAT A",
                            "N",
                            "10600",
                            "9750",
                            "0",
                            "-1",
                            "1",
                            "B",
                            "Y",
                            "10600",
                            "9750",
                            "1",
                            "450",
                            "2",
                            "C",
                            "N",
                            "10600",
                            "9750",
                            "2",
                            "0",
                            "3",
                            "D",
                            "N",
                            "10600",
                            "9750",
                            "3",
                            "65535",
                            "4",
                            "E",
                            "N",
                            "10600",
                            "9750",
                            "4",
                            "0",
                            "SATELLITE END"}));

  list = Read(CrLfLines({"[SATELLITE]", R"(0 "F" 10600 9750)"}));
  EXPECT_FALSE(readOk);
  EXPECT_EQ(reporter.messages.back(), "Satellite Section's information is illegal!!!");
}

TEST_F(Reader, DecodesNamesAndIgnoresWhatTheFormatIgnores) {
  LineList list = Read(CrLfLines({
      "record before any header",
      "[SATELLITE_NAME_LIST]",
      "  # 1 \"comment\"",
      R"(1 "TWO WORDS")",
      "[unknown]",
      R"(2 "")",
      R"(3 A~B)",
      "[end]",
      "[END] trailing",
      "[DIGITAL TP]",
      "never read \"",
  }));
  ASSERT_TRUE(readOk);
  EXPECT_EQ(list, (LineList{"SAT_NAME START", "1", "TWO WORDS", "2", "--", "3", "A B", "SAT_NAME END"}));
}

TEST_F(Reader, RefusesAnOpenQuoteWithItsLineNumber) {
  Read(CrLfLines({"[SATELLITE_NAME_LIST]", "", R"(1 "OPEN)"}));
  EXPECT_FALSE(readOk);
  EXPECT_EQ(reporter.messages,
            (std::vector<std::string>{"\n  ERROR : check the following line!!   \n ==> line number 3 "}));
}

}  // namespace
}  // namespace chanora::testing

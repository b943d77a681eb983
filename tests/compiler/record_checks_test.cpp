// The record checks of every section: each check's message and line number,
// and the order of the checks in Basic and Normal passes.

#include <sstream>

#include "tests/compiler/compiler_fixture.h"

namespace chanora::testing {
namespace {

std::string Join(const std::vector<std::string>& tokens) {
  std::string line;
  for (const std::string& token : tokens) line += token + "    ";
  return line;
}

// A valid record line loaded with faults, all at once. The pass must report
// them in the listed order: the first while all are present, then each next
// one as the earlier faults are repaired. An empty message is a failure that
// shows nothing.
struct Fault {
  int field;
  const char* bad;
  std::string message;
};
struct Ladder {
  const char* what;
  std::vector<CompileMode> modes;
  int line;
  std::vector<std::string> good;
  std::vector<Fault> faults;
};

const std::string kLongName = "ABCDEFGHIJKLMN";  // 14 characters, one too many

std::vector<Ladder> Ladders() {
  const std::vector<CompileMode> both = {Basic, Normal};
  const std::vector<std::string> tp = {"2", "0", "12187", "27500", "H", "NORDIC"};
  const std::vector<std::string> channel = {"2", "1", "0", "1002", "TV", "Aurora2", "1", "N"};
  const std::vector<std::string> pid = {"29", "11", "4", "TV", "FeedC", "513", "660", "513", "1", "N"};
  return {
      {"name list", both, 10, {"3", "BOREAL3"},
       {{1, kLongName.c_str(), Msg(kSatNameLong, 13, 10)}, {0, "4", Msg(kSatNameIndex, 10)}}},
      {"satellite", both, 48, {"1", "BOREAL3", "N", "10600", "9750", "1", "130"},
       {{1, kLongName.c_str(), Msg(kSatNameLong, 13, 48)},
        {0, "0", Msg(kSatSame, 48)},
        {3, "106", Msg(kLnbHigh, 48)},
        {4, "975000", Msg(kLnbLow, 48)}}},
      {"digital TP", {Basic}, 61, tp,
       {{1, "50", Msg(kRange, "SAT", 49, 61)},
        {0, "1", Msg(kTpSame, 61)},
        {2, "121", Msg("\n\n\n ERROR : SYNTAX - D_TP frequency !!!.\n           line number %d ", 61)},
        {3, "275000",
         Msg("\n\n\n ERROR : SYNTAX - D_TP symbol rate. 4 or 5 digit requested !!!.\n           line number %d ", 61)},
        {4, "X", Msg("\n\n ERROR : SYNTAX - D_TP Polarization !!!.\n           line number %d ", 61)}}},
      {"digital TP", {Normal}, 61, tp,
       {{1, "50", Msg(kRange, "SAT", 49, 61)},
        {4, "X", Msg("\n ERROR : SYNTAX - D_TP Polarization !!!\n           line number %d ", 61)},
        {2, "121", Msg("\n ERROR : SYNTAX - D_TP frequency. 4 or 5 digit requested !!!\n           line number %d ", 61)},
        {3, "275000",
         Msg("\n ERROR : SYNTAX - D_TP symbol rate. 4 or 5 digit requested !!!\n           line number %d ", 61)},
        {0, "1", Msg(kTpSame, 61)}}},
      {"digital channel", {Basic}, 80, channel,
       {{2, "50", Msg(kRange, "SAT", 49, 80)},
        {0, "1", Msg(kSvcSame, 80)},
        {7, "X", Msg(kBlank, 80)},
        {1, "13", Msg(kTpUnknown, 80)},
        {4, "TVX", Msg("\n ERROR : SYNTAX - SVC Type !!!  TV or RADIO is OK.\n           line number %d ", 80)},
        {5, kLongName.c_str(), Msg(kNameLong, 13, 80)}}},
      {"digital channel", {Normal}, 80, channel,
       {{2, "50", Msg(kRange, "SAT", 49, 80)},
        {4, "TVX", Msg(kSvcTypeLower, 80)},
        {7, "X", Msg(kBlank, 80)},
        {0, "1", Msg(kSvcSame, 80)},
        {1, "13", Msg(kTpUnknown, 80)},
        {5, kLongName.c_str(), Msg(kNameLong, 13, 80)}}},
      {"PID channel", {Basic}, 114, pid,
       {{2, "50", Msg(kRange, "SAT", 49, 114)},
        {0, "28", Msg(kSvcSame, 114)},
        {9, "X", Msg("\n ERROR : SYNTAX - CHANNEL blank !!!\n           line number %d ", 114)},
        {1, "13", Msg(kTpUnknown, 114)},
        {3, "RADIOX", Msg(kSvcTypeLower, 114)},
        {4, kLongName.c_str(),
         Msg("\n ERROR : SYNTAX - DIGITAL CHANNEL NAME exceeds %d!!!\n           line number %d ", 13, 114)}}},
      {"PID channel", {Normal}, 114, pid,
       {{2, "50", Msg(kRange, "SAT", 49, 114)},
        {3, "RADIOX", Msg(kSvcTypeLower, 114)},
        {9, "X", Msg("\n\n ERROR - D_TP Blank must Y or N.\n           line number %d ", 114)},
        {1, "13", Msg("\n\n ERROR - D_TP:fail make Tp map table.\n           line number %d ", 114)},
        {0, "28", Msg(kSvcSame, 114)},
        {4, kLongName.c_str(), Msg(kNameLong, 13, 114)}}},
      {"analog TP", both, 124,
       {"2", "0", "11391", "KU", "NordicPop", "27MHz", "H", "1", "5", "DEEMP_CVBS", "MONO_LEFT", "7.02", "7.20",
        "180", "N", "J17", "RADIO", "N"},
       {{1, "50", Msg(kRange, "SAT", 49, 124)},
        {16, "XTV", Msg("\n ERROR : SYNTAX - TV/RADIO!!!\n           line number %d ", 124)},
        {17, "X", Msg(kBlank, 124)},
        {0, "1", ""},  // a repeated analog index fails without a message
        {4, kLongName.c_str(), Msg(kNameLong, 13, 124)},
        {2, "113", Msg("\n ERROR : SYNTAX - A_TP frequency. 4 or 5 digit requested !!!\n           line number %d ", 124)},
        {5, "36MHz", Msg("\n ERROR : SYNTAX - A_TP video band !!!\n           line number %d ", 124)},
        {6, "X", Msg("\n ERROR : SYNTAX - A_TP Polarization !!!\n           line number %d ", 124)},
        {10, "DUAL", Msg("\n ERROR : SYNTAX - A_TP audio mode !!!\n           line number %d ", 124)},
        {9, "RGB", Msg("\n ERROR : SYNTAX - A_TP decoder output !!!\n           line number %d ", 124)},
        {13, "200", Msg("\n ERROR : SYNTAX - A_TP audio band !!!\n           line number %d ", 124)},
        {15, "U60", Msg("\n ERROR : SYNTAX - A_TP De-Emphasis !!!\n           line number %d ", 124)},
        {14, "X", Msg("\n ERROR : SYNTAX - A_TP panda_enable !!!\n           line number %d ", 124)},
        {3, "S", Msg("\n ERROR : SYNTAX - A_TP TP_band !!!\n           line number %d ", 124)}}},
  };
}

TEST(RecordChecks, EachCheckFiresWithItsTextInItsOrder) {
  for (const Ladder& ladder : Ladders()) {
    for (CompileMode mode : ladder.modes) {
      std::vector<std::string> tokens = ladder.good;
      for (const Fault& fault : ladder.faults) tokens[fault.field] = fault.bad;
      for (const Fault& fault : ladder.faults) {
        SCOPED_TRACE(std::string(ladder.what) + " " + ModeName(mode) + ": " + Join(tokens));
        Pass pass = RunPass(ListEdit().Replace(ladder.line, Join(tokens)).Bytes(), mode);
        EXPECT_FALSE(pass.ok);
        EXPECT_EQ(pass.reporter.messages, Messages(fault.message));
        EXPECT_EQ(pass.builder.finishes, 0);
        tokens[fault.field] = ladder.good[fault.field];
      }
      SCOPED_TRACE(std::string(ladder.what) + " " + ModeName(mode) + " repaired");
      Pass pass = RunPass(ListEdit().Replace(ladder.line, Join(tokens)).Bytes(), mode);
      EXPECT_TRUE(pass.ok);
      EXPECT_TRUE(pass.reporter.messages.empty());
    }
  }
}

// Line-level syntax: the same in both modes.
TEST(RecordChecks, ShortLinesLongFieldsNumbersAndIndexRanges) {
  const std::string analog = " 0 11265 KU Name 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV";
  struct Case {
    int line;
    std::string text;
    std::string message;
  } cases[] = {
      {8, "1", Msg(kFieldCount, 2, 8)},
      {60, "1 0 11778 27500 V", Msg(kFieldCount, 6, 60)},
      {79, "1 1 0 1001 TV One 1", Msg(kFieldCount, 8, 79)},
      {113, "28 11 4 TV FeedB 512 650 512 1", Msg(kFieldCount, 10, 113)},
      {123, "1" + analog, Msg(kFieldCount, 18, 123)},
      {128, "  [END]", Msg(kFieldCount, 18, 128)},  // not a header: '[' is not first
      {47, "0 \"AURORA 1\" N 10600 9750", kIllegal},
      {47, "0 \"AURORA 1\" 10600 9750", kIllegal},
      {47, "0 \"AURORA 1\" N 10600 9750 # 0 192", kIllegal},
      {60, "1 0 11778 27500 V ABCDEFGHIJKLMNOPQRST", Msg(kFieldLong, 19, 60)},
      {79, "1 1 0 1001 TV ABCDEFGHIJKLMNOPQRST 1 N", Msg(kFieldLong, 19, 79)},
      {8, "1x \"AURORA 1\"", Msg(kNumber, 8)},
      {47, "0 \"AURORA 1\" N 10600 9750 P0 192", Msg(kNumber, 47)},
      {60, "1.0 0 11778 27500 V X", Msg(kNumber, 60)},
      {79, "1 1 0 1001 TV One one N", Msg(kNumber, 79)},
      {113, "28 11 4 TV FeedB 0x200 650 512 1 N", Msg(kNumber, 113)},
      {123, "1" + analog.substr(0, analog.find(" 1 5")) + " a 5 CVBS STEREO 6.50 6.80 130 N U50 TV N",
       Msg(kNumber, 123)},
      {47, "50 \"AURORA 1\" N 10600 9750 0 192", Msg(kRange, "SAT", 49, 47)},
      {60, "5000 0 11778 27500 V X", Msg(kRange, "D_TP", 4999, 60)},
      {60, "5000 5 11778 27500 V X", Msg(kRange, "D_TP", 4999, 60)},  // before the blank-satellite skip
      {60, "1 -1 11778 27500 V X", Msg(kRange, "SAT", 49, 60)},
      {79, "10001 1 0 1001 TV One 1 N", Msg(kRange, "SVC", 10000, 79)},
      {79, "1 5000 0 1001 TV One 1 N", Msg(kRange, "D_TP", 4999, 79)},
      {113, "11001 11 4 TV FeedB 512 650 512 1 N", Msg(kRange, "SVC", 11000, 113)},
      {123, "5001" + analog + " N", Msg(kRange, "A_TP", 5000, 123)},
  };
  for (CompileMode mode : kModes) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(ModeName(mode)) + " line " + std::to_string(c.line) + ": " + c.text);
      Pass pass = RunPass(ListEdit().Replace(c.line, c.text).Bytes(), mode);
      EXPECT_FALSE(pass.ok);
      EXPECT_EQ(pass.reporter.messages, Messages(c.message));
    }
  }
}

TEST(RecordChecks, IndexLimitsAndLooseFormsAreAccepted) {
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    ListEdit list;
    list.Replace(123, "5000 0 11265 Cx \"Aurora Analog\" 18MHzz V 1 5 CANALX STEREO 6.50 6.80 4000 Yes U75 TVX N")
        .Replace(113, "11000 11 4 TV \"Feed B\" 512 650 512 1 N")
        .Replace(105, "10000 12 4 C103 RADIO \"Orion Beats\" 1 N")
        .Replace(104, "0 12 4 C102 TV \"Orion Cinema\" 1 N")
        .Insert(72, "4999 4 11.50 22000 V \"AURORA TV PLUS 1\"")
        .Insert(53, "49 FAR N 10600 9750 49 0");
    Pass pass = RunPass(list.Bytes(), mode);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    EXPECT_EQ(pass.builder.satellites.back().index, 49);
    const DigitalTpRecord& tp = pass.builder.tps.back();
    EXPECT_EQ(tp.index, 4999);
    EXPECT_EQ(tp.frequency, "11.50");       // five characters, converted later
    EXPECT_EQ(tp.comment, "AURORA TV PLU");  // cut to 13 without a message
    EXPECT_EQ(tp.sequence, 13);
    EXPECT_EQ(pass.builder.channels[25].svcIndex, 0);
    EXPECT_EQ(pass.builder.channels[26].svcIndex, 10000);
    EXPECT_EQ(pass.builder.channels[27].svcIndex, 11000);
    // Analog keywords match on their first characters.
    const AnalogTpRecord& analog = pass.builder.analogs[0];
    EXPECT_EQ(analog.index, 5000);
    EXPECT_EQ(analog.tpBand, 0);
    EXPECT_EQ(analog.videoBand, 0);
    EXPECT_EQ(analog.decoderOutput, 3);
    EXPECT_EQ(analog.bandwidth, 4);
    EXPECT_TRUE(analog.panda);
    EXPECT_EQ(analog.deemphasis, 2);
    EXPECT_EQ(analog.type, ServiceType::TV);
  }
}

// Records of a blank or undefined satellite are passed over before any check
// but the index ranges; a Basic pass notes each skipped TP.
TEST(RecordChecks, RecordsOfBlankSatellitesAreSkippedUnchecked) {
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    ListEdit list;
    list.Insert(123, "1 5 1 X " + kLongName + " 9 Q a b c d 1 2 3 Q Z Z Z")
        .Insert(113, "28 99 5 XX " + kLongName + " x x x x Q")
        .Insert(79, "1 99 7 ZZZZ RADIOX " + kLongName + " one Q")
        .Insert(60, "2 7 1 1 Q X")
        .Insert(60, "1 5 110 2 Q " + kLongName);
    Pass pass = RunPass(list.Bytes(), mode);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    EXPECT_TRUE(pass.reporter.messages.empty());
    EXPECT_EQ(pass.builder.trail, DemoTrail(mode));
    EXPECT_EQ(pass.builder.tps[0].sequence, 1);  // a skipped TP takes no number
    const std::vector<std::string> skipLines = {" B Sat \a", " B Sat \a"};
    EXPECT_EQ(pass.reporter.lines, mode == Basic ? skipLines : std::vector<std::string>{});
  }
}

TEST(RecordChecks, ChannelOfSkippedTpFailsUnlessBlank) {
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    ListEdit list;
    list.Insert(106, "28 13 0 1004 TV Lost 1 N").Insert(72, "13 5 11000 27500 H Hidden");
    Pass pass = RunPass(list.Bytes(), mode);
    EXPECT_FALSE(pass.ok);
    EXPECT_EQ(pass.reporter.messages, Messages(Msg(kTpUnknown, 107)));

    list.Replace(107, "28 13 0 1004 TV Lost 1 Y");
    pass = RunPass(list.Bytes(), mode);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    EXPECT_TRUE(pass.builder.channels[27].blank);
    EXPECT_EQ(pass.builder.channels[27].tpSequence, 0);
  }
}

}  // namespace
}  // namespace chanora::testing

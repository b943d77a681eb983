// The record checks of every section: each check's message and line number,
// and the order of the checks in Basic and Normal passes.

#include <tuple>

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
  std::vector<CompileMode> modes;
  int line;
  std::vector<std::string> good;
  std::vector<Fault> faults;
};

const char kLong[] = "ABCDEFGHIJKLMN";  // 14 characters, one too many

std::vector<Ladder> Ladders() {
  const std::vector<std::string> tp = {"2", "0", "12187", "27500", "H", "NORDIC"};
  const std::vector<std::string> channel = {"2", "1", "0", "1002", "TV", "Aurora2", "1", "N"};
  const std::vector<std::string> pid = {"29", "11", "4", "TV", "FeedC", "513", "660", "513", "1", "N"};
  auto at = [](int line, const char* format) { return Msg(format, line); };
  return {
      {{CompileMode::Basic, CompileMode::Normal},
       10,
       {"3", "BOREAL3"},
       {{1, kLong, Msg(kSatNameLong, 13, 10)},
        {0, "4", at(10, "\n ERROR : SYNTAX - SAT NAME INDEX !!!\n         line number %d ")}}},
      {{CompileMode::Basic, CompileMode::Normal},
       48,
       {"1", "BOREAL3", "N", "10600", "9750", "1", "130"},
       {{1, kLong, Msg(kSatNameLong, 13, 48)},
        {0, "0", at(48, "\n\n ERROR - same INDEX already exists. \n         line number %d ")},
        {3, "106",
         at(48, "\n ERROR : SYNTAX - SAT LNB_HIGH frequency. 4 or 5 digit requested !!!\n         line number %d ")},
        {4, "975000",
         at(48, "\n ERROR : SYNTAX - SAT LNB_LOW frequency. 4 or 5 digit requested !!!\n         line number %d ")}}},
      {{CompileMode::Basic},
       61,
       tp,
       {{1, "50", Msg(kRange, "SAT", 49, 61)},
        {0, "1", Msg(kTpSame, 61)},
        {2, "121", at(61, "\n\n\n ERROR : SYNTAX - D_TP frequency !!!.\n           line number %d ")},
        {3, "275000",
         at(61, "\n\n\n ERROR : SYNTAX - D_TP symbol rate. 4 or 5 digit requested !!!.\n           line number %d ")},
        {4, "X", at(61, "\n\n ERROR : SYNTAX - D_TP Polarization !!!.\n           line number %d ")}}},
      {{CompileMode::Normal},
       61,
       tp,
       {{1, "50", Msg(kRange, "SAT", 49, 61)},
        {4, "X", at(61, "\n ERROR : SYNTAX - D_TP Polarization !!!\n           line number %d ")},
        {2, "121",
         at(61, "\n ERROR : SYNTAX - D_TP frequency. 4 or 5 digit requested !!!\n           line number %d ")},
        {3, "275000",
         at(61, "\n ERROR : SYNTAX - D_TP symbol rate. 4 or 5 digit requested !!!\n           line number %d ")},
        {0, "1", Msg(kTpSame, 61)}}},
      {{CompileMode::Basic},
       80,
       channel,
       {{2, "50", Msg(kRange, "SAT", 49, 80)},
        {0, "1", Msg(kSvcSame, 80)},
        {7, "X", Msg(kBlank, 80)},
        {1, "13", Msg(kTpUnknown, 80)},
        {4, "TVX", at(80, "\n ERROR : SYNTAX - SVC Type !!!  TV or RADIO is OK.\n           line number %d ")},
        {5, kLong, Msg(kNameLong, 13, 80)}}},
      {{CompileMode::Normal},
       80,
       channel,
       {{2, "50", Msg(kRange, "SAT", 49, 80)},
        {4, "TVX", Msg(kSvcTypeLower, 80)},
        {7, "X", Msg(kBlank, 80)},
        {0, "1", Msg(kSvcSame, 80)},
        {1, "13", Msg(kTpUnknown, 80)},
        {5, kLong, Msg(kNameLong, 13, 80)}}},
      {{CompileMode::Basic},
       114,
       pid,
       {{2, "50", Msg(kRange, "SAT", 49, 114)},
        {0, "28", Msg(kSvcSame, 114)},
        {9, "X", at(114, "\n ERROR : SYNTAX - CHANNEL blank !!!\n           line number %d ")},
        {1, "13", Msg(kTpUnknown, 114)},
        {3, "RADIOX", Msg(kSvcTypeLower, 114)},
        {4, kLong,
         Msg("\n ERROR : SYNTAX - DIGITAL CHANNEL NAME exceeds %d!!!\n           line number %d ", 13, 114)}}},
      {{CompileMode::Normal},
       114,
       pid,
       {{2, "50", Msg(kRange, "SAT", 49, 114)},
        {3, "RADIOX", Msg(kSvcTypeLower, 114)},
        {9, "X", at(114, "\n\n ERROR - D_TP Blank must Y or N.\n           line number %d ")},
        {1, "13", at(114, "\n\n ERROR - D_TP:fail make Tp map table.\n           line number %d ")},
        {0, "28", Msg(kSvcSame, 114)},
        {4, kLong, Msg(kNameLong, 13, 114)}}},
      {{CompileMode::Basic, CompileMode::Normal},
       124,
       {"2", "0", "11391", "KU", "NordicPop", "27MHz", "H", "1", "5", "DEEMP_CVBS", "MONO_LEFT", "7.02", "7.20", "180",
        "N", "J17", "RADIO", "N"},
       {{1, "50", Msg(kRange, "SAT", 49, 124)},
        {16, "XTV", at(124, "\n ERROR : SYNTAX - TV/RADIO!!!\n           line number %d ")},
        {17, "X", Msg(kBlank, 124)},
        {0, "1", ""},  // a repeated analog index fails without a message
        {4, kLong, Msg(kNameLong, 13, 124)},
        {2, "113",
         at(124, "\n ERROR : SYNTAX - A_TP frequency. 4 or 5 digit requested !!!\n           line number %d ")},
        {5, "36MHz", at(124, "\n ERROR : SYNTAX - A_TP video band !!!\n           line number %d ")},
        {6, "X", at(124, "\n ERROR : SYNTAX - A_TP Polarization !!!\n           line number %d ")},
        {10, "DUAL", at(124, "\n ERROR : SYNTAX - A_TP audio mode !!!\n           line number %d ")},
        {9, "RGB", at(124, "\n ERROR : SYNTAX - A_TP decoder output !!!\n           line number %d ")},
        {13, "200", at(124, "\n ERROR : SYNTAX - A_TP audio band !!!\n           line number %d ")},
        {15, "U60", at(124, "\n ERROR : SYNTAX - A_TP De-Emphasis !!!\n           line number %d ")},
        {14, "X", at(124, "\n ERROR : SYNTAX - A_TP panda_enable !!!\n           line number %d ")},
        {3, "S", at(124, "\n ERROR : SYNTAX - A_TP TP_band !!!\n           line number %d ")}}},
  };
}

TEST(RecordChecks, EachCheckFiresWithItsTextInItsOrder) {
  for (const Ladder& ladder : Ladders()) {
    for (CompileMode mode : ladder.modes) {
      std::vector<std::string> tokens = ladder.good;
      for (const Fault& fault : ladder.faults) tokens[fault.field] = fault.bad;
      for (const Fault& fault : ladder.faults) {
        SCOPED_TRACE(std::string(ModeName(mode)) + ": " + Join(tokens));
        ExpectFailure(RunPass(ListEdit().Replace(ladder.line, Join(tokens)).Bytes(), mode), fault.message);
        tokens[fault.field] = ladder.good[fault.field];
      }
      SCOPED_TRACE(std::string(ModeName(mode)) + " repaired: " + Join(tokens));
      EXPECT_TRUE(RunPass(ListEdit().Replace(ladder.line, Join(tokens)).Bytes(), mode).ok);
    }
  }
}

// Line-level syntax, the same in both modes: every kind's field count, a long
// field, numbers and each index table's range.
TEST(RecordChecks, ShortLinesLongFieldsNumbersAndIndexRanges) {
  const std::string analog = " 0 11265 KU Name 27MHz V 1 5 CVBS STEREO 6.50 6.80 130 N U50 TV";
  const std::tuple<int, std::string, std::string> cases[] = {
      {8, "1", Msg(kFieldCount, 2, 8)},
      {60, "1 0 11778 27500 V", Msg(kFieldCount, 6, 60)},
      {79, "1 1 0 1001 TV One 1", Msg(kFieldCount, 8, 79)},
      {113, "28 11 4 TV FeedB 512 650 512 1", Msg(kFieldCount, 10, 113)},
      {123, "1" + analog, Msg(kFieldCount, 18, 123)},
      {47, "0 \"AURORA 1\" N 10600 9750", kIllegal},
      {47, "0 \"AURORA 1\" 10600 9750", kIllegal},
      {47, "0 \"AURORA 1\" N 10600 9750 # 0 192", kIllegal},
      {79, "1 1 0 1001 TV ABCDEFGHIJKLMNOPQRST 1 N",
       Msg("\n ERROR : SYNTAX - field exceeds %d!!!\n           line number %d ", 19, 79)},
      {8, "1x \"AURORA 1\"", Msg(kNumber, 8)},
      {47, "0 \"AURORA 1\" N 10600 9750 P0 192", Msg(kNumber, 47)},
      {60, "1.0 0 11778 27500 V X", Msg(kNumber, 60)},
      {79, "1 1 0 1001 TV One one N", Msg(kNumber, 79)},
      {113, "28 11 4 TV FeedB 0x200 650 512 1 N", Msg(kNumber, 113)},
      {123, "1 0 11265 KU Name 27MHz V a 5 CVBS STEREO 6.50 6.80 130 N U50 TV N", Msg(kNumber, 123)},
      {47, "50 \"AURORA 1\" N 10600 9750 0 192", Msg(kRange, "SAT", 49, 47)},
      {60, "5000 5 11778 27500 V X", Msg(kRange, "D_TP", 4999, 60)},  // before the blank-satellite skip
      {60, "1 -1 11778 27500 V X", Msg(kRange, "SAT", 49, 60)},
      {79, "10001 1 0 1001 TV One 1 N", Msg(kRange, "SVC", 10000, 79)},
      {79, "1 5000 0 1001 TV One 1 N", Msg(kRange, "D_TP", 4999, 79)},
      {113, "11001 11 4 TV FeedB 512 650 512 1 N", Msg(kRange, "SVC", 11000, 113)},
      {123, "5001" + analog + " N", Msg(kRange, "A_TP", 5000, 123)},
  };
  for (CompileMode mode : kModes) {
    for (const auto& [line, text, message] : cases) {
      SCOPED_TRACE(std::string(ModeName(mode)) + " line " + std::to_string(line) + ": " + text);
      ExpectFailure(RunPass(ListEdit().Replace(line, text).Bytes(), mode), message);
    }
  }
}

TEST(RecordChecks, IndexLimitsAndLooseFormsAreAccepted) {
  ListEdit list;
  list.Replace(123, "5000 0 11265 Cx \"Aurora Analog\" 18MHzz V 1 5 CANALX STEREO 6.50 6.80 4000 Yes U75 TVX N")
      .Replace(113, "11000 11 4 TV \"Feed B\" 512 650 512 1 N")
      .Replace(105, "10000 12 4 C103 RADIO \"Orion Beats\" 1 N")
      .Insert(72, "4999 4 11.50 22000 V \"AURORA TV PLUS 1\"")
      .Insert(53, "49 FAR N 10600 9750 49 0");
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    Pass pass = RunPass(list.Bytes(), mode);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    const RecordingBuilder& b = pass.builder;
    EXPECT_EQ(b.satellites.back().index, 49);
    const DigitalTpRecord& tp = b.tps.back();
    EXPECT_EQ(std::tie(tp.index, tp.frequency, tp.comment), std::make_tuple(4999, "11.50", "AURORA TV PLU"));
    EXPECT_EQ(std::make_pair(b.channels[26].svcIndex, b.channels[27].svcIndex), std::make_pair(10000, 11000));
    // Analog keywords match on their first characters.
    const AnalogTpRecord& a = b.analogs[0];
    EXPECT_EQ(std::vector<int>({a.index, a.tpBand, a.videoBand, a.decoderOutput, a.bandwidth, a.panda, a.deemphasis,
                                a.type == ServiceType::Radio}),
              std::vector<int>({5000, 0, 0, 3, 4, 1, 2, 0}));
  }
}

// Records of a blank or undefined satellite are passed over before any check
// but the index ranges, and counted, without a word. A channel of a
// usable satellite that names a skipped TP fails unless it is blank itself.
TEST(RecordChecks, RecordsOfBlankSatellitesAreSkippedUnchecked) {
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    ListEdit list;
    list.Insert(123, "1 5 1 X ABCDEFGHIJKLMN 9 Q a b c d 1 2 3 Q Z Z Z")
        .Insert(113, "28 99 5 XX ABCDEFGHIJKLMN x x x x Q")
        .Insert(79, "1 99 7 ZZZZ RADIOX ABCDEFGHIJKLMN one Q")
        .Insert(60, "13 7 1 1 Q X")
        .Insert(60, "1 5 110 2 Q ABCDEFGHIJKLMN");
    Pass pass = RunPass(list.Bytes(), mode);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    EXPECT_EQ(pass.builder.trail, DemoTrail(mode));
    EXPECT_EQ(pass.builder.tps[0].sequence, 1);  // a skipped TP takes no number
    EXPECT_TRUE(pass.reporter.lines.empty());    // skipping is silent
    EXPECT_EQ(pass.summary.skipped, 5);

    list.Insert(109, "28 13 0 1004 TV Lost 1 N");
    ExpectFailure(RunPass(list.Bytes(), mode), Msg(kTpUnknown, 109));
    pass = RunPass(list.Replace(109, "28 13 0 1004 TV Lost 1 Y").Bytes(), mode);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    EXPECT_TRUE(pass.builder.channels[27].blank);
  }
}

}  // namespace
}  // namespace chanora::testing

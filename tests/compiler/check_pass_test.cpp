// The check pass as a whole: line handling, sections, the name list, the
// satellite layouts and what is handed on to the image builder.

#include "tests/compiler/compiler_fixture.h"

namespace chanora::testing {
namespace {

TEST(CheckPass, DemoListPassesAndHandsOnEveryRecord) {
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    Pass pass = RunPass(DemoListBytes(), mode);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    EXPECT_TRUE(pass.reporter.messages.empty());
    EXPECT_TRUE(pass.reporter.lines.empty());
    const RecordingBuilder& b = pass.builder;
    EXPECT_EQ(b.trail, DemoTrail(mode));
    EXPECT_EQ(b.finishes, 1);
    // Basic restarts the channel count at the PID channels; Normal carries it on.
    const ImageCounts c = b.counts;
    EXPECT_EQ(std::vector<int>({c.satellites, c.tps, c.channels, c.analogTps, c.tvTotal, c.radioTotal}),
              mode == Basic ? std::vector<int>({6, 12, 3, 5, 0, 0}) : std::vector<int>({6, 12, 30, 5, 26, 9}));
    if (mode == Basic) {
      ASSERT_EQ(b.names.size(), 32u);
      EXPECT_EQ(b.names.front(), "AURORA 1");
      EXPECT_EQ(b.names.back(), "EMBER 6");
    } else {
      EXPECT_TRUE(b.names.empty());  // Normal only counts the names
    }

    EXPECT_EQ(b.satellites[2].name, "DELTA STAR");
    EXPECT_EQ(b.satellites[2].lnbHigh, "10750");
    EXPECT_EQ(b.satellites[2].positioner, -300);
    EXPECT_FALSE(b.satellites[4].blank);
    EXPECT_TRUE(b.satellites[5].blank);
    EXPECT_EQ(b.tps[6].index, 7);
    EXPECT_EQ(b.tps[6].sequence, 7);
    EXPECT_FALSE(b.tps[6].vertical);
    EXPECT_EQ(b.tps[6].comment, "ATLANTIS");
    const ChannelRecord& nordic = b.channels[3];
    EXPECT_EQ(nordic.svcId, 0x2A01u);
    EXPECT_EQ(nordic.name, "Nordic Film");
    EXPECT_EQ(nordic.tpSequence, 2);
    const ChannelRecord& tide = b.channels[29];
    EXPECT_TRUE(tide.pid);
    EXPECT_EQ(tide.type, ServiceType::Radio);
    EXPECT_EQ(std::vector<int>({tide.svcIndex, tide.tpSequence, tide.videoPid, tide.audioPid, tide.pcrPid}),
              std::vector<int>({30, 7, 8191, 701, 701}));
    // Keyword codes are the positions in their keyword lists.
    const AnalogTpRecord& pop = b.analogs[1];
    EXPECT_EQ(std::vector<int>({pop.tpBand, pop.videoBand, pop.decoderOutput, pop.audioMode, pop.bandwidth,
                                pop.deemphasis}),
              std::vector<int>({1, 1, 1, 1, 1, 3}));
    const AnalogTpRecord& meridian = b.analogs[3];
    EXPECT_EQ(std::vector<int>({meridian.tpBand, meridian.videoBand, meridian.decoderOutput, meridian.audioMode,
                                meridian.bandwidth, meridian.deemphasis}),
              std::vector<int>({0, 0, 2, 2, 3, 2}));
    EXPECT_TRUE(b.analogs[2].panda);
    EXPECT_EQ(b.analogs[1].type, ServiceType::Radio);
    EXPECT_EQ(b.analogs[1].audioLeft, "7.02");
  }
}

TEST(CheckPass, ServiceNumbersFollowTheCountersAndTheSplitOption) {
  struct Case {
    CompileMode mode;
    bool split;
    std::vector<int> digital;  // channels 1, 6 (radio), PID 28, PID 30 (radio)
    std::vector<int> analog;   // TV, radio, TV, TV, radio
  } cases[] = {
      {Normal, false, {1, 1, 22, 7}, {24, 8, 25, 26, 9}},
      {Normal, true, {1, 1, 22, 7}, {1, 1, 2, 3, 2}},
      {Basic, false, {0, 0, 0, 0}, {1, 1, 2, 3, 2}},
      {Basic, true, {0, 0, 0, 0}, {1, 1, 2, 3, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(ModeName(c.mode)) + (c.split ? " split" : ""));
    Pass pass = RunPass(DemoListBytes(), c.mode, 32, c.split);
    ASSERT_TRUE(pass.ok);
    const auto& channels = pass.builder.channels;
    EXPECT_EQ(std::vector<int>({channels[0].serviceNumber, channels[5].serviceNumber, channels[27].serviceNumber,
                                channels[29].serviceNumber}),
              c.digital);
    std::vector<int> analog;
    for (const AnalogTpRecord& record : pass.builder.analogs) analog.push_back(record.serviceNumber);
    EXPECT_EQ(analog, c.analog);
    if (c.mode == Normal) {
      EXPECT_EQ(pass.builder.counts.tvTotal, 26);  // totals never restart
    }
  }
}

// Lines that carry no record leave the pass and what it hands on unchanged.
TEST(CheckPass, CommentsBlankLinesUnknownHeadersAndTheEnd) {
  std::string demo = DemoListBytes();
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"comment before the first header", ListEdit().Insert(1, "  # [SATELLITE] 1 2").Bytes()},
      {"unknown bracket line before the first header", ListEdit().Insert(1, "[FOO]").Bytes()},
      {"unknown bracket line among TPs", ListEdit().Insert(61, "[FOO] 1 0").Bytes()},
      {"lower-case end among channels", ListEdit().Insert(80, "[end]").Bytes()},
      {"header without its bracket", ListEdit().Insert(80, "[DIGITAL CHANNEL").Bytes()},
      {"near miss of a header", ListEdit().Insert(114, "[DIGITAL PID CHANNELS]").Bytes()},
      {"dashes and bars only", ListEdit().Insert(62, " ---- | | ----").Bytes()},
      {"comment inside a section", ListEdit().Insert(62, "\t# 1 2 3").Bytes()},
      {"line of 498 characters", ListEdit().Replace(4, "#" + std::string(497, 'x')).Bytes()},
      {"words after the end",
       ListEdit().Replace(129, "[END] trailing words").Append("1 \"bad").Append("[SATELLITE]").Append("x").Bytes()},
      {"no end line", ListEdit().Remove(129).Bytes()},
      {"last line without CR LF", demo.substr(0, demo.size() - 2)},
  };
  for (CompileMode mode : kModes) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(ModeName(mode)) + ": " + c.what);
      Pass pass = RunPass(c.bytes, mode);
      EXPECT_TRUE(pass.ok);
      EXPECT_TRUE(pass.reporter.messages.empty()) << ::testing::PrintToString(pass.reporter.messages);
      EXPECT_EQ(pass.builder.trail, DemoTrail(mode));
    }
  }
}

TEST(CheckPass, LineAndSectionFaults) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"record before the first header", ListEdit().Insert(1, "1 \"AURORA 1\"").Bytes(), Msg(kInvalidState, 1)},
      {"record after an unknown header only", CrLfLines({"# list", "", "[FOO]", "1 X", "[END]"}),
       Msg(kInvalidState, 4)},
      {"line of 499 characters", ListEdit().Replace(4, "#" + std::string(498, 'x')).Bytes(), Msg(kBadLine, 4)},
      {"lone quote without a space after it", ListEdit().Replace(8, "1 \"AURORA").Bytes(), Msg(kBadLine, 8)},
      {"lone quote closing over the line end", ListEdit().Replace(8, "1 \"AURORA ").Bytes(), Msg(kBadLine, 8)},
      {"section header twice", ListEdit().Insert(73, "[DIGITAL TP]").Bytes(), Msg(kTwice, 73)},
      {"31 names", ListEdit().Remove(39).Bytes(), Msg(kNameCount, 32, 40)},
      {"name index gap", ListEdit().Replace(10, "4 \"BOREAL 3\"").Bytes(), Msg(kSatNameIndex, 10)},
  };
  for (CompileMode mode : kModes) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(ModeName(mode)) + ": " + c.what);
      Pass pass = RunPass(c.bytes, mode);
      EXPECT_FALSE(pass.ok);
      EXPECT_EQ(pass.reporter.messages, Messages(c.message));
      EXPECT_EQ(pass.builder.finishes, 0);
    }
  }
}

TEST(CheckPass, NameCountMustMatchTheMaximumSatellites) {
  ListEdit forty;
  for (int n = 40; n >= 33; --n) forty.Insert(40, std::to_string(n) + " \"EXTRA " + std::to_string(n) + "\"");
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    Pass pass = RunPass(forty.Bytes(), mode, 40);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    if (mode == Basic) {
      ASSERT_EQ(pass.builder.names.size(), 40u);
      EXPECT_EQ(pass.builder.names.back(), "EXTRA 40");
    }
    pass = RunPass(forty.Bytes(), mode, 32);
    EXPECT_EQ(pass.reporter.messages, Messages(Msg(kNameCount, 32, 49)));
    pass = RunPass(DemoListBytes(), mode, 40);
    EXPECT_FALSE(pass.ok);
    EXPECT_EQ(pass.reporter.messages, Messages(Msg(kNameCount, 40, 41)));
  }
}

TEST(CheckPass, QuotePassShapesTheNames) {
  ListEdit list;
  list.Replace(8, "1 \"\"")                   // empty name
      .Replace(9, "2 \"AURORA 2")              // lone quote closes at its space, over the '2'
      .Replace(10, "3 \"BOREAL 3\" \" ")       // a third quote is a space
      .Replace(11, "4 CASSIO~4")               // '~' in a name is a space
      .Replace(12, "5 \"DELTA  STAR\"  # x");  // spaces kept; the comment is surplus
  Pass pass = RunPass(list.Bytes(), Basic);
  ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
  ASSERT_EQ(pass.builder.names.size(), 32u);
  EXPECT_EQ(std::vector<std::string>(pass.builder.names.begin(), pass.builder.names.begin() + 5),
            std::vector<std::string>({"--", "AURORA ", "BOREAL 3", "CASSIO 4", "DELTA  STAR"}));
}

TEST(CheckPass, SatelliteLayouts) {
  ListEdit list;
  list.Replace(48, "1 \"BOREAL 3\" N 10600 9750 1")                // no Positioner
      .Replace(49, "2 \"DELTA STAR\" N 10750 9750 2 65535")         // 65535 stands for -1
      .Replace(50, "3 MERIDIAN 11300 10750 3 -450")                 // older layout; the degree is ignored
      .Replace(51, "4 \"ORION BLUE\" N 5150 5150 4 32768 # far east");
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    Pass pass = RunPass(list.Bytes(), mode);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    const auto& s = pass.builder.satellites;
    ASSERT_EQ(s.size(), 6u);
    std::vector<int> positioners;
    for (const SatelliteRecord& record : s) positioners.push_back(record.positioner);
    EXPECT_EQ(positioners, std::vector<int>({192, 0, -1, 0, -32768, 70}));
    EXPECT_EQ(s[3].name, "MERIDIAN");
    EXPECT_FALSE(s[3].blank);
    EXPECT_EQ(s[3].lnbHigh, "11300");
    EXPECT_EQ(s[3].lnbLow, "10750");
    EXPECT_EQ(s[3].position, 3);
    EXPECT_TRUE(s[5].blank);
    EXPECT_EQ(pass.builder.trail, DemoTrail(mode));  // channels of MERIDIAN still accepted
  }
}

}  // namespace
}  // namespace chanora::testing

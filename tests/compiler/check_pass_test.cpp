// The check pass as a whole: line handling, sections, the name list, the
// satellite layouts and what is handed on to the image builder.

#include <tuple>

#include "tests/compiler/compiler_fixture.h"

namespace chanora::testing {
namespace {

TEST(CheckPass, DemoListHandsOnEveryRecordWithItsCountsAndNumbers) {
  for (auto [mode, split] : {std::pair(CompileMode::Basic, false), std::pair(CompileMode::Normal, false),
                             std::pair(CompileMode::Normal, true)}) {
    SCOPED_TRACE(std::string(ModeName(mode)) + (split ? " split" : ""));
    Pass pass = RunPass(DemoListBytes(), mode, 32, split);
    ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
    EXPECT_TRUE(pass.reporter.messages.empty());
    EXPECT_TRUE(pass.reporter.lines.empty());
    const RecordingBuilder& b = pass.builder;
    EXPECT_EQ(b.trail, DemoTrail(mode));
    // Basic restarts the channel count at the PID channels; Normal carries it
    // on, and its totals never restart.
    const ImageCounts c = b.counts;
    EXPECT_EQ(
        std::vector<int>({c.satellites, c.tps, c.channels, c.analogTps, c.tvTotal, c.radioTotal}),
        mode == CompileMode::Basic ? std::vector<int>({6, 12, 3, 5, 0, 0}) : std::vector<int>({6, 12, 30, 5, 26, 9}));
    EXPECT_EQ(b.names.size(), mode == CompileMode::Basic ? 32u : 0u);  // Normal only counts the names
    // Service numbers of channels 1, 6 (radio), PID 28, PID 30 (radio) and
    // the analog TV, radio, TV, TV, radio. Keyword codes are positions in
    // their lists: TP band, video band, decoder output, audio mode, band
    // width, de-emphasis, panda, radio.
    std::vector<int> numbers;
    for (int n : {0, 5, 27, 29}) numbers.push_back(b.channels[n].serviceNumber);
    std::vector<std::vector<int>> codes;
    for (const AnalogTpRecord& a : b.analogs) {
      numbers.push_back(a.serviceNumber);
      codes.push_back({a.tpBand, a.videoBand, a.decoderOutput, a.audioMode, a.bandwidth, a.deemphasis, a.panda,
                       a.type == ServiceType::Radio});
    }
    if (mode == CompileMode::Normal) {
      EXPECT_EQ(numbers, split ? std::vector<int>({1, 1, 22, 7, 1, 1, 2, 3, 2})
                               : std::vector<int>({1, 1, 22, 7, 24, 8, 25, 26, 9}));
    }
    EXPECT_EQ(codes, (std::vector<std::vector<int>>{{1, 1, 0, 0, 0, 1, 0, 0},
                                                    {1, 1, 1, 1, 1, 3, 0, 1},
                                                    {1, 1, 0, 0, 2, 1, 1, 0},
                                                    {0, 0, 2, 2, 3, 2, 0, 0},
                                                    {1, 1, 3, 0, 4, 0, 0, 1}}));
  }
}

// Lines that carry no record leave the pass and what it hands on unchanged.
TEST(CheckPass, UnknownHeadersAndTheEnd) {
  const std::string demo = DemoListBytes();
  const std::pair<const char*, std::string> cases[] = {
      {"unknown bracket line before the first header", ListEdit().Insert(1, "[FOO]").Bytes()},
      {"unknown bracket line among TPs", ListEdit().Insert(61, "[FOO] 1 0").Bytes()},
      {"near miss of a header", ListEdit().Insert(114, "[DIGITAL PID CHANNELS]").Bytes()},
      {"words after the end",
       ListEdit().Replace(129, "[END] trailing words").Insert(130, "1 \"bad").Insert(131, "[SATELLITE]").Bytes()},
      {"no end line", demo.substr(0, demo.find("[END]"))},
      {"last line without CR LF", demo.substr(0, demo.size() - 2)},
  };
  for (CompileMode mode : kModes) {
    for (const auto& [what, bytes] : cases) {
      SCOPED_TRACE(std::string(ModeName(mode)) + ": " + what);
      Pass pass = RunPass(bytes, mode);
      EXPECT_TRUE(pass.ok);
      EXPECT_TRUE(pass.reporter.messages.empty()) << ::testing::PrintToString(pass.reporter.messages);
      EXPECT_EQ(pass.builder.trail, DemoTrail(mode));
    }
  }
}

TEST(CheckPass, LineAndSectionFaults) {
  const std::pair<std::string, std::string> cases[] = {
      {ListEdit().Insert(1, "1 \"AURORA 1\"").Bytes(), Msg(kInvalidState, 1)},
      {CrLfLines({"# list", "", "[FOO]", "1 X", "[END]"}), Msg(kInvalidState, 4)},
      {ListEdit().Replace(4, "#" + std::string(498, 'x')).Bytes(), Msg(kBadLine, 4)},
      {ListEdit().Replace(8, "1 \"AURORA").Bytes(), Msg(kBadLine, 8)},
      {ListEdit().Insert(73, "[DIGITAL TP]").Bytes(),
       Msg("\n ERROR : SYNTAX - section appears twice !!!\n           line number %d ", 73)},
  };
  for (CompileMode mode : kModes) {
    for (const auto& [bytes, message] : cases) {
      SCOPED_TRACE(std::string(ModeName(mode)) + ": " + message);
      ExpectFailure(RunPass(bytes, mode), message);
    }
  }
}

TEST(CheckPass, NameCountMustMatchTheMaximumSatellites) {
  ListEdit forty;
  for (int n = 40; n >= 33; --n) forty.Insert(40, std::to_string(n) + " \"EXTRA " + std::to_string(n) + "\"");
  for (CompileMode mode : kModes) {
    SCOPED_TRACE(ModeName(mode));
    EXPECT_TRUE(RunPass(forty.Bytes(), mode, 40).ok);
    ExpectFailure(RunPass(forty.Bytes(), mode, 32), Msg(kNameCount, 32, 49));
    ExpectFailure(RunPass(DemoListBytes(), mode, 40), Msg(kNameCount, 40, 41));
    ExpectFailure(RunPass(ListEdit().Replace(39, "# 32 gone").Bytes(), mode), Msg(kNameCount, 32, 41));
  }
}

TEST(CheckPass, SatelliteLayouts) {
  ListEdit list;
  list.Replace(48, "1 \"\" N 10600 9750 1")                  // empty name, no Positioner
      .Replace(49, "2 \"DELTA STAR\" N 10750 9750 2 65535")  // 65535 stands for -1
      .Replace(50, "3 MERIDIAN 11300 10750 3 -450")          // older layout; the degree is ignored
      .Replace(51, "4 \"ORION BLUE\" N 5150 5150 4 32768 # far east");
  Pass pass = RunPass(list.Bytes(), CompileMode::Basic);
  ASSERT_TRUE(pass.ok) << ::testing::PrintToString(pass.reporter.messages);
  std::vector<int> positioners;
  for (const SatelliteRecord& record : pass.builder.satellites) positioners.push_back(record.positioner);
  EXPECT_EQ(positioners, std::vector<int>({192, 0, -1, 0, -32768, 70}));
  EXPECT_EQ(pass.builder.satellites[1].name, "--");
  const SatelliteRecord& older = pass.builder.satellites.at(3);
  EXPECT_EQ(std::tie(older.name, older.blank, older.lnbHigh, older.lnbLow, older.position),
            std::make_tuple("MERIDIAN", false, "11300", "10750", 3));
  EXPECT_EQ(pass.builder.trail, DemoTrail(CompileMode::Basic));  // channels of MERIDIAN still accepted
}

}  // namespace
}  // namespace chanora::testing

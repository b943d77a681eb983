#include "tools/list_generator.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "compiler/check_pass.h"
#include "engine/list_engine.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"
#include "textformat/writer.h"

namespace chanora {
namespace {

using testing::RecordingReporter;
using testing::TempDir;

// Index of the first entry where the lists part, for a readable failure
// instead of a dump of a quarter million strings.
std::size_t FirstDifference(const LineList& a, const LineList& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i;
}

// A generated list, saved, passes both passes without a word, reads back as
// itself and saves again byte for byte.
void ExpectValidAndStable(const ListShape& shape) {
  SCOPED_TRACE(::testing::Message() << "shape: " << shape.satelliteNames << " names, " << shape.satellites
                                    << " satellites, " << shape.tps << " TPs, " << shape.channels << " channels, "
                                    << shape.pidChannels << " PID channels, " << shape.analogTps << " analog TPs");
  TempDir dir;
  const LineList list = GenerateList(shape);
  const std::string path = dir.File("generated.txt");
  const std::string bytes = FormatListText(list);
  testing::WriteBytes(path, bytes);

  RecordingReporter reporter;
  for (CompileMode mode : {CompileMode::Basic, CompileMode::Normal}) {
    NullImageBuilder nothing;
    CheckPass pass(mode, shape.satelliteNames, false, nothing, reporter);
    EXPECT_TRUE(pass.Run(bytes)) << "mode " << static_cast<int>(mode);
    const CheckSummary& summary = pass.Summary();
    EXPECT_EQ(summary.accepted[SectionKind::SatName], shape.satelliteNames);
    EXPECT_EQ(summary.accepted[SectionKind::Satellite], shape.satellites);
    EXPECT_EQ(summary.accepted[SectionKind::Digital], shape.tps);
    EXPECT_EQ(summary.accepted[SectionKind::Channel], shape.channels);
    EXPECT_EQ(summary.accepted[SectionKind::ChannelPid], shape.pidChannels);
    EXPECT_EQ(summary.accepted[SectionKind::Analog], shape.analogTps);
    EXPECT_EQ(summary.skipped, 0);
  }

  ListEngine engine(reporter);
  const auto loaded = engine.Load(path, shape.satelliteNames);
  ASSERT_TRUE(loaded);
  const LineList& read = loaded->list;
  EXPECT_FALSE(loaded->nullChannelsDropped);
  ASSERT_EQ(read.size(), list.size());
  const std::size_t at = FirstDifference(read, list);
  EXPECT_EQ(at, list.size()) << "entry " << at << ": read \"" << read[at] << "\", generated \"" << list[at] << '"';

  ASSERT_TRUE(engine.Save(dir.File("again.txt"), read));
  EXPECT_TRUE(testing::ReadBytes(dir.File("again.txt")) == bytes);
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front();
  EXPECT_TRUE(reporter.lines.empty());
}

TEST(ListGenerator, MaximalListPassesEveryCheckAndRoundTrips) {
  const ListShape shape = MaximalShape();
  ExpectValidAndStable(shape);

  // The records use the whole vocabularies, so the checks meet every keyword,
  // and the generator repeats itself only for the same seed.
  const LineList list = GenerateList(shape);
  auto span = FindLastSection(list, SectionKind::Analog);
  ASSERT_TRUE(span);
  std::set<std::string> analogWords;
  for (std::size_t i = span->first; i < span->end; ++i) analogWords.insert(list[i]);
  for (const char* word :
       {"C",        "KU",     "18MHz",     "27MHz",      "H",   "V",     "CVBS", "DEEMP_CVBS", "BASEBAND",
        "CANAL",    "STEREO", "MONO_LEFT", "MONO_RIGHT", "130", "180",   "280",  "300",        "400",
        "NO_DEEMP", "U50",    "U75",       "J17",        "TV",  "RADIO", "Y",    "N"}) {
    EXPECT_TRUE(analogWords.count(word)) << word;
  }
  EXPECT_TRUE(GenerateList(shape) == list);
  ListShape other = shape;
  other.seed = 2;
  EXPECT_FALSE(GenerateList(other) == list);
}

TEST(ListGenerator, SmallShapesAreValidAndImpossibleOnesRefused) {
  ListShape namesOnly;
  ListShape fortyNames;
  fortyNames.satelliteNames = 40;
  fortyNames.satellites = 2;
  fortyNames.blankSatellite = true;
  ListShape tiny;
  tiny.satellites = 1;
  tiny.tps = 1;
  tiny.channels = 1;
  ListShape mixed;
  mixed.satellites = 3;
  mixed.tps = 7;
  mixed.channels = 20;
  mixed.pidChannels = 3;
  mixed.analogTps = 4;
  mixed.seed = 99;
  ListShape fullTpTable;  // TP index 0 is in use
  fullTpTable.satellites = 1;
  fullTpTable.tps = 5000;
  fullTpTable.pidChannels = 2;
  for (const ListShape& shape : {namesOnly, fortyNames, tiny, mixed, fullTpTable}) ExpectValidAndStable(shape);

  auto refused = [](ListShape shape) {
    EXPECT_TRUE(ShapeProblem(shape));
    EXPECT_THROW(GenerateList(shape), std::invalid_argument);
  };
  ListShape bad;
  bad.satelliteNames = 33;
  refused(bad);
  bad = tiny;
  bad.tps = 5001;
  refused(bad);
  bad = tiny;
  bad.tps = 0;  // a channel without a TP
  refused(bad);
  bad = tiny;
  bad.blankSatellite = true;  // a TP on no usable satellite
  refused(bad);
}

}  // namespace
}  // namespace chanora

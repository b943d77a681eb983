// Lists that passed the checks but did not survive a load and a save: the
// files under data/ are the fuzzer's inputs as it found them.

#include "compiler/check_pass.h"
#include "editor/cell_checks.h"
#include "tests/textformat/textformat_fixture.h"
#include "textformat/writer.h"

namespace chanora::testing {
namespace {

using LoadSave = TextFormatTest;

std::string DataFile(const char* name) {
  return ReadBytes(std::string(CHANORA_SOURCE_DIR "/tests/textformat/data/") + name);
}

bool PassesChecks(const std::string& bytes, RecordingReporter& reporter) {
  NullImageBuilder nothing;
  return CheckPass(CompileMode::Basic, 32, false, nothing, reporter).Run(bytes);
}

// The satellite records (7 cells each) between the markers.
LineList Satellites(const LineList& list) {
  auto span = FindLastSection(list, SectionKind::Satellite);
  if (!span) return {};
  return {list.begin() + static_cast<std::ptrdiff_t>(span->first),
          list.begin() + static_cast<std::ptrdiff_t>(span->end)};
}

TEST_F(LoadSave, ANameThatSpellsASectionMarkerIsRefused) {
  // A PID channel named "DIGITAL START" was taken for the start of the TP
  // section, and the save wrote the channels' cells as TPs.
  const std::string found = DataFile("name_spells_marker.txt");
  ASSERT_TRUE(PassesChecks(found, reporter));
  Read(found);
  EXPECT_FALSE(readOk);
  EXPECT_EQ(reporter.messages.back(),
            "\n ERROR : SYNTAX - NAME reads as a section marker !!!\n           line number 79 ");

  // Every marker in every kind of name field, the older satellite layout too.
  for (const char* name :
       {"SAT_NAME START", "SATELLITE END", "DIGITAL START", "CHANNEL END", "CHANNEL_PID START", "ANALOG END"}) {
    SCOPED_TRACE(name);
    const std::string quoted = std::string("\"") + name + "\"";
    for (const std::string& record :
         {"1 " + quoted, "0 " + quoted + " N 10600 9750 0 0", "0 " + quoted + " 10600 9750 0",
          "1 0 11778 27500 V " + quoted, "1 1 0 1001 TV " + quoted + " 1 N"}) {
      const char* header = record.find(" TV ") != std::string::npos    ? "[DIGITAL CHANNEL]"
                           : record.find(" V ") != std::string::npos   ? "[DIGITAL TP]"
                           : record.find("10600") != std::string::npos ? "[SATELLITE]"
                                                                       : "[SATELLITE_NAME_LIST]";
      Read(CrLfLines({header, record, "[END]"}));
      EXPECT_FALSE(readOk) << record;
    }
  }

  // Names that only resemble a marker are names.
  const LineList list =
      Read(CrLfLines({"[DIGITAL TP]", R"(1 0 11778 27500 V "DIGITAL STARTS")", R"(2 0 11778 27500 V "digital start")",
                      R"(3 0 11778 27500 V DIGITAL~END~)", "[END]"}));
  ASSERT_TRUE(readOk);
  EXPECT_EQ(list[6], "DIGITAL STARTS");
  EXPECT_EQ(list[12], "digital start");
  EXPECT_EQ(list[18], "DIGITAL END ");

  // The edit dialogs refuse such a name before it reaches the list.
  EXPECT_EQ(NameCellProblem("Name", "CHANNEL END"), "Name must not read as a section marker!!!");
  EXPECT_EQ(NameCellProblem("Name", "CHANNEL ENDS"), std::nullopt);
}

TEST_F(LoadSave, ADegreeBeyondSixteenBitsSettlesOnItsFirstLoad) {
  // 499920 lost 65536 at every load: 434384, then 368848, and so on.
  const std::string found = DataFile("degree_above_16_bits.txt");
  ASSERT_TRUE(PassesChecks(found, reporter));
  const LineList first = Read(found);
  ASSERT_TRUE(readOk);
  ASSERT_EQ(Satellites(first).size(), 14u);
  EXPECT_EQ(Satellites(first)[13], "-24368");  // the receiver's 16 bits of 499920, signed
  const LineList second = Read(FormatListText(first));
  EXPECT_EQ(Satellites(second), Satellites(first));

  // The signed 16-bit reading of the degree, and a value past int's range.
  const LineList degrees = Read(
      CrLfLines({"[SATELLITE]", "0 A N 10600 9750 0 32767", "1 B N 10600 9750 1 32768", "2 C N 10600 9750 2 65535",
                 "3 D N 10600 9750 3 65536", "4 E N 10600 9750 4 99999999999", "5 F N 10600 9750 5 -40000", "[END]"}));
  ASSERT_TRUE(readOk);
  const LineList satellites = Satellites(degrees);
  ASSERT_EQ(satellites.size(), 42u);
  EXPECT_EQ((LineList{satellites[6], satellites[13], satellites[20], satellites[27], satellites[34], satellites[41]}),
            (LineList{"32767", "-32768", "-1", "0", "-1", "-40000"}));
}

}  // namespace
}  // namespace chanora::testing

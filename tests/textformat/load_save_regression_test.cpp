// Lists that passed the checks but did not survive a load and a save: the
// files under data/ are the fuzzer's inputs as it found them.

#include "compiler/check_pass.h"
#include "tests/textformat/textformat_fixture.h"
#include "textformat/writer.h"

namespace chanora::testing {
namespace {

using LoadSave = TextFormatTest;

std::string DataFile(const char* name) { return ReadBytes(std::string(CHANORA_SOURCE_DIR "/tests/textformat/data/") + name); }

bool PassesChecks(const std::string& bytes, RecordingReporter& reporter) {
  NullImageBuilder nothing;
  return CheckPass(Basic, 32, false, nothing, reporter).Run(bytes);
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
  for (const char* name : {"SAT_NAME START", "SATELLITE END", "DIGITAL START", "CHANNEL END", "CHANNEL_PID START",
                           "ANALOG END"}) {
    SCOPED_TRACE(name);
    const std::string quoted = std::string("\"") + name + "\"";
    for (const std::string& record : {"1 " + quoted, "0 " + quoted + " N 10600 9750 0 0", "0 " + quoted + " 10600 9750 0",
                                      "1 0 11778 27500 V " + quoted, "1 1 0 1001 TV " + quoted + " 1 N"}) {
      const char* header = record.find(" TV ") != std::string::npos ? "[DIGITAL CHANNEL]"
                           : record.find(" V ") != std::string::npos ? "[DIGITAL TP]"
                           : record.find("10600") != std::string::npos ? "[SATELLITE]"
                                                                       : "[SATELLITE_NAME_LIST]";
      Read(CrLfLines({header, record, "[END]"}));
      EXPECT_FALSE(readOk) << record;
    }
  }

  // Names that only resemble a marker are names.
  const LineList list = Read(CrLfLines({"[DIGITAL TP]", R"(1 0 11778 27500 V "DIGITAL STARTS")",
                                        R"(2 0 11778 27500 V "digital start")", R"(3 0 11778 27500 V DIGITAL~END~)",
                                        "[END]"}));
  ASSERT_TRUE(readOk);
  EXPECT_EQ(list[6], "DIGITAL STARTS");
  EXPECT_EQ(list[12], "digital start");
  EXPECT_EQ(list[18], "DIGITAL END ");
}

}  // namespace
}  // namespace chanora::testing

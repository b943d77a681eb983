#include "textformat/writer.h"
#include "tests/textformat/textformat_fixture.h"

namespace chanora::testing {
namespace {

using Writer = TextFormatTest;

LineList Section(SectionKind kind, std::initializer_list<std::string> fields) {
  LineList list{StartMarker(kind)};
  list.insert(list.end(), fields);
  list.push_back(EndMarker(kind));
  return list;
}

// The record lines of one section in written text: after its header, its
// comment block and one empty line, up to the next empty line.
std::vector<std::string> RecordLines(const std::string& text, std::string_view header) {
  std::vector<std::string> all;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    all.push_back(text.substr(at, end - at));
  }
  auto line = std::find(all.begin(), all.end(), header) + 1;
  while (line != all.end() && line->starts_with("#")) ++line;
  std::vector<std::string> records;
  for (++line; line < all.end() && !line->empty(); ++line) records.push_back(*line);
  return records;
}

TEST_F(Writer, WritesAnEmptyListLineByLine) {
  const std::string expected =
      "\r\n\r\n[SATELLITE_NAME_LIST]\r\n##-------------------------+\r\n# Index  Satellite_Name   |\r\n"
      "#-------------------------+\r\n"
      "\r\n\r\n[SATELLITE]\r\n#" +
      std::string(70, '-') +
      "+\r\n"
      "#  Index    Name          Blank  LNB_LO   LNB_LO Position Posotioner   |\r\n"
      "#                                 HIGH     LOW                         |\r\n#" +
      std::string(70, '-') +
      "+\r\n"
      "\r\n\r\n[DIGITAL TP]\r\n#" +
      std::string(57, '-') +
      "+\r\n"
      "# D_TP   SAT   Frequency  Symbol    Polari-    Comment    |\r\n"
      "# Index  Index   (MHz)    R. (KHz)   zation               |\r\n#" +
      std::string(57, '-') +
      "+\r\n"
      "\r\n\r\n[DIGITAL CHANNEL]\r\n#" +
      std::string(65, '-') +
      "+\r\n"
      "# SVC   D_TP  SAT   SVC     SVC       SVC         Active  Blank   |\r\n"
      "# Index Index Index ID(hex) Type      Name        Audio           |\r\n#" +
      std::string(65, '-') +
      "+\r\n"
      "\r\n\r\n[DIGITAL PID CHANNEL]\r\n#" +
      std::string(76, '-') +
      "+\r\n"
      "# SVC   D_TP  SAT   SVC       SVC           Video Audio  PCR  Active  Blank  |\r\n"
      "# Index Index Index Type      Name          PID   PID    PID  Audio          |\r\n#" +
      std::string(76, '-') +
      "+\r\n"
      "\r\n\r\n[ANALOG TP]\r\n#" +
      std::string(122, '-') +
      "+\r\n"
      "# A_TP  SAT   Freq.  Name          Video Pol Thr Con-  Decoder  Audio  A_Freq  A_Freq  Band   Panda  De-       "
      "TV/   Blank |\r\n"
      "# Index Index (MHz)                Band          trast Output   Mode   L (MHz) R (MHz) W.(KHz)       emphasis  "
      "RADIO       |\r\n#" +
      std::string(122, '-') +
      "+\r\n"
      "\r\n\r\n[END]\r\n";
  EXPECT_EQ(FormatListText({}), expected);
}

TEST_F(Writer, LaysRecordsOutInFixedColumns) {
  LineList list = Section(SectionKind::ChannelPid, {"28", "11", "4", "TV", "Feed B", "512", "650", "512", "1", "N"});
  LineList more = Section(SectionKind::Satellite, {"0", "AURORA 1", "N", "10600", "9750", "0", "192"});
  list.insert(list.begin(), more.begin(), more.end());
  more = Section(SectionKind::Analog, {"1", "0", "11265", "KU", "Aurora Analog", "27MHz", "V", "1", "5", "CVBS",
                                       "STEREO", "6.50", "6.80", "130", "N", "U50", "TV", "N"});
  list.insert(list.end(), more.begin(), more.end());
  const std::string text = FormatListText(list);
  EXPECT_EQ(RecordLines(text, "[SATELLITE]"),
            (std::vector<std::string>{R"(0      "AURORA 1"       N   10600    9750     0     192        )"}));
  EXPECT_EQ(RecordLines(text, "[DIGITAL PID CHANNEL]"),
            (std::vector<std::string>{
                R"(28     11     4      TV       "Feed B"         512      650      512      1      N   )"}));
  const auto analog = RecordLines(text, "[ANALOG TP]");
  ASSERT_EQ(analog.size(), 1u);
  EXPECT_EQ(analog[0].size(), 153u);
  EXPECT_EQ(analog[0].substr(127), "N   U50      TV       N   ");
}

TEST_F(Writer, QuotesNamesSoTheyReadBackWhole) {
  struct Case {
    std::string name;
    std::string written;
  };
  const Case cases[] = {
      {"THIRTEEN CHAR", R"("THIRTEEN CHAR"  )"},
      {"FOURTEEN CHARS", R"("FOURTEEN CHAR"S )"},
      {"", R"(""               )"},
      {"\"", R"(""               )"},
      {"EIGHTEEN CHARACTR", R"("EIGHTEEN CHAR"ACTR )"},
      {"SIXTEEN CHARS AB", R"("SIXTEEN CHARS AB" )"},  // a blank after the 13th: quoted whole
  };
  for (const Case& c : cases) {
    const std::string text = FormatListText(Section(SectionKind::SatName, {"1", c.name}));
    EXPECT_EQ(RecordLines(text, "[SATELLITE_NAME_LIST]"), (std::vector<std::string>{"1      " + c.written})) << c.name;
    if (c.name != "\"" && !c.name.empty()) {
      EXPECT_EQ(Read(text)[2], c.name);
    }
  }
}

TEST_F(Writer, KeepsOverwideFieldsApart) {
  const std::string text =
      FormatListText(Section(SectionKind::Digital, {"1234567", "0", "123456789", "27500", "H", "B"}));
  EXPECT_EQ(RecordLines(text, "[DIGITAL TP]"),
            (std::vector<std::string>{R"(1234567 0      123456789 27500    H   "B"              )"}));
  EXPECT_EQ(Read(text)[7], "123456789");
}

TEST_F(Writer, RefusesFieldsThatWouldNotReadBack) {
  const std::pair<LineList, std::string> cases[] = {
      {Section(SectionKind::SatName, {"1", "A\"B"}), "a double quote"},
      {Section(SectionKind::Satellite, {"0", "SAT#1", "N", "10600", "9750", "0", "0"}), "a '#' in a satellite record"},
      {Section(SectionKind::Digital, {"1", "0", "", "27500", "H", "B"}), "empty"},
      {Section(SectionKind::Digital, {"1", "0", "11 778", "27500", "H", "B"}), "a blank or a control character"},
      {Section(SectionKind::Digital, {"1", "0", "11778", "27500", "H", "B\tC"}), "a control character"},
      {Section(SectionKind::Channel, {"[1", "1", "0", "1A", "TV", "X", "1", "N"}),
       "a start that makes the line a header"},
      {Section(SectionKind::SatName, {"1", std::string(20, 'N')}), "longer than 19 characters"},
      {Section(SectionKind::SatName, {"1", "A", "2"}), "its last record is incomplete"},
  };
  for (const auto& [list, problem] : cases) {
    auto message = FindUnwritableField(list);
    ASSERT_TRUE(message.has_value()) << problem;
    EXPECT_NE(message->find(problem), std::string::npos) << *message;
  }
  EXPECT_EQ(FindUnwritableField(Section(SectionKind::SatName, {"1", "\""})), std::nullopt);
  EXPECT_EQ(FindUnwritableField(Read(DemoListBytes())), std::nullopt);
}

TEST_F(Writer, RewritesTheDemoListByteForByte) {
  const std::string demo = DemoListBytes();
  LineList list = Read(demo);
  ASSERT_TRUE(readOk);
  EXPECT_EQ(FormatListText(list), demo);
  EXPECT_EQ(Read(FormatListText(list)), list);
}

}  // namespace
}  // namespace chanora::testing

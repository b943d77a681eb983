#include <gtest/gtest.h>

#include "textformat/line_syntax.h"

namespace chanora {
namespace {

TEST(QuotePass, CarriesNameSpacesAndRefusesOpenSpans) {
  struct Case {
    std::string line;
    bool ok;
    std::string result;
  };
  const Case cases[] = {
      {R"(1 "SAT A" N)", true, "1 SAT~A N"},
      {R"(1 "" N)", true, "1 -- N"},
      {R"(1 "A B" "C D" x)", true, "1 A~B  C D  x"},  // third and later quotes become spaces
      {R"(1 "AB CD x)", true, "1 AB~D x"},            // a lone quote closes over the next character
      {R"(1 "ABCD)", false, ""},                      // nothing closes it
      {R"(1 "ABCD )", false, ""},                     // closing would overwrite the line end
      {R"(1 "A~B")", true, "1 A~B"},
      {"no quotes at all", true, "no quotes at all"},
  };
  for (const Case& c : cases) {
    std::string line = c.line;
    EXPECT_EQ(QuotePass(line), c.ok) << c.line;
    if (c.ok) {
      EXPECT_EQ(line, c.result) << c.line;
    }
  }
  EXPECT_EQ(DecodeName("SAT~A~~B"), "SAT A  B");
}

TEST(LineSyntax, TellsBlankCommentHeaderAndRecordLinesApart) {
  struct Case {
    std::string line;
    LineKind kind;
  };
  const Case cases[] = {
      {"", LineKind::Skip},
      {"  ---- [] ||", LineKind::Skip},
      {"  # 12 words", LineKind::Skip},
      {"--#1", LineKind::Skip},
      {" \n 12", LineKind::Skip},  // a bare LF before any letter ends the line's meaning
      {"[SATELLITE]", LineKind::Header},
      {"[end]", LineKind::Header},
      {"  [END]", LineKind::Record},
      {"1 2 3", LineKind::Record},
      {std::string(498, 'a'), LineKind::Record},
      {std::string(499, 'a'), LineKind::Bad},
      {"1 \"open", LineKind::Bad},
  };
  for (const Case& c : cases) {
    std::string text;
    Header header;
    EXPECT_EQ(PrepareLine(TextLine{1, c.line}, text, header), c.kind) << c.line;
  }
}

TEST(LineSyntax, MatchesHeadersExactlyAndCaseSensitively) {
  EXPECT_EQ(ParseHeader("[SATELLITE_NAME_LIST]").section, SectionKind::SatName);
  EXPECT_EQ(ParseHeader("[SATELLITE] trailing words").section, SectionKind::Satellite);
  EXPECT_EQ(ParseHeader("[DIGITAL PID CHANNEL]").section, SectionKind::ChannelPid);
  EXPECT_EQ(ParseHeader("[END] more").type, HeaderType::End);
  EXPECT_EQ(ParseHeader("[end]").type, HeaderType::Unknown);
  EXPECT_EQ(ParseHeader("[SATELLITE ]").type, HeaderType::Unknown);
  EXPECT_EQ(ParseHeader("[DIGITAL").type, HeaderType::Unknown);
}

TEST(LineCursor, EndsLinesOnlyAtCrLfAndAcceptsAnUnendedLastLine) {
  LineCursor cursor("a\r\nb\nc\r\n\r\nlast");
  std::vector<std::string> lines;
  TextLine line;
  while (cursor.Next(line)) lines.emplace_back(line.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b\nc", "", "last"}));
  EXPECT_EQ(line.number, 4);
}

}  // namespace
}  // namespace chanora

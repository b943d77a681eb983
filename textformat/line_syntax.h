#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "textformat/sections.h"

namespace chanora {

// One physical line: its text without the CR LF, numbered from 1.
struct TextLine {
  int number = 0;
  std::string_view text;
  bool TooLong() const { return text.size() > static_cast<std::size_t>(kMaxLineLength); }
};

// Walks a file's bytes line by line. Only CR LF ends a line; a last line
// without it ends at the end of the data (uploaded lists end that way).
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}
  bool Next(TextLine& line);  // false when the data is exhausted

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  int number_ = 0;
};

enum class LineClass { Blank, Comment, Significant };

// The first '#', LF, letter or digit decides; a line without any is blank.
LineClass Classify(std::string_view line);

enum class HeaderType { Section, End, Unknown };
struct Header {
  HeaderType type = HeaderType::Unknown;
  SectionKind section = SectionKind::None;
};

// For a line whose first character is '['.
Header ParseHeader(std::string_view line);

// The quote pass over a line: the name's spaces become '~', "" becomes "--",
// quotes after the second become spaces, then the quotes go. False when a
// quoted span is left open, or a single quote would have to close over the
// line end.
bool QuotePass(std::string& line);

// Name decoding after the split: every '~' becomes a space.
std::string DecodeName(std::string_view field);

enum class LineKind { Bad, Skip, Header, Record };

// The steps every reader of the format takes for a line: the quote pass into
// `text`, then blank and comment lines, headers and records told apart. Bad
// is a line over the length limit or one that the quote pass refuses.
LineKind PrepareLine(const TextLine& line, std::string& text, Header& header);

// The message for a Bad line.
std::string BadLineMessage(int lineNumber);

// Splits at runs of white space.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);

}  // namespace chanora

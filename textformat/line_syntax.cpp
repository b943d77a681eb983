#include "textformat/line_syntax.h"

#include <algorithm>

#include "base/text_conversion.h"

namespace chanora {
namespace {

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

bool LineCursor::Next(TextLine& line) {
  if (position_ >= bytes_.size()) return false;
  std::size_t end = bytes_.find("\r\n", position_);
  std::size_t next = end + 2;
  if (end == std::string_view::npos) end = next = bytes_.size();
  line.number = ++number_;
  line.text = bytes_.substr(position_, end - position_);
  position_ = next;
  return true;
}

LineClass Classify(std::string_view line) {
  for (char c : line) {
    if (c == '#') return LineClass::Comment;
    if (c == '\n') return LineClass::Blank;
    if (IsLetterOrDigit(c)) return LineClass::Significant;
  }
  return LineClass::Blank;
}

Header ParseHeader(std::string_view line) {
  std::string_view name = line.substr(1);
  auto matches = [name](std::string_view word) {
    return name.size() > word.size() && name.substr(0, word.size()) == word && name[word.size()] == ']';
  };
  for (SectionKind kind : kAllSections) {
    if (matches(InfoOf(kind).header)) return {HeaderType::Section, kind};
  }
  if (matches("END")) return {HeaderType::End, SectionKind::None};
  return {};
}

bool QuotePass(std::string& line) {
  const auto quotes = std::count(line.begin(), line.end(), '"');
  if (quotes == 0) return true;
  int seen = 0;
  bool open = false;
  std::size_t openAt = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') {
      ++seen;
      if (seen == 1) {
        open = true;
        openAt = i;
      } else if (seen == 2) {
        open = false;
        if (i == openAt + 1) line[openAt] = line[i] = '-';
      } else {
        line[i] = ' ';
      }
    } else if (line[i] == ' ' && open) {
      line[i] = '~';
      if (quotes == 1) {
        // A lone quote closes at its first space, over the next character.
        if (i + 1 >= line.size()) return false;
        line[i + 1] = '"';
      }
    }
  }
  if (open) return false;
  line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
  return true;
}

LineKind PrepareLine(const TextLine& line, std::string& text, Header& header) {
  if (line.TooLong()) return LineKind::Bad;
  text.assign(line.text);
  if (!QuotePass(text)) return LineKind::Bad;
  if (Classify(text) != LineClass::Significant) return LineKind::Skip;
  if (text[0] != '[') return LineKind::Record;
  header = ParseHeader(text);
  return LineKind::Header;
}

std::string BadLineMessage(int lineNumber) {
  return FormatText("\n  ERROR : check the following line!!   \n ==> line number %d ", lineNumber);
}

std::string DecodeName(std::string_view field) {
  std::string name(field);
  std::replace(name.begin(), name.end(), '~', ' ');
  return name;
}

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsWhiteSpace(line[i])) ++i;
    std::size_t start = i;
    while (i < line.size() && !IsWhiteSpace(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
}

}  // namespace chanora

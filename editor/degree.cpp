#include "editor/degree.h"

#include <cctype>

#include "base/reporter.h"
#include "base/text_conversion.h"

namespace chanora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of the leading digits, 0 when there are none; kept small enough
// that the degree arithmetic cannot overflow.
long LeadingDigits(std::string_view text) {
  long value = 0;
  for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) value = (value * 10 + (text[i] - '0')) % 36000000;
  return value;
}

}  // namespace

std::optional<std::string> DegreeToDisplay(std::string_view stored) {
  stored = TrimBlanks(stored);
  if (stored.empty()) return std::nullopt;
  char hemisphere = 'E';
  if (stored[0] == '+' || stored[0] == '-') {
    hemisphere = stored[0] == '-' ? 'W' : 'E';
    stored.remove_prefix(1);
  } else if (!IsDigit(stored[0])) {
    return std::nullopt;
  }
  const long tenths = LeadingDigits(stored);
  return FormatText("%c%03ld.%01ld", hemisphere, (tenths / 10) % 360, tenths % 10);
}

std::optional<std::string> DegreeToStored(std::string_view display) {
  display = TrimBlanks(display);
  if (display.empty()) return std::nullopt;
  const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(display[0])));
  bool west = false;
  if (first == '+' || first == 'E' || first == '-' || first == 'W') {
    west = first == '-' || first == 'W';
    display.remove_prefix(1);
  } else if (!IsDigit(first)) {
    return std::nullopt;
  }
  const std::size_t point = display.find('.');
  const long whole = LeadingDigits(display.substr(0, point)) % 360;
  // One digit of tenths; further digits are cut, not rounded. A tenths
  // character that is no digit would turn into a wrong position.
  long tenths = 0;
  if (point != std::string_view::npos && point + 1 < display.size()) {
    if (!IsDigit(display[point + 1])) return std::nullopt;
    tenths = display[point + 1] - '0';
  }
  if (!west) return FormatText("%03ld%01ld", whole, tenths);
  if (whole == 0 && tenths == 0) return std::string("0000");
  return FormatText("-%03ld%01ld", whole, tenths);
}

bool ConvertDegree(std::string_view input, std::string& output, bool toDisplay, Reporter& reporter) {
  auto converted = toDisplay ? DegreeToDisplay(input) : DegreeToStored(input);
  if (!converted) {
    reporter.Message("ERROR in converting degree format!!!");
    return false;
  }
  output = std::move(*converted);
  return true;
}

}  // namespace chanora

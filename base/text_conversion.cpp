#include "base/text_conversion.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "base/reporter.h"

namespace chanora {
namespace {

constexpr long long kIntMax = std::numeric_limits<int>::max();
constexpr long long kIntMin = std::numeric_limits<int>::min();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads optional sign and digits from text[pos]; digits past the range of int
// keep the value at its limit instead of overflowing.
int ReadSignedDigits(std::string_view text, std::size_t pos, std::size_t* digits) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  long long value = 0;
  std::size_t count = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++count) {
    if (value <= kIntMax + 1) value = value * 10 + (text[pos] - '0');
  }
  *digits = count;
  if (negative) value = -value;
  if (value > kIntMax) return static_cast<int>(kIntMax);
  if (value < kIntMin) return static_cast<int>(kIntMin);
  return static_cast<int>(value);
}

std::size_t SignAndDigitsLength(std::string_view text) {
  std::size_t length = 0;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) length = 1;
  while (length < text.size() && IsDigit(text[length])) ++length;
  return length;
}

}  // namespace

unsigned HexTextToInt(std::string_view text, Reporter& reporter) {
  unsigned value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      reporter.Message("Conversion form Hex string to Int is failed");
      return 65535;
    }
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return value;
}

int DecimalTextToInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) ++pos;
  std::size_t digits = 0;
  return ReadSignedDigits(text, pos, &digits);
}

std::optional<int> ParseDecimalToken(std::string_view token) {
  std::size_t digits = 0;
  int value = ReadSignedDigits(token, 0, &digits);
  if (digits == 0 || SignAndDigitsLength(token) != token.size()) return std::nullopt;
  return value;
}

std::optional<unsigned> ParseHexToken(std::string_view token) {
  constexpr std::size_t kMaxHexDigits = 8;
  if (token.empty() || token.size() > kMaxHexDigits) return std::nullopt;
  unsigned value = 0;
  const char* end = token.data() + token.size();
  const auto [stop, error] = std::from_chars(token.data(), end, value, 16);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  return text;
}

}  // namespace chanora

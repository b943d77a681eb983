#include "editor/cell_checks.h"

#include <algorithm>

#include "base/text_conversion.h"
#include "editor/field_limits.h"
#include "textformat/sections.h"

namespace chanora {
namespace {

constexpr std::size_t kNameLength = field_limit::kName;
constexpr std::size_t kHexDigits = 8;

bool IsControl(char c) { return static_cast<unsigned char>(c) < ' ' || c == 0x7F; }

std::string Label(std::string_view label) { return std::string(label); }

}  // namespace

std::optional<std::string> NameCellProblem(std::string_view label, std::string_view name) {
  if (TrimBlanks(name).empty()) return FormatText("%s not filled!", Label(label).c_str());
  if (name.size() > kNameLength) {
    return FormatText("%s exceeds %zu characters!!!", Label(label).c_str(), kNameLength);
  }
  if (std::any_of(name.begin(), name.end(), [](char c) { return c == '"' || c == '~' || c == '#' || IsControl(c); })) {
    return FormatText("%s must not hold '\"', '~' or '#'!!!", Label(label).c_str());
  }
  // The LineList would take it for a section boundary.
  if (IsSectionMarker(name)) return FormatText("%s must not read as a section marker!!!", Label(label).c_str());
  return std::nullopt;
}

std::optional<std::string> WordCellProblem(std::string_view label, std::string_view value, std::size_t width,
                                           bool satelliteRecord) {
  if (TrimBlanks(value).empty()) return FormatText("%s not filled!", Label(label).c_str());
  auto breaksRecord = [&](char c) { return c == ' ' || c == '"' || IsControl(c) || (satelliteRecord && c == '#'); };
  if (std::any_of(value.begin(), value.end(), breaksRecord)) {
    const char* format =
        satelliteRecord ? "%s must not hold a blank, '\"' or '#'!!!" : "%s must not hold a blank or '\"'!!!";
    return FormatText(format, Label(label).c_str());
  }
  if (value.size() > width) return FormatText("%s exceeds %zu characters!!!", Label(label).c_str(), width);
  return std::nullopt;
}

std::optional<std::string> FrequencyCellProblem(std::string_view label, std::string_view value, bool satelliteRecord) {
  if (auto problem = WordCellProblem(label, value, value.size(), satelliteRecord)) return problem;
  if (value.size() != 4 && value.size() != 5) {
    return FormatText("%s must be 4 or 5 characters!!!", Label(label).c_str());
  }
  return std::nullopt;
}

std::optional<std::string> NumberCellProblem(std::string_view label, std::string_view value, std::size_t width) {
  if (auto problem = WordCellProblem(label, value, width, false)) return problem;
  if (!ParseDecimalToken(value)) return FormatText("%s must be a number!!!", Label(label).c_str());
  return std::nullopt;
}

std::optional<std::string> HexCellProblem(std::string_view label, std::string_view value) {
  if (auto problem = WordCellProblem(label, value, kHexDigits, false)) return problem;
  if (!ParseHexToken(value)) return FormatText("%s must be a hexadecimal number!!!", Label(label).c_str());
  return std::nullopt;
}

}  // namespace chanora

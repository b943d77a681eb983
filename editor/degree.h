#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chanora {

class Reporter;

// A satellite's orbital position between its stored form, signed tenths of
// a degree with at least four digits ("1234", "-0450", "0000"), and the form
// the user reads and types ("E123.4", "W045.0"). Nothing when the text has
// no sign, letter or digit to start with.
std::optional<std::string> DegreeToDisplay(std::string_view stored);
std::optional<std::string> DegreeToStored(std::string_view display);

// What the dialogs add after a degree that does not convert.
inline constexpr const char* kDegreeFormatError = "Degree format ERROR!!!";

// Either direction, showing "ERROR in converting degree format!!!" on
// failure and leaving `output` as it was.
bool ConvertDegree(std::string_view input, std::string& output, bool toDisplay, Reporter& reporter);

}  // namespace chanora

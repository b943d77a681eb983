#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace chanora {

// What an edit dialog may put into a cell of the LineList so that the list
// still saves, reads back as the same record and passes the record checks.
// Each check gives the message to show, or nothing when the text is fine;
// `label` names the dialog field in that message.

// A name: filled, at most 13 characters, no double quote, '~' (it reads
// back as a blank), '#' (it ends a satellite line) or control character, and
// not one of the LineList's section markers.
std::optional<std::string> NameCellProblem(std::string_view label, std::string_view name);

// Any other cell: one filled word of at most `width` characters, without
// blanks or double quotes; in a satellite record also without '#'.
std::optional<std::string> WordCellProblem(std::string_view label, std::string_view value, std::size_t width,
                                           bool satelliteRecord);

// A frequency (or symbol rate) field: a word of 4 or 5 characters, as the
// record checks ask.
std::optional<std::string> FrequencyCellProblem(std::string_view label, std::string_view value, bool satelliteRecord);

// A decimal number cell (active audio, a PID): a word of at most `width`
// characters that reads whole as a number.
std::optional<std::string> NumberCellProblem(std::string_view label, std::string_view value, std::size_t width);

// A hexadecimal cell (a service id): a word of one to eight hex digits, so
// that its value fits 32 bits.
std::optional<std::string> HexCellProblem(std::string_view label, std::string_view value);

}  // namespace chanora

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chanora {

// The receiver's printout turned into formatted text: only what follows the
// "||" marker of each line is kept, up to and including its CR LF, with NUL
// bytes as spaces; then one closing step (a final prompt '>' is overwritten
// by an end block, anything else is repeated once).
std::string FilterConsoleCapture(std::string_view capture);

// Where a capture stops: just after the ']' of "[END]" (two spaces are then
// stored behind it), or nothing while "[END]" has not come.
std::optional<std::size_t> EndOfListIn(std::string_view capture, std::size_t searchFrom);

}  // namespace chanora

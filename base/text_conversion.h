#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chanora {

class Reporter;

// Hexadecimal text as the dialogs and the reader read it: upper-cased, most
// significant digit first, empty text is 0. Any other character shows
// "Conversion form Hex string to Int is failed" and gives 65535.
unsigned HexTextToInt(std::string_view text, Reporter& reporter);

// Decimal text read the way atoi reads it: leading blanks, optional sign,
// digits up to the first other character, 0 when there are none. Values
// beyond the range of int are held at its limits.
int DecimalTextToInt(std::string_view text);

// A whole token that is a decimal number (optional sign, at least one digit,
// nothing else); values beyond the range of int are held at its limits.
std::optional<int> ParseDecimalToken(std::string_view token);

// A whole token of one to eight hexadecimal digits, either case, read
// without the conversion's message; nothing for any other token. Eight
// digits is the most a 32-bit value holds.
std::optional<unsigned> ParseHexToken(std::string_view token);

// The text without the blanks (spaces) at both ends.
std::string_view TrimBlanks(std::string_view text);

// Lets the compiler check the arguments of a printf-style call. mingw-w64
// formats with a printf of its own (it knows %zu), not the system's.
#if defined(__MINGW32__)
#define CHANORA_PRINTF(string, first) __attribute__((format(gnu_printf, string, first)))
#elif defined(__GNUC__)
#define CHANORA_PRINTF(string, first) __attribute__((format(printf, string, first)))
#else
#define CHANORA_PRINTF(string, first)
#endif

// printf-style formatting of the system's message texts.
std::string FormatText(const char* format, ...) CHANORA_PRINTF(1, 2);

}  // namespace chanora

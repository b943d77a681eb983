#pragma once

#include <string_view>

namespace chanora {

// Control frames of the receiver's flash loader: STX, three letters in upper
// case, the same in lower case, ETX.
inline constexpr std::string_view kHeiFrame = "\x02HEIhei\x03";  // the loader asks for a download
inline constexpr std::string_view kAckFrame =
    "\x02"
    "ACKack\x03";
inline constexpr std::string_view kNxtFrame = "\x02NXTnxt\x03";
inline constexpr std::string_view kErrFrame =
    "\x02"
    "ERRerr\x03";
inline constexpr std::string_view kDisFrame =
    "\x02"
    "DISdis\x03";
inline constexpr std::string_view kPokFrame = "\x02POKpok\x03";
inline constexpr std::string_view kPerFrame = "\x02PERper\x03";

}  // namespace chanora

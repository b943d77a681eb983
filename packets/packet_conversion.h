#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chanora {

class Reporter;

// Cuts hex text into the packet file that the receiver's loader takes: a
// 14-byte file header, then packets of up to about 4 KiB of consecutive
// addresses, each with its own header and CRC-32, all numbers big-endian.
// Nothing when the text is not sound hex text; the reason has been reported.
std::optional<std::string> ConvertHexToPackets(std::string_view hexText, Reporter& reporter);

}  // namespace chanora

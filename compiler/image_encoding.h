#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compiler/records.h"

namespace chanora {

// The byte layouts of the channel image. Numbers are little-endian; a record
// with a checksum ends with the CRC-16 over its data and a few zero bytes.

inline constexpr std::string_view kBlockStartMark = "\xDD\xCC\xBB\xAA";
inline constexpr std::string_view kBlockEndMark = "\xCD\xAB\x34\x12";

std::string EncodeSatelliteNameTable(const std::vector<std::string>& names);
std::string EncodeSatellite(const SatelliteRecord& record);
std::string EncodeDigitalTp(const DigitalTpRecord& record, CompileMode mode);
std::string EncodeChannel(const ChannelRecord& record, CompileMode mode);
std::string EncodeAnalogTp(const AnalogTpRecord& record, CompileMode mode);
std::string EncodeNormalHeader(const ImageCounts& counts);

// A frequency token of 4 or 5 characters as three bytes of packed digits.
std::string DigitTriple(std::string_view token);

}  // namespace chanora

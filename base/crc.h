#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace chanora {

// CRC-16/ARC (reflected 0xA001, initial 0, no final XOR) over `data` followed
// by `zeroBytes` zero bytes: the checksum of every image record.
std::uint16_t CRC16(std::string_view data, int zeroBytes = 0);

// The standard CRC-32 of zlib and ZIP: the checksum of download packets.
std::uint32_t CRC32(std::string_view data);

}  // namespace chanora

#include "base/crc.h"

#include <zlib.h>

#include <array>

namespace chanora {
namespace {

constexpr std::array<std::uint16_t, 256> MakeCrc16Table() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    table[i] = static_cast<std::uint16_t>(crc);
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> kCrc16Table = MakeCrc16Table();

std::uint16_t Crc16Step(std::uint16_t crc, unsigned char byte) {
  return static_cast<std::uint16_t>(kCrc16Table[(crc ^ byte) & 0xFF] ^ (crc >> 8));
}

}  // namespace

std::uint16_t CRC16(std::string_view data, int zeroBytes) {
  std::uint16_t crc = 0;
  for (char c : data) crc = Crc16Step(crc, static_cast<unsigned char>(c));
  for (int i = 0; i < zeroBytes; ++i) crc = Crc16Step(crc, 0);
  return crc;
}

std::uint32_t CRC32(std::string_view data) {
  return static_cast<std::uint32_t>(
      ::crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

}  // namespace chanora

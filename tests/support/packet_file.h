#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace chanora::testing {

inline std::uint32_t BigEndian(const std::string& bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

// Address and size of each packet of a packet file, as the receiver's loader
// walks it: packet numbers in sequence, their count in the file header.
inline std::vector<std::pair<std::uint32_t, std::uint32_t>> Packets(const std::string& bin) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> packets;
  for (std::size_t at = 14; at < bin.size(); at += 16 + packets.back().second) {
    EXPECT_EQ(BigEndian(bin, at + 2, 2), packets.size());
    packets.emplace_back(BigEndian(bin, at + 4, 4), BigEndian(bin, at + 8, 4));
  }
  EXPECT_EQ(BigEndian(bin, 8, 2), packets.size());
  return packets;
}

}  // namespace chanora::testing

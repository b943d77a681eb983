#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace chanora {

// The image as hex text: per line the flash address and sixteen bytes, the
// last line padded with zeros; with `evenLineCount` a line of zeros is added
// when the count of lines is odd. Lines end with LF alone.
std::string MakeHexText(std::string_view image, std::uint32_t address, bool evenLineCount);

// The number of image bytes that hex text covers, padding included.
std::size_t PaddedHexLength(std::size_t imageLength, bool evenLineCount);

}  // namespace chanora

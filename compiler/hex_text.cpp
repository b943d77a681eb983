#include "compiler/hex_text.h"

namespace chanora {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::size_t kLineBytes = 16;

void AppendHex(std::string& out, std::uint32_t value, int digits) {
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 0xF];
}

}  // namespace

std::size_t PaddedHexLength(std::size_t imageLength, bool evenLineCount) {
  std::size_t lines = (imageLength + kLineBytes - 1) / kLineBytes;
  if (evenLineCount && lines % 2 == 1) ++lines;
  return lines * kLineBytes;
}

std::string MakeHexText(std::string_view image, std::uint32_t address, bool evenLineCount) {
  const std::size_t length = PaddedHexLength(image.size(), evenLineCount);
  std::string text;
  text.reserve(length / kLineBytes * 60);
  for (std::size_t i = 0; i < length; ++i) {
    const std::size_t column = i % kLineBytes;
    if (column == 0) {
      AppendHex(text, address + static_cast<std::uint32_t>(i), 8);
      text += ' ';
    }
    text += column == 8 ? "   " : " ";
    AppendHex(text, i < image.size() ? static_cast<unsigned char>(image[i]) : 0, 2);
    if (column == kLineBytes - 1) text += '\n';
  }
  return text;
}

}  // namespace chanora

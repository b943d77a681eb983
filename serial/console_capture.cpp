#include "serial/console_capture.h"

#include <algorithm>
#include <optional>

namespace chanora {
namespace {

constexpr std::string_view kEndBlock = " \r\n[END]\r\n\r\n";
constexpr std::size_t kEndBlockRewind = 18;

// Reads the capture byte by byte; a read past its end delivers nothing and
// leaves the last byte read as it was.
class CaptureReader {
 public:
  explicit CaptureReader(std::string_view capture) : capture_(capture) {}
  bool AtEnd() const { return position_ >= capture_.size(); }
  bool ReadAny() const { return position_ > 0; }
  char Next() {
    if (!AtEnd()) last_ = capture_[position_++];
    return last_;
  }

 private:
  std::string_view capture_;
  std::size_t position_ = 0;
  char last_ = '\0';
};

char SpaceForNul(char c) { return c == '\0' ? ' ' : c; }

}  // namespace

std::string FilterConsoleCapture(std::string_view capture) {
  CaptureReader reader(capture);
  std::string text;
  bool copying = false;
  while (!reader.AtEnd()) {
    const char byte = reader.Next();
    if (!copying) {
      copying = byte == '|' && reader.Next() == '|';
      continue;
    }
    text += SpaceForNul(byte);
    if (byte == '\r') {
      const char next = reader.Next();
      text += SpaceForNul(next);
      copying = next != '\n';
    }
  }
  if (!reader.ReadAny()) return text;
  const char last = reader.Next();
  if (last == '>') {
    // A prompt at the end: the end block goes over the text's tail, never
    // before its start.
    const std::size_t at = text.size() > kEndBlockRewind ? text.size() - kEndBlockRewind : 0;
    text.resize(std::max(text.size(), at + kEndBlock.size()));
    text.replace(at, kEndBlock.size(), kEndBlock);
  } else {
    text += SpaceForNul(last);
  }
  return text;
}

std::optional<std::size_t> EndOfListIn(std::string_view capture, std::size_t searchFrom) {
  const std::size_t at = capture.find("[END]", searchFrom >= 4 ? searchFrom - 4 : 0);
  if (at == std::string_view::npos) return std::nullopt;
  return at + 5;
}

}  // namespace chanora

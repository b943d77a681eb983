#include "serial/console_capture.h"

#include <algorithm>

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

bool ConsoleCapture::Add(std::string_view bytes) {
  if (complete_) return true;
  bytes = bytes.substr(0, Room());
  // "[END]" may straddle two pieces: look again at the last four bytes before them.
  const std::size_t searchFrom = bytes_.size() >= 4 ? bytes_.size() - 4 : 0;
  bytes_ += bytes;
  const std::size_t end = bytes_.find("[END]", searchFrom);
  if (end == std::string::npos) return false;
  bytes_.resize(end + 5);
  bytes_ += "  ";
  complete_ = true;
  return true;
}

}  // namespace chanora

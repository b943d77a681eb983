#pragma once

#include <string>
#include <string_view>

namespace chanora {

// The receiver's printout turned into formatted text: only what follows the
// "||" marker of each line is kept, up to and including its CR LF, with NUL
// bytes as spaces; then one closing step (a final prompt '>' is overwritten
// by an end block, anything else is repeated once).
std::string FilterConsoleCapture(std::string_view capture);

// The receiver's printout as it comes in, in pieces of any size, up to a
// limit: complete once "[END]" has come, kept up to its ']' with two spaces
// stored behind it; what followed it is dropped.
class ConsoleCapture {
 public:
  explicit ConsoleCapture(std::size_t limit) : limit_(limit) {}

  // Takes the next bytes, as many as there is Room() for; true once the
  // capture is complete.
  bool Add(std::string_view bytes);
  bool Complete() const { return complete_; }
  // How many more bytes may come before the limit; none once complete.
  std::size_t Room() const { return complete_ ? 0 : limit_ - bytes_.size(); }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::size_t limit_;
  std::string bytes_;
  bool complete_ = false;
};

}  // namespace chanora

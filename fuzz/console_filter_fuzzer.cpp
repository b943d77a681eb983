// The upload's handling of the receiver's printout: the bytes arrive in
// chunks, the end of the list is looked for after each, and the capture up to
// "[END]" (and the two spaces stored behind it) goes through the filter.
// The first input byte sets the chunk size (0 for the upload's 4096).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "serial/console_capture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace chanora;
  if (size == 0) return 0;
  const std::size_t chunkSize = data[0] == 0 ? 4096 : data[0];
  const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);

  // The filter takes any bytes, not only a capture cut as the upload cuts it.
  FUZZ_REQUIRE(FilterConsoleCapture(stream).find('\0') == std::string::npos);

  std::string capture;
  bool complete = false;
  for (std::size_t at = 0; at < stream.size() && !complete; at += chunkSize) {
    const std::size_t searchFrom = capture.size();
    capture += stream.substr(at, chunkSize);
    if (auto end = EndOfListIn(capture, searchFrom)) {
      // The end is found where it first stands, however the chunks fell.
      FUZZ_REQUIRE(*end == stream.find("[END]") + 5);
      capture.resize(*end);
      capture += "  ";
      complete = true;
    }
  }
  if (!complete) {
    FUZZ_REQUIRE(stream.find("[END]") == std::string_view::npos);
    return 0;
  }
  const std::string text = FilterConsoleCapture(capture);
  FUZZ_REQUIRE(text.find('\0') == std::string::npos);
  FUZZ_REQUIRE(text.size() <= capture.size() + 16);
  return 0;
}

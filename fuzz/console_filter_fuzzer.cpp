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

  ConsoleCapture capture(stream.size());
  for (std::size_t at = 0; at < stream.size() && !capture.Complete(); at += chunkSize) {
    capture.Add(stream.substr(at, chunkSize));
  }
  const std::size_t end = stream.find("[END]");
  if (end == std::string_view::npos) {
    FUZZ_REQUIRE(!capture.Complete() && capture.Bytes() == stream);
    return 0;
  }
  // The end is found where it first stands, however the chunks fell.
  FUZZ_REQUIRE(capture.Complete() && capture.Bytes() == std::string(stream.substr(0, end + 5)) + "  ");
  const std::string text = FilterConsoleCapture(capture.Bytes());
  FUZZ_REQUIRE(text.find('\0') == std::string::npos);
  FUZZ_REQUIRE(text.size() <= capture.Bytes().size() + 16);
  return 0;
}

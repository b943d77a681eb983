// The compile of a channel list into the Basic and the Normal image and their
// hex text; a compiled image must convert into a packet file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/channel_image_builder.h"
#include "compiler/check_pass.h"
#include "fuzz/fuzz_support.h"
#include "packets/packet_conversion.h"

namespace chanora::fuzz {
namespace {

std::optional<std::string> Compile(std::string_view bytes, CompileMode mode, int maxSatellites, bool split,
                                   Reporter& reporter) {
  ChannelImageBuilder builder(mode, reporter);
  CheckPass pass(mode, maxSatellites, split, builder, reporter);
  if (!pass.Run(bytes)) return std::nullopt;
  return builder.HexText();
}

}  // namespace
}  // namespace chanora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace chanora;
  using namespace chanora::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  SilentReporter reporter;

  for (int max : {32, 40}) {
    const auto basic = Compile(bytes, CompileMode::Basic, max, false, reporter);
    const auto normal = Compile(bytes, CompileMode::Normal, max, false, reporter);
    if (basic || normal) Compile(bytes, CompileMode::Normal, max, true, reporter);
    // The Basic image alone, and the pre-installed build of both.
    if (basic) FUZZ_REQUIRE(ConvertHexToPackets(*basic, reporter).has_value());
    if (basic && normal) FUZZ_REQUIRE(ConvertHexToPackets(*normal + *basic, reporter).has_value());
    if (basic) break;
  }
  return 0;
}

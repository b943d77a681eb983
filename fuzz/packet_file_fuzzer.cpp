// The download's reading of a packet file, step by step as the download takes
// it: the file header, then per packet its header, the descriptor made from
// its data length, and its body, until the end of the file or a problem.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "packets/packet_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace chanora;
  PacketFileReader file(std::string(reinterpret_cast<const char*>(data), size));
  if (file.Empty()) return 0;
  auto percentInRange = [&file] { return file.Percent() >= 0 && file.Percent() <= 100; };

  const FileBytes header = file.TakeFileHeader();
  FUZZ_REQUIRE(percentInRange());
  if (!header) return 0;
  FUZZ_REQUIRE(header.bytes.size() == 14);
  while (!file.AtEnd()) {
    const FileBytes packetHeader = file.TakePacketHeader();
    FUZZ_REQUIRE(percentInRange());
    if (!packetHeader) return 0;
    const std::uint32_t length = PacketFileReader::DataLength(packetHeader.bytes);
    FUZZ_REQUIRE(PacketFileReader::Descriptor(length, header.bytes[9]).size() == 14);
    const FileBytes body = file.TakePacketBody(length);
    FUZZ_REQUIRE(percentInRange());
    if (!body) return 0;
    FUZZ_REQUIRE(body.bytes.size() == length + 4);
  }
  FUZZ_REQUIRE(file.Percent() == 100);
  return 0;
}

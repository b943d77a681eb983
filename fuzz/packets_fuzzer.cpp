// Hex text to the packet file; a packet file made must be one that the
// download walks to its end, every packet whole and its CRC right.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/crc.h"
#include "fuzz/fuzz_support.h"
#include "packets/packet_conversion.h"
#include "packets/packet_file_reader.h"

namespace {

std::uint32_t BigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace chanora;
  using namespace chanora::fuzz;
  SilentReporter reporter;
  const auto packets = ConvertHexToPackets(std::string_view(reinterpret_cast<const char*>(data), size), reporter);
  if (!packets) return 0;

  PacketFileReader file(*packets);
  const FileBytes header = file.TakeFileHeader();
  FUZZ_REQUIRE(header);
  FUZZ_REQUIRE(BigEndian(header.bytes, 10, 4) == CRC32(std::string_view(header.bytes).substr(0, 10)));
  std::uint32_t total = 0;
  std::uint32_t count = 0;
  while (!file.AtEnd()) {
    const FileBytes packetHeader = file.TakePacketHeader();
    FUZZ_REQUIRE(packetHeader);
    FUZZ_REQUIRE(BigEndian(packetHeader.bytes, 2, 2) == (count & 0xFFFF));
    const std::uint32_t length = PacketFileReader::DataLength(packetHeader.bytes);
    FUZZ_REQUIRE(length > 0);
    const FileBytes body = file.TakePacketBody(length);
    FUZZ_REQUIRE(body);
    const std::string packet = packetHeader.bytes + body.bytes;
    FUZZ_REQUIRE(BigEndian(packet, 12 + length, 4) == CRC32(std::string_view(packet).substr(0, 12 + length)));
    total += length;
    ++count;
  }
  FUZZ_REQUIRE(BigEndian(header.bytes, 4, 4) == total);
  FUZZ_REQUIRE(BigEndian(header.bytes, 8, 2) == count);
  return 0;
}

#include "packets/packet_file_reader.h"

#include "base/crc.h"

namespace chanora {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kPacketHeaderSize = 12;
constexpr std::size_t kCrcSize = 4;
constexpr std::size_t kPacketFrameSize = 65536;  // what the loader buffers of one packet

void AppendBigEndian32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

int PacketFileReader::Percent() const { return file_.empty() ? 100 : static_cast<int>(position_ * 100 / file_.size()); }

std::string PacketFileReader::Take(std::size_t count) {
  std::string bytes = file_.substr(position_, count);
  position_ += bytes.size();
  return bytes;
}

FileBytes PacketFileReader::TakeFileHeader() {
  FileBytes header{Take(kFileHeaderSize)};
  if (header.bytes.size() < kFileHeaderSize) {
    header.problem = "ERRER in reading file header.\n";
  } else if (header.bytes[0] != '\x55' || header.bytes[1] != '\xAA') {
    header.problem = "File header format is not correct.\n";
  }
  return header;
}

FileBytes PacketFileReader::TakePacketHeader() {
  FileBytes header{Take(kPacketHeaderSize)};
  if (header.bytes.size() < kPacketHeaderSize) {
    header.problem = "\nERROR in reading File read error.\n";
  } else if (header.bytes[0] != '\x5A' || header.bytes[1] != '\x5A' ||
             DataLength(header.bytes) > kPacketFrameSize - kPacketHeaderSize - kCrcSize) {
    header.problem = "File packet information is not correct.\n";
  }
  return header;
}

FileBytes PacketFileReader::TakePacketBody(std::uint32_t dataLength) {
  FileBytes body{Take(dataLength + kCrcSize)};
  if (body.bytes.size() < dataLength + kCrcSize) body.problem = "\nFile read error.\n";
  return body;
}

std::uint32_t PacketFileReader::DataLength(std::string_view packetHeader) {
  std::uint32_t value = 0;
  for (char c : packetHeader.substr(8, 4)) value = (value << 8) | static_cast<unsigned char>(c);
  return value;
}

std::string PacketFileReader::Descriptor(std::uint32_t dataLength, char fileHeaderByte9) {
  std::string descriptor = "\x02";
  AppendBigEndian32(descriptor, dataLength);
  AppendBigEndian32(descriptor, ~dataLength);
  descriptor += fileHeaderByte9;
  AppendBigEndian32(descriptor, CRC32(descriptor));
  return descriptor;
}

}  // namespace chanora

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace chanora {

// Bytes taken from the packet file, or the download's message why they
// cannot be sent.
struct FileBytes {
  std::string bytes;
  const char* problem = nullptr;
  explicit operator bool() const { return problem == nullptr; }
};

// Reads a packet file in the order the download sends it: the 14-byte file
// header, then each packet's 12-byte header and its data with the CRC.
class PacketFileReader {
 public:
  explicit PacketFileReader(std::string file) : file_(std::move(file)) {}

  bool Empty() const { return file_.empty(); }
  bool AtEnd() const { return position_ >= file_.size(); }
  // How far into the file the download is, 0 to 100.
  int Percent() const;

  FileBytes TakeFileHeader();
  FileBytes TakePacketHeader();
  FileBytes TakePacketBody(std::uint32_t dataLength);

  // The data length a packet header announces.
  static std::uint32_t DataLength(std::string_view packetHeader);
  // The 14 bytes that announce a packet to the loader: its length, the
  // length inverted, the file header's byte 9, and their CRC-32.
  static std::string Descriptor(std::uint32_t dataLength, char fileHeaderByte9);

 private:
  std::string Take(std::size_t count);

  std::string file_;
  std::size_t position_ = 0;
};

}  // namespace chanora

#include "compiler/image_encoding.h"

#include <algorithm>

#include "base/crc.h"

namespace chanora {
namespace {

// Builds one record byte by byte.
class RecordBytes {
 public:
  RecordBytes& U8(unsigned value) {
    bytes_ += static_cast<char>(value & 0xFF);
    return *this;
  }
  RecordBytes& U16(unsigned value) { return U8(value).U8(value >> 8); }
  RecordBytes& Bytes(std::string_view data) {
    bytes_ += data;
    return *this;
  }
  // The name's characters, then zeros up to the field's width.
  RecordBytes& Name(std::string_view name, std::size_t width) {
    name = name.substr(0, width);
    bytes_ += name;
    bytes_.append(width - name.size(), '\0');
    return *this;
  }
  // Closes the record with its CRC over the data and `zeroBytes` zeros.
  RecordBytes& Crc(int zeroBytes) { return U16(CRC16(bytes_, zeroBytes)); }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

unsigned Code(std::string_view token, std::size_t position) {
  return position < token.size() ? static_cast<unsigned char>(token[position]) : 0;
}

// Two characters packed as the receiver reads digits: high nibble, low nibble.
unsigned Packed(unsigned high, unsigned low) { return ((high << 4) & 0xFF) | ((low - 0x30) & 0xFF); }

unsigned TypeCode(ServiceType type) { return type == ServiceType::TV ? 0 : 1; }

}  // namespace

std::string DigitTriple(std::string_view token) {
  const bool fiveDigits = token.size() == 5;
  const std::size_t rest = fiveDigits ? 1 : 0;
  std::string triple;
  triple += static_cast<char>(fiveDigits ? (Code(token, 0) - 0x30) & 0xFF : 0);
  triple += static_cast<char>(Packed(Code(token, rest), Code(token, rest + 1)));
  triple += static_cast<char>(Packed(Code(token, rest + 2), Code(token, rest + 3)));
  return triple;
}

std::string EncodeSatelliteNameTable(const std::vector<std::string>& names) {
  RecordBytes table;
  for (const std::string& name : names) table.Name(name, 14);
  return table.Crc(4).U16(0).Take();
}

std::string EncodeSatellite(const SatelliteRecord& record) {
  return RecordBytes()
      .U8(static_cast<unsigned>(record.index))
      .U8(static_cast<unsigned>(record.name.size()))
      .Name(record.name, 14)
      .Bytes(DigitTriple(record.lnbHigh))
      .Bytes(DigitTriple(record.lnbLow))
      .U8(static_cast<unsigned>(record.position))
      .U8(1)
      .U8(record.blank ? 1 : 0)
      .U8(static_cast<unsigned>(record.position) >> 24)
      .U16(static_cast<unsigned>(record.positioner))
      .Take();
}

std::string EncodeDigitalTp(const DigitalTpRecord& record, CompileMode mode) {
  const unsigned polarization = record.vertical ? 1 : 0;
  if (mode == CompileMode::Basic) {
    return RecordBytes()
        .U16(static_cast<unsigned>(record.index))
        .U8((polarization << 7) | (static_cast<unsigned>(record.satIndex) & 0x7F))
        .Name(record.comment, 13)
        .Bytes(DigitTriple(record.frequency))
        .Bytes(DigitTriple(record.symbolRate))
        .Crc(4)
        .Take();
  }
  return RecordBytes()
      .U8(static_cast<unsigned>(record.satIndex))
      .U8(0)
      .U8(polarization)
      .Bytes(DigitTriple(record.frequency))
      .Bytes(DigitTriple(record.symbolRate))
      .U8(static_cast<unsigned>(record.comment.size()))
      .Name(record.comment, 14)
      .U16(0xFFFF)
      .U16(0xFFFF)
      .U16(static_cast<unsigned>(record.sequence))
      .U16(0)
      .U16(0)
      .Crc(2)
      .Take();
}

std::string EncodeChannel(const ChannelRecord& record, CompileMode mode) {
  const unsigned audio = (static_cast<unsigned>(record.activeAudio) & 0xFF) | (record.blank ? 0x80 : 0);
  const unsigned basicType = record.type == ServiceType::TV ? 1 : 2;
  if (mode == CompileMode::Basic && !record.pid) {
    return RecordBytes()
        .U16(record.svcId)
        .U16(static_cast<unsigned>(record.svcIndex))
        .U16(static_cast<unsigned>(record.tpIndex))
        .U8(static_cast<unsigned>(record.satIndex))
        .U8(basicType)
        .U8(static_cast<unsigned>(record.name.size()))
        .Name(record.name, 14)
        .U8(audio)
        .Crc(4)
        .U16(0)
        .Take();
  }
  if (mode == CompileMode::Basic) {
    return RecordBytes()
        .U16(static_cast<unsigned>(record.svcIndex))
        .U16(static_cast<unsigned>(record.tpIndex))
        .U8(static_cast<unsigned>(record.satIndex))
        .U8(basicType)
        .U16(static_cast<unsigned>(record.videoPid))
        .U16(static_cast<unsigned>(record.audioPid))
        .U16(static_cast<unsigned>(record.pcrPid))
        .U8(static_cast<unsigned>(record.name.size()))
        .Name(record.name, 14)
        .U8(audio)
        .Crc(4)
        .U16(0)
        .Take();
  }
  const unsigned service = static_cast<unsigned>(record.serviceNumber);
  const unsigned tp = static_cast<unsigned>(record.blank ? record.tpIndex : record.tpSequence);
  const bool blankChannel = record.blank && !record.pid;
  return RecordBytes()
      .U16(record.pid ? 0 : record.svcId)
      .U16((tp & 0x0FFF) | ((service & 0x0F00) << 4))
      .U8(0x54 | (record.blank ? 0x08 : 0) | TypeCode(record.type))
      .U8(blankChannel ? static_cast<unsigned>(record.satIndex) : static_cast<unsigned>(record.activeAudio))
      .Name(record.name, 13)
      .U8(service)
      .U16(record.pid ? static_cast<unsigned>(record.videoPid) : 0xFFFF)
      .U16(record.pid ? static_cast<unsigned>(record.audioPid) : 0xFFFF)
      .U16(record.pid ? static_cast<unsigned>(record.pcrPid) : 0xFFFF)
      .Crc(2)
      .Take();
}

std::string EncodeAnalogTp(const AnalogTpRecord& record, CompileMode mode) {
  const std::string frequency = DigitTriple(record.frequency);
  const unsigned service = static_cast<unsigned>(record.serviceNumber);
  const unsigned first = static_cast<unsigned char>(frequency[0]);
  const std::string_view left = record.audioLeft;
  const std::string_view right = record.audioRight;
  return RecordBytes()
      .U8(mode == CompileMode::Basic ? first : (first & 0x0F) | (((service >> 8) & 0x0F) << 4))
      .Bytes(frequency.substr(1))
      .U8(Packed(Code(left, 0), Code(left, 2)))
      .U8(Packed(Code(left, 3), Code(right, 0)))
      .U8(Packed(Code(right, 2), Code(right, 3)))
      .Name(record.name, 13)
      .U8(mode == CompileMode::Basic ? 0 : service)
      .U8(static_cast<unsigned>(record.contrast))
      .U8(static_cast<unsigned>(record.threshold))
      .U8((static_cast<unsigned>(record.videoBand) << 6) | ((record.vertical ? 1u : 0u) << 4) |
          (static_cast<unsigned>(record.audioMode) << 2) | static_cast<unsigned>(record.decoderOutput))
      .U8((static_cast<unsigned>(record.tpBand) << 7) | (static_cast<unsigned>(record.bandwidth) << 4) |
          (static_cast<unsigned>(record.deemphasis) << 1) | (record.panda ? 1u : 0u))
      .U8((record.blank ? 0x08 : 0) | (mode == CompileMode::Normal ? 0x04 : 0) | TypeCode(record.type))
      .U8(static_cast<unsigned>(record.satIndex))
      .Crc(2)
      .Take();
}

std::string EncodeNormalHeader(const ImageCounts& counts) {
  return RecordBytes()
      .U16(static_cast<unsigned>(counts.satellites))
      .U16(static_cast<unsigned>(counts.tps))
      .U16(static_cast<unsigned>(counts.channels))
      .U16(static_cast<unsigned>(counts.analogTps))
      .U16(static_cast<unsigned>(counts.tvTotal))
      .U16(static_cast<unsigned>(counts.radioTotal))
      .Take();
}

}  // namespace chanora

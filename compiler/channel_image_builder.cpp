#include "compiler/channel_image_builder.h"

#include "base/reporter.h"
#include "base/text_conversion.h"
#include "compiler/hex_text.h"
#include "compiler/image_encoding.h"

namespace chanora {
namespace {

// The Normal image must end before the Basic image begins.
constexpr std::size_t kNormalImageRoom = kBasicImageAddress - kNormalImageAddress;
constexpr int kTwelveBits = 0x0FFF;

}  // namespace

bool ChannelImageBuilder::SatelliteNameTable(const std::vector<std::string>& names) {
  image_ += EncodeSatelliteNameTable(names);
  return true;
}

bool ChannelImageBuilder::BlockStart() {
  image_ += kBlockStartMark;
  return true;
}

bool ChannelImageBuilder::BlockEnd() {
  image_ += kBlockEndMark;
  return true;
}

bool ChannelImageBuilder::Satellite(const SatelliteRecord& record) {
  image_ += EncodeSatellite(record);
  return true;
}

bool ChannelImageBuilder::DigitalTp(const DigitalTpRecord& record) {
  image_ += EncodeDigitalTp(record, mode_);
  return true;
}

bool ChannelImageBuilder::Channel(const ChannelRecord& record) {
  if (mode_ == CompileMode::Normal) {
    // The Normal channel record keeps only 12 bits of these numbers.
    if (!FitsTwelveBits(record.serviceNumber, "service number")) return false;
    if (!FitsTwelveBits(record.blank ? record.tpIndex : record.tpSequence, "TP number")) return false;
  }
  image_ += EncodeChannel(record, mode_);
  return true;
}

bool ChannelImageBuilder::AnalogTp(const AnalogTpRecord& record) {
  if (mode_ == CompileMode::Normal && !FitsTwelveBits(record.serviceNumber, "service number")) return false;
  image_ += EncodeAnalogTp(record, mode_);
  return true;
}

bool ChannelImageBuilder::Finish(const ImageCounts& counts) {
  if (mode_ == CompileMode::Basic) return true;
  image_.insert(0, EncodeNormalHeader(counts));
  if (PaddedHexLength(image_.size(), true) > kNormalImageRoom) {
    reporter_.Message(
        FormatText("\n ERROR : the Normal channel image needs %zu bytes; only %zu fit below the Basic "
                   "image !!!\n",
                   PaddedHexLength(image_.size(), true), kNormalImageRoom));
    return false;
  }
  return true;
}

std::string ChannelImageBuilder::HexText() const {
  return mode_ == CompileMode::Basic ? MakeHexText(image_, kBasicImageAddress, false)
                                     : MakeHexText(image_, kNormalImageAddress, true);
}

bool ChannelImageBuilder::FitsTwelveBits(int number, const char* what) {
  if (number <= kTwelveBits) return true;
  reporter_.Message(FormatText("\n ERROR : %s %d does not fit the Normal image (4095 at most) !!!\n", what, number));
  return false;
}

}  // namespace chanora

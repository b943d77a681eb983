#pragma once

#include <cstdint>
#include <string>

#include "compiler/image_builder.h"

namespace chanora {

class Reporter;

inline constexpr std::uint32_t kBasicImageAddress = 0x7FF20000;
inline constexpr std::uint32_t kNormalImageAddress = 0x7FF10000;

// Collects the channel image of one pass in memory: the Basic image with its
// satellite-name table, or the Normal image behind its header of counts.
class ChannelImageBuilder : public ImageBuilder {
 public:
  ChannelImageBuilder(CompileMode mode, Reporter& reporter) : mode_(mode), reporter_(reporter) {}

  bool SatelliteNameTable(const std::vector<std::string>& names) override;
  bool BlockStart() override;
  bool BlockEnd() override;
  bool Satellite(const SatelliteRecord& record) override;
  bool DigitalTp(const DigitalTpRecord& record) override;
  bool Channel(const ChannelRecord& record) override;
  bool AnalogTp(const AnalogTpRecord& record) override;
  bool Finish(const ImageCounts& counts) override;

  // The finished image as hex text, starting at the image's flash address.
  std::string HexText() const;

 private:
  bool FitsTwelveBits(int number, const char* what);

  CompileMode mode_;
  Reporter& reporter_;
  std::string image_;
};

}  // namespace chanora

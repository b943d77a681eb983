#pragma once

#include <string>
#include <vector>

#include "compiler/records.h"

namespace chanora {

// What the check pass hands on: accepted records in file order and the block
// marks at the section headers. The checks know nothing of byte layouts; a
// builder turns these calls into an image. Every call returns false after a
// failure that the builder has already reported.
class ImageBuilder {
 public:
  virtual ~ImageBuilder() = default;

  virtual bool SatelliteNameTable(const std::vector<std::string>& names) = 0;
  virtual bool BlockStart() = 0;
  virtual bool BlockEnd() = 0;
  virtual bool Satellite(const SatelliteRecord& record) = 0;
  virtual bool DigitalTp(const DigitalTpRecord& record) = 0;
  virtual bool Channel(const ChannelRecord& record) = 0;
  virtual bool AnalogTp(const AnalogTpRecord& record) = 0;
  virtual bool Finish(const ImageCounts& counts) = 0;
};

// The builder of a check-only pass: accepts everything, writes nothing.
class NullImageBuilder : public ImageBuilder {
 public:
  bool SatelliteNameTable(const std::vector<std::string>&) override { return true; }
  bool BlockStart() override { return true; }
  bool BlockEnd() override { return true; }
  bool Satellite(const SatelliteRecord&) override { return true; }
  bool DigitalTp(const DigitalTpRecord&) override { return true; }
  bool Channel(const ChannelRecord&) override { return true; }
  bool AnalogTp(const AnalogTpRecord&) override { return true; }
  bool Finish(const ImageCounts&) override { return true; }
};

}  // namespace chanora

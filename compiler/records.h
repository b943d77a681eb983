#pragma once

#include <string>
#include <vector>

namespace chanora {

enum class CompileMode { Basic = 0, Normal = 1 };

enum class ServiceType { TV, Radio };

// Checked values of the records that the check pass accepts. Keyword fields
// hold the position of the matched keyword in its list, which is also its code
// in the channel image.

struct SatelliteRecord {
  int index = 0;
  std::string name;
  bool blank = false;
  std::string lnbHigh;
  std::string lnbLow;
  int position = 0;
  int positioner = 0;  // signed tenths of a degree
};

struct DigitalTpRecord {
  int index = 0;
  int satIndex = 0;
  std::string frequency;
  std::string symbolRate;
  bool vertical = false;
  std::string comment;  // at most 13 characters
  int sequence = 0;     // 1 for the first TP accepted
};

struct ChannelRecord {
  bool pid = false;  // from [DIGITAL PID CHANNEL]
  int svcIndex = 0;
  int tpIndex = 0;
  int satIndex = 0;
  unsigned svcId = 0;  // 0 for a PID channel
  ServiceType type = ServiceType::TV;
  std::string name;
  int activeAudio = 0;
  bool blank = false;
  int videoPid = 0;
  int audioPid = 0;
  int pcrPid = 0;
  int tpSequence = 0;     // sequence number of its TP, 0 when the TP is unknown
  int serviceNumber = 0;  // Normal pass: its TV or radio number
};

struct AnalogTpRecord {
  int index = 0;
  int satIndex = 0;
  std::string frequency;
  int tpBand = 0;  // C, KU
  std::string name;
  int videoBand = 0;  // 18MHz, 27MHz
  bool vertical = false;
  int threshold = 0;
  int contrast = 0;
  int decoderOutput = 0;  // CVBS, DEEMP_CVBS, BASEBAND, CANAL
  int audioMode = 0;      // STEREO, MONO_LEFT, MONO_RIGHT
  std::string audioLeft;
  std::string audioRight;
  int bandwidth = 0;  // 130, 180, 280, 300, 400
  bool panda = false;
  int deemphasis = 0;  // NO_DEEMP, U50, U75, J17
  ServiceType type = ServiceType::TV;
  bool blank = false;
  int serviceNumber = 0;
};

// The counts of the Normal image header.
struct ImageCounts {
  int satellites = 0;
  int tps = 0;
  int channels = 0;
  int analogTps = 0;
  int tvTotal = 0;
  int radioTotal = 0;
};

}  // namespace chanora

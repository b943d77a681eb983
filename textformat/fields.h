#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace chanora {

// Where each field stands within a record of its section, counted from 0 (the
// LineList holds a record's fields one after another, in this order).

namespace satellite_name_field {
inline constexpr std::size_t kIndex = 0;
inline constexpr std::size_t kName = 1;
}  // namespace satellite_name_field

namespace satellite_field {
inline constexpr std::size_t kIndex = 0;
inline constexpr std::size_t kName = 1;
inline constexpr std::size_t kBlank = 2;
inline constexpr std::size_t kLnbHigh = 3;
inline constexpr std::size_t kLnbLow = 4;
inline constexpr std::size_t kPosition = 5;
inline constexpr std::size_t kDegree = 6;
}  // namespace satellite_field

namespace digital_tp_field {
inline constexpr std::size_t kIndex = 0;
inline constexpr std::size_t kSatIndex = 1;
inline constexpr std::size_t kFrequency = 2;
inline constexpr std::size_t kSymbolRate = 3;
inline constexpr std::size_t kPolarization = 4;
inline constexpr std::size_t kBouquet = 5;
}  // namespace digital_tp_field

namespace analog_field {
inline constexpr std::size_t kIndex = 0;
inline constexpr std::size_t kSatIndex = 1;
inline constexpr std::size_t kFrequency = 2;
inline constexpr std::size_t kSignalBand = 3;
inline constexpr std::size_t kName = 4;
inline constexpr std::size_t kVideoBand = 5;
inline constexpr std::size_t kPolarization = 6;
inline constexpr std::size_t kThreshold = 7;
inline constexpr std::size_t kContrast = 8;
inline constexpr std::size_t kDecoderOutput = 9;
inline constexpr std::size_t kAudioMode = 10;
inline constexpr std::size_t kAudioLeft = 11;
inline constexpr std::size_t kAudioRight = 12;
inline constexpr std::size_t kBandWidth = 13;
inline constexpr std::size_t kDnr = 14;
inline constexpr std::size_t kDeEmphasis = 15;
inline constexpr std::size_t kType = 16;
inline constexpr std::size_t kBlank = 17;
}  // namespace analog_field

namespace channel_field {
inline constexpr std::size_t kIndex = 0;
inline constexpr std::size_t kTpIndex = 1;
inline constexpr std::size_t kSatIndex = 2;
inline constexpr std::size_t kServiceId = 3;
inline constexpr std::size_t kType = 4;
inline constexpr std::size_t kName = 5;
inline constexpr std::size_t kActiveAudio = 6;
inline constexpr std::size_t kBlank = 7;
}  // namespace channel_field

namespace pid_channel_field {
inline constexpr std::size_t kIndex = 0;
inline constexpr std::size_t kTpIndex = 1;
inline constexpr std::size_t kSatIndex = 2;
inline constexpr std::size_t kType = 3;
inline constexpr std::size_t kName = 4;
inline constexpr std::size_t kVideoPid = 5;
inline constexpr std::size_t kAudioPid = 6;
inline constexpr std::size_t kPcrPid = 7;
inline constexpr std::size_t kActiveAudio = 8;
inline constexpr std::size_t kBlank = 9;
}  // namespace pid_channel_field

// The words an analog record may hold in its keyword fields, in the order
// that gives each its code in the channel image (and its place in the edit
// dialog's drop-down list).
inline constexpr std::array<std::string_view, 2> kSignalBands = {"C", "KU"};
inline constexpr std::array<std::string_view, 2> kVideoBands = {"18MHz", "27MHz"};
inline constexpr std::array<std::string_view, 4> kDecoderOutputs = {"CVBS", "DEEMP_CVBS", "BASEBAND", "CANAL"};
inline constexpr std::array<std::string_view, 3> kAudioModes = {"STEREO", "MONO_LEFT", "MONO_RIGHT"};
inline constexpr std::array<std::string_view, 5> kBandWidths = {"130", "180", "280", "300", "400"};
inline constexpr std::array<std::string_view, 4> kDeEmphases = {"NO_DEEMP", "U50", "U75", "J17"};
inline constexpr std::array<std::string_view, 2> kServiceTypes = {"TV", "RADIO"};

}  // namespace chanora

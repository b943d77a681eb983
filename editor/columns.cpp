#include "editor/columns.h"

#include <array>

namespace chanora {
namespace {

constexpr std::array<Column, 2> kSatelliteNames = {{{"Index", 50}, {"SAT Name", 120}}};
constexpr std::array<Column, 7> kSatellites = {{{"Index", 50},
                                                {"SAT Name", 120},
                                                {"BLANK", 50},
                                                {"LNB_LO Hi", 50},
                                                {"LNB_LO Lo", 50},
                                                {"Position", 50},
                                                {"Degree", 50}}};
constexpr std::array<Column, 6> kDigitalTps = {
    {{"Index", 50}, {"SAT Index", 50}, {"Freq(MHz)", 50}, {"SR(KHz)", 50}, {"Polar", 50}, {"Bouquet", 120}}};
constexpr std::array<Column, 18> kAnalogChannels = {{{"Index", 50},
                                                     {"SAT Index", 50},
                                                     {"Frequency", 50},
                                                     {"Signal Band", 50},
                                                     {"Name", 120},
                                                     {"Video Band", 50},
                                                     {"Polarization", 50},
                                                     {"Thr", 50},
                                                     {"contrast", 50},
                                                     {"Decoder Output", 50},
                                                     {"Audio mode", 50},
                                                     {"Audio Freq LEFT", 50},
                                                     {"Audio Freq RIGHT", 50},
                                                     {"BandWidth", 50},
                                                     {"DNR", 50},
                                                     {"DeEmphasis", 50},
                                                     {"Type", 50},
                                                     {"Blank", 50}}};
constexpr std::array<Column, 8> kDigitalChannels = {{{"Index", 50},
                                                     {"Digital TP Index", 50},
                                                     {"SAT Index", 50},
                                                     {"SVC ID(hex)", 50},
                                                     {"Type", 50},
                                                     {"Name", 120},
                                                     {"Active Audio", 50},
                                                     {"Blank", 50}}};
constexpr std::array<Column, 10> kPidChannels = {{{"Index", 50},
                                                  {"Digital TP Index", 50},
                                                  {"SAT Index", 50},
                                                  {"Type", 50},
                                                  {"Name", 120},
                                                  {"Video PID", 50},
                                                  {"Audio PID", 50},
                                                  {"PCR PID", 50},
                                                  {"Active Audio", 50},
                                                  {"Blank", 50}}};

constexpr std::array<ChannelColumn, 20> kDigitalView = {
    {{"Number", 100, 100, 100},   {"TPindex", 0, 50, 0},        {"SAT Index", 0, 50, 0},    {"SVC ID", 50, 50, 50},
     {"Type", 0, 70, 70},         {"Name", 120, 100, 120},      {"VPID", 0, 50, 0},         {"APID", 0, 50, 0},
     {"PCR PID", 0, 50, 0},       {"Active Audio", 0, 50, 0},   {"Blank", 0, 70, 0},        {"freqency", 70, 70, 70},
     {"Symbol Rate", 70, 70, 70}, {"Polarization", 50, 50, 50}, {"Bouquet", 100, 100, 100}, {"Sat Name", 120, 120, 120},
     {"LNB_LO high", 0, 0, 0},    {"LNB_LO low", 0, 0, 0},      {"Position", 0, 0, 0},      {"Degree", 0, 0, 0}}};

constexpr std::array<ChannelColumn, 23> kAnalogView = {{{"Number", 100, 100, 100},
                                                        {"SAT Index", 0, 50, 0},
                                                        {"Frequency", 50, 50, 50},
                                                        {"Band", 50, 50, 50},
                                                        {"Name", 120, 100, 120},
                                                        {"Video Band", 70, 70, 70},
                                                        {"Polarization", 30, 30, 30},
                                                        {"Thr", 50, 50, 50},
                                                        {"contrast", 50, 50, 50},
                                                        {"Decoder Output", 50, 50, 50},
                                                        {"Audio mode", 70, 70, 70},
                                                        {"Audio Freq LEFT", 50, 50, 50},
                                                        {"Audio Freq RIGHT", 50, 50, 50},
                                                        {"BandWidth", 50, 50, 50},
                                                        {"DNR", 50, 50, 50},
                                                        {"DeEmphasis", 50, 50, 50},
                                                        {"Type", 0, 50, 50},
                                                        {"Blank", 0, 50, 0},
                                                        {"SatName", 120, 120, 120},
                                                        {"LNB_LO high", 0, 0, 0},
                                                        {"LNB_LO low", 0, 0, 0},
                                                        {"Position", 0, 0, 0},
                                                        {"Degree", 0, 0, 0}}};

}  // namespace

std::span<const Column> SectionColumns(SectionKind kind) {
  switch (kind) {
    case SectionKind::SatName:
      return kSatelliteNames;
    case SectionKind::Satellite:
      return kSatellites;
    case SectionKind::Digital:
      return kDigitalTps;
    case SectionKind::Analog:
      return kAnalogChannels;
    case SectionKind::Channel:
      return kDigitalChannels;
    case SectionKind::ChannelPid:
      return kPidChannels;
    case SectionKind::None:
      break;
  }
  return {};
}

std::span<const ChannelColumn> DigitalViewColumns() { return kDigitalView; }
std::span<const ChannelColumn> AnalogViewColumns() { return kAnalogView; }

}  // namespace chanora

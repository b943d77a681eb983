#include "tools/list_generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "textformat/fields.h"
#include "textformat/writer.h"

namespace chanora {
namespace {

// Limits of the format: index tables of the receiver and its name length.
constexpr int kMaxSatellites = 50;  // SAT index 0..49
constexpr int kMaxTps = 5000;       // D_TP index 0..4999
constexpr int kMaxChannels = 10000;
constexpr int kMaxPidChannels = 1000;
constexpr int kMaxAnalogTps = 5000;
constexpr std::size_t kMaxNameLength = 13;

constexpr std::array<std::string_view, 25> kSatelliteWords = {
    "AURORA", "BOREAL",  "CASSIO", "DELTA",    "EQUATOR",  "FJORD", "GALIA",   "HELIX",  "IBERSAT",
    "JUNO",   "KESTREL", "LYRA",   "MERIDIAN", "NOVA",     "ORION", "POLARIS", "QUASAR", "RIVIERA",
    "SIRIUS", "TAURUS",  "UMBRA",  "VEGA",     "WESTLINK", "XENON", "ZENITH"};
constexpr std::array<std::string_view, 10> kBouquetRegions = {"NORDIC", "CITY",   "EURO",  "SUN",   "ATLAS",
                                                              "METRO",  "ALPINE", "COAST", "DELTA", "PRIME"};
constexpr std::array<std::string_view, 10> kBouquetKinds = {"TV",   "MIX",   "RADIO", "FREE",   "PACK",
                                                            "NEWS", "FEEDS", "SPORT", "CINEMA", "KIDS"};
constexpr std::array<std::string_view, 20> kTvFirst = {
    "Aurora", "Nordic", "City", "Metro",  "Sports", "Ocean", "Delta", "Orion", "Atlas", "Sun",
    "Alpine", "Coast",  "Star", "Planet", "Cinema", "Kids",  "World", "Prime", "Euro",  "Vista"};
constexpr std::array<std::string_view, 16> kTvSecond = {"One",  "Two",     "Three", "News", "Film", "Docs",
                                                        "Kids", "HD",      "24",    "Plus", "Life", "Max",
                                                        "Live", "Classic", "Music", "Sport"};
constexpr std::array<std::string_view, 12> kRadioFirst = {"Classic", "Jazz",  "Rock", "Pop",    "Folk",  "Talk",
                                                          "News",    "Coast", "City", "Nordic", "Metro", "Sun"};
constexpr std::array<std::string_view, 8> kRadioSecond = {"FM", "Radio", "88", "101", "Lounge", "Wave", "Hits", "AM"};
constexpr std::array<std::string_view, 8> kSymbolRates = {"27500", "22000", "28000", "29900",
                                                          "30000", "6111",  "5632",  "13333"};

// mt19937 gives the same numbers with every standard library; the
// distributions of <random> do not, so the draws are made here.
class Draw {
 public:
  explicit Draw(unsigned seed) : engine_(seed) {}
  int Between(int low, int high) {  // both included
    return low + static_cast<int>(engine_() % static_cast<unsigned>(high - low + 1));
  }
  bool Chance(int percent) { return Between(1, 100) <= percent; }
  template <std::size_t N>
  std::string_view From(const std::array<std::string_view, N>& words) {
    return words[static_cast<std::size_t>(Between(0, static_cast<int>(N) - 1))];
  }

 private:
  std::mt19937 engine_;
};

std::string Join(std::string_view first, std::string_view second) {
  std::string name(first);
  if (name.size() + 1 + second.size() <= kMaxNameLength) {
    name += ' ';
    name += second;
  }
  return name;
}

std::string_view TypeWord(bool radio) { return kServiceTypes[radio ? 1 : 0]; }

std::string ChannelName(Draw& draw, bool radio) {
  const std::string_view first = radio ? draw.From(kRadioFirst) : draw.From(kTvFirst);
  if (draw.Chance(10)) return std::string(first);
  return Join(first, radio ? draw.From(kRadioSecond) : draw.From(kTvSecond));
}

std::string Hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
  return text;
}

struct Satellite {
  int index = 0;
  bool cBand = false;
};

struct Tp {
  std::string index;
  int satellite = 0;  // position in the satellite table
};

class Generator {
 public:
  explicit Generator(const ListShape& shape) : shape_(shape), draw_(shape.seed) {}

  LineList Run() {
    SatelliteNames();
    Satellites();
    DigitalTps();
    Channels();
    PidChannels();
    AnalogTps();
    return std::move(list_);
  }

 private:
  // A record of the section with every field empty, to be filled by name.
  static std::vector<std::string> Blank(SectionKind kind) {
    return std::vector<std::string>(static_cast<std::size_t>(InfoOf(kind).fieldCount));
  }
  void Record(std::vector<std::string>& fields) {
    list_.insert(list_.end(), std::make_move_iterator(fields.begin()), std::make_move_iterator(fields.end()));
  }
  void Open(SectionKind kind) { list_.push_back(StartMarker(kind)); }
  void Close(SectionKind kind) { list_.push_back(EndMarker(kind)); }

  // One name per possible satellite, unique: a word and a small number.
  void SatelliteNames() {
    std::vector<std::string_view> words(kSatelliteWords.begin(), kSatelliteWords.end());
    for (std::size_t i = words.size() - 1; i > 0; --i) {
      std::swap(words[i], words[static_cast<std::size_t>(draw_.Between(0, static_cast<int>(i)))]);
    }
    const int perRound = static_cast<int>(words.size());
    for (int i = 0; i < kMaxSatellites; ++i) {
      const int number = (i / perRound) * 4 + draw_.Between(1, 4);
      namePool_.push_back(Join(words[static_cast<std::size_t>(i % perRound)], std::to_string(number)));
    }
    Open(SectionKind::SatName);
    for (int i = 0; i < shape_.satelliteNames; ++i) {
      auto record = Blank(SectionKind::SatName);
      record[satellite_name_field::kIndex] = std::to_string(i + 1);
      record[satellite_name_field::kName] = namePool_[static_cast<std::size_t>(i)];
      Record(record);
    }
    Close(SectionKind::SatName);
  }

  void Satellites() {
    Open(SectionKind::Satellite);
    const int usable = shape_.satellites - (shape_.blankSatellite ? 1 : 0);
    for (int i = 0; i < shape_.satellites; ++i) {
      const bool blank = i >= usable;
      const bool cBand = draw_.Chance(20);
      std::string high = "5150", low = "5150";
      if (!cBand) {
        const bool universal = draw_.Chance(75);
        high = universal ? "10600" : "11300";
        low = universal ? "9750" : "10750";
      }
      using namespace satellite_field;
      auto record = Blank(SectionKind::Satellite);
      record[kIndex] = std::to_string(i);
      record[kName] = namePool_[static_cast<std::size_t>(i)];
      record[kBlank] = blank ? "Y" : "N";
      record[kLnbHigh] = high;
      record[kLnbLow] = low;
      record[kPosition] = std::to_string(i);
      // Orbital positions in tenths of a degree, East positive.
      record[kDegree] = std::to_string(draw_.Between(-1800, 1800));
      Record(record);
      if (!blank) satellites_.push_back({i, cBand});
    }
    Close(SectionKind::Satellite);
  }

  // TPs are numbered from 1, as a channel on TP 0 would be read as a null
  // channel; a full table also needs index 0, which then carries no channel.
  void DigitalTps() {
    Open(SectionKind::Digital);
    const int first = shape_.tps == kMaxTps ? 0 : 1;
    for (int i = 0; i < shape_.tps; ++i) {
      const int satellite =
          static_cast<int>(static_cast<long long>(i) * static_cast<long long>(satellites_.size()) / shape_.tps);
      const Satellite& sat = satellites_[static_cast<std::size_t>(satellite)];
      const int frequency = sat.cBand ? draw_.Between(3400, 4200) : draw_.Between(10700, 12750);
      Tp tp{std::to_string(first + i), satellite};
      const std::string_view region = draw_.From(kBouquetRegions);
      const std::string bouquet = Join(region, draw_.From(kBouquetKinds));
      using namespace digital_tp_field;
      auto record = Blank(SectionKind::Digital);
      record[kIndex] = tp.index;
      record[kSatIndex] = std::to_string(sat.index);
      record[kFrequency] = std::to_string(frequency);
      record[kSymbolRate] = draw_.From(kSymbolRates);
      record[kPolarization] = draw_.Chance(50) ? "H" : "V";
      record[kBouquet] = bouquet;
      Record(record);
      if (first + i != 0) carriers_.push_back(std::move(tp));
    }
    Close(SectionKind::Digital);
  }

  // Channels come in blocks per TP, as a scan stores them, with service ids
  // counting up from a base of the TP.
  void Channels() {
    Open(SectionKind::Channel);
    int previousCarrier = -1;
    unsigned serviceId = 0;
    for (int i = 0; i < shape_.channels; ++i) {
      const int carrier =
          static_cast<int>(static_cast<long long>(i) * static_cast<long long>(carriers_.size()) / shape_.channels);
      if (carrier != previousCarrier) {
        serviceId = static_cast<unsigned>(draw_.Between(1, 0xF000));
        previousCarrier = carrier;
      } else {
        serviceId = serviceId % 0xFFFF + 1;  // 1..0xFFFF: a service id of 0 marks a null channel
      }
      const Tp& tp = carriers_[static_cast<std::size_t>(carrier)];
      const bool radio = draw_.Chance(25);
      using namespace channel_field;
      auto record = Blank(SectionKind::Channel);
      record[kIndex] = std::to_string(i + 1);
      record[kTpIndex] = tp.index;
      record[kSatIndex] = SatIndexOf(tp);
      record[kServiceId] = Hex4(serviceId);
      record[kType] = TypeWord(radio);
      record[kName] = ChannelName(draw_, radio);
      record[kActiveAudio] = draw_.Chance(90) ? "1" : "2";
      record[kBlank] = draw_.Chance(2) ? "Y" : "N";
      Record(record);
    }
    Close(SectionKind::Channel);
  }

  // Feeds and services without tables, numbered after the digital channels.
  void PidChannels() {
    Open(SectionKind::ChannelPid);
    for (int i = 0; i < shape_.pidChannels; ++i) {
      const Tp& tp = carriers_[static_cast<std::size_t>(draw_.Between(0, static_cast<int>(carriers_.size()) - 1))];
      const bool radio = draw_.Chance(30);
      const int audio = draw_.Between(33, 8100);
      const int video = radio ? 8191 : draw_.Between(32, 8000);
      using namespace pid_channel_field;
      auto record = Blank(SectionKind::ChannelPid);
      record[kIndex] = std::to_string(shape_.channels + i + 1);
      record[kTpIndex] = tp.index;
      record[kSatIndex] = SatIndexOf(tp);
      record[kType] = TypeWord(radio);
      record[kName] = ChannelName(draw_, radio);
      record[kVideoPid] = std::to_string(video);
      record[kAudioPid] = std::to_string(audio);
      record[kPcrPid] = std::to_string(radio ? audio : video);
      record[kActiveAudio] = draw_.Chance(90) ? "1" : "2";
      record[kBlank] = draw_.Chance(3) ? "Y" : "N";
      Record(record);
    }
    Close(SectionKind::ChannelPid);
  }

  void AnalogTps() {
    Open(SectionKind::Analog);
    for (int i = 0; i < shape_.analogTps; ++i) {
      const Satellite& sat =
          satellites_[static_cast<std::size_t>(draw_.Between(0, static_cast<int>(satellites_.size()) - 1))];
      const bool radio = draw_.Chance(25);
      const int frequency = sat.cBand ? draw_.Between(3700, 4200) : draw_.Between(10950, 11700);
      // Audio subcarriers in MHz, written d.dd.
      const int left = draw_.Between(580, 792);
      const int right = draw_.Chance(60) ? left : std::min(left + 18, 799);
      auto mhz = [](int hundredths) {
        char text[8];
        std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
        return std::string(text);
      };
      // Fields in their order, as the draws must come in that order.
      using namespace analog_field;
      auto record = Blank(SectionKind::Analog);
      record[kIndex] = std::to_string(i + 1);
      record[kSatIndex] = std::to_string(sat.index);
      record[kFrequency] = std::to_string(frequency);
      record[kSignalBand] = kSignalBands[sat.cBand ? 0 : 1];
      record[kName] = ChannelName(draw_, radio);
      record[kVideoBand] = kVideoBands[sat.cBand && draw_.Chance(50) ? 0 : 1];
      record[kPolarization] = draw_.Chance(50) ? "H" : "V";
      record[kThreshold] = std::to_string(draw_.Between(1, 3));
      record[kContrast] = std::to_string(draw_.Between(3, 9));
      record[kDecoderOutput] = draw_.From(kDecoderOutputs);
      record[kAudioMode] = draw_.From(kAudioModes);
      record[kAudioLeft] = mhz(left);
      record[kAudioRight] = mhz(right);
      record[kBandWidth] = draw_.From(kBandWidths);
      record[kDnr] = draw_.Chance(20) ? "Y" : "N";
      record[kDeEmphasis] = draw_.From(kDeEmphases);
      record[kType] = TypeWord(radio);
      record[kBlank] = draw_.Chance(2) ? "Y" : "N";
      Record(record);
    }
    Close(SectionKind::Analog);
  }

  std::string SatIndexOf(const Tp& tp) const {
    return std::to_string(satellites_[static_cast<std::size_t>(tp.satellite)].index);
  }

  const ListShape& shape_;
  Draw draw_;
  LineList list_;
  std::vector<std::string> namePool_;
  std::vector<Satellite> satellites_;  // the usable ones
  std::vector<Tp> carriers_;           // TPs that channels may name
};

std::optional<std::string> OutOfRange(const char* what, int value, int limit) {
  if (value >= 0 && value <= limit) return std::nullopt;
  return std::string(what) + " must be 0 to " + std::to_string(limit) + ", not " + std::to_string(value);
}

}  // namespace

ListShape MaximalShape() {
  ListShape shape;
  shape.satelliteNames = 40;
  shape.satellites = kMaxSatellites;
  shape.tps = kMaxTps;
  shape.channels = kMaxChannels;
  shape.pidChannels = kMaxPidChannels;
  shape.analogTps = kMaxAnalogTps;
  shape.blankSatellite = true;
  return shape;
}

std::optional<std::string> ShapeProblem(const ListShape& shape) {
  if (shape.satelliteNames != 32 && shape.satelliteNames != 40) {
    return "the name list holds 32 or 40 names, not " + std::to_string(shape.satelliteNames);
  }
  for (auto problem : {OutOfRange("satellites", shape.satellites, kMaxSatellites),
                       OutOfRange("TPs", shape.tps, kMaxTps), OutOfRange("channels", shape.channels, kMaxChannels),
                       OutOfRange("PID channels", shape.pidChannels, kMaxPidChannels),
                       OutOfRange("analog TPs", shape.analogTps, kMaxAnalogTps)}) {
    if (problem) return problem;
  }
  if (shape.blankSatellite && shape.satellites == 0) return std::string("a blank satellite needs a satellite");
  const int usable = shape.satellites - (shape.blankSatellite ? 1 : 0);
  if ((shape.tps > 0 || shape.analogTps > 0) && usable == 0) {
    return std::string("TPs need a satellite that is not blank");
  }
  if ((shape.channels > 0 || shape.pidChannels > 0) && shape.tps == 0) {
    return std::string("channels need a TP");
  }
  return std::nullopt;
}

LineList GenerateList(const ListShape& shape) {
  if (auto problem = ShapeProblem(shape)) throw std::invalid_argument(*problem);
  return Generator(shape).Run();
}

std::string GenerateListText(const ListShape& shape) { return FormatListText(GenerateList(shape)); }

}  // namespace chanora

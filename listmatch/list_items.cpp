#include "listmatch/list_items.h"

#include <unordered_map>

#include "editor/channel_records.h"
#include "editor/section_map.h"
#include "textformat/fields.h"

namespace chanora {
namespace {

using FieldTitles = std::vector<std::pair<std::string_view, std::size_t>>;

// The cells compared when two records are matched: neither the identity nor
// the index cells, which renumbering and the list's own keys change.
const FieldTitles& ComparedFields(ItemKind kind) {
  static const FieldTitles satellite = {{"index", satellite_field::kIndex},
                                        {"blank", satellite_field::kBlank},
                                        {"LNB LO high", satellite_field::kLnbHigh},
                                        {"LNB LO low", satellite_field::kLnbLow},
                                        {"position", satellite_field::kPosition},
                                        {"degree", satellite_field::kDegree}};
  static const FieldTitles tp = {{"symbol rate", digital_tp_field::kSymbolRate},
                                 {"bouquet", digital_tp_field::kBouquet}};
  static const FieldTitles channel = {{"type", channel_field::kType},
                                      {"name", channel_field::kName},
                                      {"active audio", channel_field::kActiveAudio},
                                      {"blank", channel_field::kBlank}};
  static const FieldTitles pid = {{"type", pid_channel_field::kType},
                                  {"name", pid_channel_field::kName},
                                  {"active audio", pid_channel_field::kActiveAudio},
                                  {"blank", pid_channel_field::kBlank}};
  static const FieldTitles analog = {
      {"signal band", analog_field::kSignalBand},   {"video band", analog_field::kVideoBand},
      {"polarization", analog_field::kPolarization}, {"threshold", analog_field::kThreshold},
      {"contrast", analog_field::kContrast},         {"decoder output", analog_field::kDecoderOutput},
      {"audio mode", analog_field::kAudioMode},      {"audio left", analog_field::kAudioLeft},
      {"audio right", analog_field::kAudioRight},    {"bandwidth", analog_field::kBandWidth},
      {"DNR", analog_field::kDnr},                   {"de-emphasis", analog_field::kDeEmphasis},
      {"type", analog_field::kType},                 {"blank", analog_field::kBlank}};
  static const FieldTitles none;
  switch (kind) {
    case ItemKind::Satellite:
      return satellite;
    case ItemKind::Tp:
      return tp;
    case ItemKind::Channel:
      return channel;
    case ItemKind::PidChannel:
      return pid;
    case ItemKind::AnalogChannel:
      return analog;
    case ItemKind::SatelliteName:
      break;
  }
  return none;
}

// Hexadecimal and decimal numbers compare without their leading zeros.
std::string NumberKey(std::string_view text) {
  std::string key = NormalizedText(text);
  const std::size_t first = key.find_first_not_of('0');
  return first == std::string::npos ? "0" : key.substr(first);
}

// A key part that cannot run into the next one.
void Append(std::string& key, std::string_view part) {
  key += part;
  key += '\x1f';
}

// Where the records of a list stand on air: satellites by index, TPs by index.
class ListIndex {
 public:
  explicit ListIndex(const LineList& list) : list_(list), sections_(list) {
    for (std::size_t k = 0; k < sections_.RecordCount(SectionKind::Satellite); ++k) {
      const std::size_t start = sections_.RecordStart(SectionKind::Satellite, k);
      satellites_.try_emplace(list[start + satellite_field::kIndex], list[start + satellite_field::kName]);
    }
    for (std::size_t k = 0; k < sections_.RecordCount(SectionKind::Digital); ++k) {
      const std::size_t start = sections_.RecordStart(SectionKind::Digital, k);
      tps_.try_emplace(list[start + digital_tp_field::kIndex], start);
    }
  }

  const SectionMap& Sections() const { return sections_; }

  // The satellite's name, or its index where no satellite has it.
  std::string Satellite(const std::string& satIndex) const {
    auto it = satellites_.find(satIndex);
    return it != satellites_.end() ? it->second : "satellite #" + satIndex;
  }

  // "SATELLITE FREQUENCY POLARIZATION" of a TP.
  std::string TpPlace(std::size_t start) const {
    const std::string& pol = list_[start + digital_tp_field::kPolarization];
    return Satellite(list_[start + digital_tp_field::kSatIndex]) + " " +
           NumberKey(list_[start + digital_tp_field::kFrequency]) + " " + UpperCase(pol.substr(0, 1));
  }
  std::string TpPlaceOfIndex(const std::string& tpIndex) const {
    auto it = tps_.find(tpIndex);
    return it != tps_.end() ? TpPlace(it->second) : "TP #" + tpIndex;
  }

 private:
  const LineList& list_;
  SectionMap sections_;
  std::unordered_map<std::string, std::string> satellites_;
  std::unordered_map<std::string, std::size_t> tps_;
};

void Identify(const LineList& list, const ListIndex& index, ItemKind kind, ListItem& item) {
  auto cell = [&](std::size_t field) -> const std::string& { return list[item.start + field]; };
  auto quoted = [](const std::string& name) { return "\"" + name + "\""; };
  switch (kind) {
    case ItemKind::SatelliteName:
      Append(item.identity, NormalizedText(cell(satellite_name_field::kName)));
      item.label = quoted(cell(satellite_name_field::kName));
      break;
    case ItemKind::Satellite:
      Append(item.identity, NormalizedText(cell(satellite_field::kName)));
      item.label = quoted(cell(satellite_field::kName));
      break;
    case ItemKind::Tp:
      item.label = index.TpPlace(item.start);
      Append(item.identity, item.label);
      break;
    case ItemKind::Channel: {
      const std::string place = index.TpPlaceOfIndex(cell(channel_field::kTpIndex));
      Append(item.identity, place);
      Append(item.identity, NumberKey(cell(channel_field::kServiceId)));
      item.label = quoted(cell(channel_field::kName)) + " (" + place + ", service id " + cell(channel_field::kServiceId) + ")";
      break;
    }
    case ItemKind::PidChannel: {
      const std::string place = index.TpPlaceOfIndex(cell(pid_channel_field::kTpIndex));
      Append(item.identity, place);
      for (std::size_t pid : {pid_channel_field::kVideoPid, pid_channel_field::kAudioPid, pid_channel_field::kPcrPid}) {
        Append(item.identity, NumberKey(cell(pid)));
      }
      item.label = quoted(cell(pid_channel_field::kName)) + " (" + place + ", PIDs " + cell(pid_channel_field::kVideoPid) +
                   " " + cell(pid_channel_field::kAudioPid) + " " + cell(pid_channel_field::kPcrPid) + ")";
      break;
    }
    case ItemKind::AnalogChannel: {
      const std::string satellite = index.Satellite(cell(analog_field::kSatIndex));
      Append(item.identity, satellite);
      Append(item.identity, NumberKey(cell(analog_field::kFrequency)));
      Append(item.identity, NormalizedText(cell(analog_field::kName)));
      item.label = quoted(cell(analog_field::kName)) + " (" + satellite + " " + cell(analog_field::kFrequency) + ")";
      break;
    }
  }
}

// A channel's satellite and name, the fallback of reference matching.
std::string NameIdentity(const LineList& list, const ListIndex& index, ItemKind kind, std::size_t start) {
  std::size_t satField = channel_field::kSatIndex, nameField = channel_field::kName;
  if (kind == ItemKind::PidChannel) nameField = pid_channel_field::kName;
  if (kind == ItemKind::AnalogChannel) {
    satField = analog_field::kSatIndex;
    nameField = analog_field::kName;
  }
  std::string key;
  Append(key, index.Satellite(list[start + satField]));
  Append(key, NormalizedText(list[start + nameField]));
  return key;
}

}  // namespace

SectionKind SectionOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::SatelliteName:
      return SectionKind::SatName;
    case ItemKind::Satellite:
      return SectionKind::Satellite;
    case ItemKind::Tp:
      return SectionKind::Digital;
    case ItemKind::Channel:
      return SectionKind::Channel;
    case ItemKind::PidChannel:
      return SectionKind::ChannelPid;
    case ItemKind::AnalogChannel:
      return SectionKind::Analog;
  }
  return SectionKind::None;
}

std::string_view ItemKindName(ItemKind kind) {
  static constexpr std::array<std::string_view, 6> kNames = {"satellite name",  "satellite",   "TP",
                                                             "digital channel", "PID channel", "analog channel"};
  return kNames[static_cast<std::size_t>(kind)];
}

std::vector<ListItem> ItemsOf(const LineList& list, ItemKind kind) {
  const ListIndex index(list);
  const SectionKind section = SectionOf(kind);
  const bool channel = kind == ItemKind::Channel || kind == ItemKind::PidChannel || kind == ItemKind::AnalogChannel;
  std::vector<ListItem> items(index.Sections().RecordCount(section));
  for (std::size_t k = 0; k < items.size(); ++k) {
    ListItem& item = items[k];
    item.position = k + 1;
    item.start = index.Sections().RecordStart(section, k);
    Identify(list, index, kind, item);
    if (channel) item.nameIdentity = NameIdentity(list, index, kind, item.start);
    for (const auto& [title, field] : ComparedFields(kind)) item.fields.emplace_back(title, list[item.start + field]);
  }
  return items;
}

void MatchInOrder(const std::vector<std::string>& a, const std::vector<std::string>& b,
                  std::vector<std::optional<std::size_t>>& matches, std::vector<bool>& bTaken) {
  std::unordered_map<std::string_view, std::vector<std::size_t>> waiting;  // places in b, last first
  for (std::size_t j = b.size(); j-- > 0;) {
    if (!bTaken[j]) waiting[b[j]].push_back(j);
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (matches[i]) continue;
    auto it = waiting.find(a[i]);
    if (it == waiting.end() || it->second.empty()) continue;
    matches[i] = it->second.back();
    bTaken[it->second.back()] = true;
    it->second.pop_back();
  }
}

std::size_t RepeatedKeys(const std::vector<std::string>& keys) {
  std::unordered_map<std::string_view, int> seen;
  std::size_t repeated = 0;
  for (const std::string& key : keys) {
    if (++seen[key] == 2) ++repeated;
  }
  return repeated;
}

}  // namespace chanora

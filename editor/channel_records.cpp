#include "editor/channel_records.h"

#include <algorithm>
#include <cctype>

#include "base/text_conversion.h"
#include "editor/section_map.h"

namespace chanora {

void RenumberChannels(LineList& list, const SectionMap& sections) {
  int number = 0;
  auto renumber = [&](SectionKind kind) {
    for (std::size_t record = 0; record < sections.RecordCount(kind); ++record) {
      list[sections.RecordStart(kind, record)] = std::to_string(++number);
    }
  };
  renumber(SectionKind::Channel);
  renumber(SectionKind::ChannelPid);
  number = 0;
  renumber(SectionKind::Analog);
}

std::vector<std::string> NullRecordLike(const LineList& list, SectionKind kind, std::size_t start) {
  auto cell = [&](std::size_t field) { return list[start + field]; };
  switch (kind) {
    case SectionKind::Channel:
      return {"1",
              cell(channel_field::kTpIndex),
              cell(channel_field::kSatIndex),
              "0000",
              cell(channel_field::kType),
              "_",
              "1",
              "Y"};
    case SectionKind::ChannelPid:
      return {"1",
              cell(pid_channel_field::kTpIndex),
              cell(pid_channel_field::kSatIndex),
              NormalizedText(cell(pid_channel_field::kType)),
              "_",
              "   0",
              "   0",
              "   0",
              "1",
              "Y"};
    default:
      return {"1",
              cell(analog_field::kSatIndex),
              "0000",
              "C",
              "_",
              "27MHz",
              "H",
              "1",
              "5",
              "CVBS",
              "STEREO",
              "0000",
              "0000",
              "130",
              "Y",
              "U50",
              cell(analog_field::kType),
              "Y"};
  }
}

std::string NormalizedText(std::string_view text) { return UpperCase(TrimBlanks(text)); }

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::optional<std::size_t> FindRecordByIndex(const LineList& list, const SectionMap& sections, SectionKind kind,
                                             std::string_view index) {
  for (std::size_t record = 0; record < sections.RecordCount(kind); ++record) {
    const std::size_t start = sections.RecordStart(kind, record);
    if (list[start] == index) return start;
  }
  return std::nullopt;
}

long long LargestIndex(const LineList& list, const SectionMap& sections, std::initializer_list<SectionKind> kinds) {
  long long largest = 0;
  for (SectionKind kind : kinds) {
    for (std::size_t record = 0; record < sections.RecordCount(kind); ++record) {
      largest = std::max<long long>(largest, DecimalTextToInt(list[sections.RecordStart(kind, record)]));
    }
  }
  return largest;
}

std::vector<std::string> SatelliteNames(const LineList& list, const SectionMap& sections) {
  std::vector<std::string> names;
  for (std::size_t record = 0; record < sections.RecordCount(SectionKind::Satellite); ++record) {
    names.push_back(list[sections.RecordStart(SectionKind::Satellite, record) + satellite_field::kName]);
  }
  return names;
}

std::optional<std::size_t> SatelliteOfIndex(const LineList& list, const SectionMap& sections,
                                            std::string_view satIndex) {
  for (std::size_t record = 0; record < sections.RecordCount(SectionKind::Satellite); ++record) {
    if (list[sections.RecordStart(SectionKind::Satellite, record)] == satIndex) return record;
  }
  return std::nullopt;
}

void ReorderRecords(LineList& list, std::size_t first, std::size_t stride, std::span<const std::uint32_t> order) {
  std::vector<std::string> cells;
  cells.reserve(order.size() * stride);
  for (std::uint32_t record : order) {
    const std::size_t start = first + record * stride;
    for (std::size_t cell = 0; cell < stride; ++cell) cells.push_back(std::move(list[start + cell]));
  }
  std::move(cells.begin(), cells.end(), list.begin() + static_cast<std::ptrdiff_t>(first));
}

}  // namespace chanora

#include "textformat/sections.h"

#include <algorithm>

namespace chanora {
namespace {

constexpr std::array<SectionInfo, kSectionCount> kSections = {{
    {SectionKind::SatName, "SATELLITE_NAME_LIST", "SAT_NAME", 2, 1, {6, 16}},
    {SectionKind::Satellite, "SATELLITE", "SATELLITE", 7, 1, {6, 16, 3, 8, 8, 5, 10}},
    {SectionKind::Digital, "DIGITAL TP", "DIGITAL", 6, 5, {6, 6, 8, 8, 3, 16}},
    {SectionKind::Analog, "ANALOG TP", "ANALOG", 18, 4, {6, 6, 8, 8, 16, 8, 3, 6, 6, 10, 12, 8, 8, 8, 3, 8, 8, 3}},
    {SectionKind::Channel, "DIGITAL CHANNEL", "CHANNEL", 8, 5, {6, 6, 6, 8, 8, 16, 6, 3}},
    {SectionKind::ChannelPid, "DIGITAL PID CHANNEL", "CHANNEL_PID", 10, 4, {6, 6, 6, 8, 16, 8, 8, 8, 6, 3}},
}};

}  // namespace

const SectionInfo& InfoOf(SectionKind kind) { return kSections.at(static_cast<std::size_t>(kind) - 1); }

std::string StartMarker(SectionKind kind) { return std::string(InfoOf(kind).marker) + " START"; }
std::string EndMarker(SectionKind kind) { return std::string(InfoOf(kind).marker) + " END"; }

bool IsSectionMarker(std::string_view text) {
  return std::any_of(kSections.begin(), kSections.end(), [text](const SectionInfo& info) {
    if (!text.starts_with(info.marker)) return false;
    const std::string_view rest = text.substr(info.marker.size());
    return rest == " START" || rest == " END";
  });
}

}  // namespace chanora

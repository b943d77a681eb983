#pragma once

#include <array>
#include <string>
#include <string_view>

namespace chanora {

// The six sections of a channel list; None is outside any section, before the
// first header and after [END].
enum SectionKind : int {
  None = 0,
  SAT_NAME = 1,
  SATELLITE = 2,
  DIGITAL = 3,
  ANALOG = 4,
  CHANNEL = 5,
  CHANNEL_PID = 6,
};

inline constexpr int kSectionCount = 6;
inline constexpr int kMaxFieldLength = 19;
inline constexpr int kMaxLineLength = 498;

struct SectionInfo {
  SectionKind kind;
  std::string_view header;  // between the brackets of its header line
  std::string_view marker;  // marker word of the LineList
  int fieldCount;
  int nameField;            // counted from 0
  std::array<int, 18> widths;
};

const SectionInfo& InfoOf(SectionKind kind);  // kind 1 to 6

// The order in which the writer emits the sections.
inline constexpr std::array<SectionKind, kSectionCount> kWriterOrder = {
    SAT_NAME, SATELLITE, DIGITAL, CHANNEL, CHANNEL_PID, ANALOG};

std::string StartMarker(SectionKind kind);
std::string EndMarker(SectionKind kind);

// Whether a text equals one of the twelve marker strings of the LineList; a
// field that did would be taken for a section boundary.
bool IsSectionMarker(std::string_view text);

}  // namespace chanora

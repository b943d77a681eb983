#pragma once

#include <array>
#include <string>
#include <string_view>

namespace chanora {

// The six sections of a channel list; None is outside any section, before the
// first header and after [END].
enum class SectionKind : int {
  None = 0,
  SatName = 1,
  Satellite = 2,
  Digital = 3,
  Analog = 4,
  Channel = 5,
  ChannelPid = 6,
};

inline constexpr int kSectionCount = 6;

// The six kinds in their numeric order.
inline constexpr std::array<SectionKind, kSectionCount> kAllSections = {SectionKind::SatName, SectionKind::Satellite,
                                                                        SectionKind::Digital, SectionKind::Analog,
                                                                        SectionKind::Channel, SectionKind::ChannelPid};

// One value per section kind (and one for None), indexed by the kind.
template <typename T>
class PerSection {
 public:
  T& operator[](SectionKind kind) { return values_[static_cast<std::size_t>(kind)]; }
  const T& operator[](SectionKind kind) const { return values_[static_cast<std::size_t>(kind)]; }

 private:
  std::array<T, kSectionCount + 1> values_{};
};
inline constexpr int kMaxFieldLength = 19;
inline constexpr int kMaxLineLength = 498;

struct SectionInfo {
  SectionKind kind;
  std::string_view header;  // between the brackets of its header line
  std::string_view marker;  // marker word of the LineList
  int fieldCount;
  int nameField;  // counted from 0
  std::array<int, 18> widths;
};

const SectionInfo& InfoOf(SectionKind kind);  // kind 1 to 6

// The order in which the writer emits the sections.
inline constexpr std::array<SectionKind, kSectionCount> kWriterOrder = {SectionKind::SatName,    SectionKind::Satellite,
                                                                        SectionKind::Digital,    SectionKind::Channel,
                                                                        SectionKind::ChannelPid, SectionKind::Analog};

std::string StartMarker(SectionKind kind);
std::string EndMarker(SectionKind kind);

// Whether a text equals one of the twelve marker strings of the LineList; a
// field that did would be taken for a section boundary.
bool IsSectionMarker(std::string_view text);

}  // namespace chanora

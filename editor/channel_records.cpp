#include "editor/channel_records.h"

#include <cctype>

#include "editor/section_map.h"

namespace chanora {

void RenumberChannels(LineList& list) {
  const SectionMap sections(list);
  int number = 0;
  auto renumber = [&](SectionKind kind) {
    for (std::size_t record = 0; record < sections.RecordCount(kind); ++record) {
      list[sections.RecordStart(kind, record)] = std::to_string(++number);
    }
  };
  renumber(CHANNEL);
  renumber(CHANNEL_PID);
  number = 0;
  renumber(ANALOG);
}

std::vector<std::string> NullRecord(SectionKind kind, std::string_view tpIndex, std::string_view satIndex,
                                    std::string_view type) {
  const std::string tp(tpIndex);
  const std::string sat(satIndex);
  switch (kind) {
    case CHANNEL:
      return {"1", tp, sat, "0000", std::string(type), "_", "1", "Y"};
    case CHANNEL_PID:
      return {"1", tp, sat, NormalizedText(type), "_", "   0", "   0", "   0", "1", "Y"};
    default:
      return {"1",      sat,      "0000", "C",    "_",   "27MHz", "H",   "1",              "5",
              "CVBS",   "STEREO", "0000", "0000", "130", "Y",     "U50", std::string(type), "Y"};
  }
}

std::string NormalizedText(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace chanora

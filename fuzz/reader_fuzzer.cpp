// The load of a channel list: the record checks of a Basic and a Normal pass,
// then the reader when the checks pass; then the save of what was read and
// the load of that save, which must give back the same records.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/check_pass.h"
#include "fuzz/fuzz_support.h"
#include "textformat/reader.h"
#include "textformat/writer.h"

namespace chanora::fuzz {
namespace {

bool Checks(std::string_view bytes, CompileMode mode, int maxSatellites, bool split, Reporter& reporter) {
  NullImageBuilder nothing;
  return CheckPass(mode, maxSatellites, split, nothing, reporter).Run(bytes);
}

// The fields of a section's records; nothing for a section the list lacks.
std::vector<std::string> Records(const LineList& list, SectionKind kind) {
  auto span = FindLastSection(list, kind);
  if (!span) return {};
  return {list.begin() + static_cast<std::ptrdiff_t>(span->first),
          list.begin() + static_cast<std::ptrdiff_t>(span->end)};
}

// Whether the list has a satellite section and it came before every section
// whose records name a satellite.
bool SatellitesComeFirst(const LineList& list) {
  auto at = [&list](SectionKind kind) { return std::find(list.begin(), list.end(), StartMarker(kind)); };
  const auto satellites = at(SectionKind::Satellite);
  if (satellites == list.end()) return false;
  for (SectionKind kind : {SectionKind::Digital, SectionKind::Channel, SectionKind::ChannelPid, SectionKind::Analog}) {
    if (at(kind) < satellites) return false;
  }
  return true;
}

}  // namespace
}  // namespace chanora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace chanora;
  using namespace chanora::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LastMessageReporter reporter;

  // The number of satellite names is an option of 32 or 40; a list with
  // satellites passes the checks under one of them at most.
  int maxSatellites = 0;
  for (int max : {32, 40}) {
    const bool basic = Checks(bytes, CompileMode::Basic, max, false, reporter);
    Checks(bytes, CompileMode::Normal, max, max == 40, reporter);
    if (basic) {
      maxSatellites = max;
      break;
    }
  }
  if (maxSatellites == 0) return 0;

  // Past the checks, the reader refuses only names that spell a marker.
  LineList list;
  bool dropped = false;
  reporter.last.clear();
  if (!ReadListText(bytes, list, reporter, dropped)) {
    FUZZ_REQUIRE(reporter.last.find("section marker") != std::string::npos);
    return 0;
  }
  if (FindUnwritableField(list)) return 0;

  // What the editor saves must load again, with the same records. Two kinds
  // of list are saved in a form the checks may refuse: one without satellites
  // gets an empty satellite section, which the checks take only behind a full
  // name list; and records placed before the satellites were passed over,
  // while the save puts them behind the satellites, where they are checked.
  const std::string text = FormatListText(list);
  if (SatellitesComeFirst(list)) FUZZ_REQUIRE(Checks(text, CompileMode::Basic, maxSatellites, false, reporter));
  LineList reread;
  FUZZ_REQUIRE(ReadListText(text, reread, reporter, dropped));
  FUZZ_REQUIRE(!dropped);
  for (SectionKind kind : kWriterOrder) {
    std::vector<std::string> before = Records(list, kind);
    std::vector<std::string> after = Records(reread, kind);
    if (kind == SectionKind::Satellite && before.size() == after.size()) {
      // A degree of the older satellite layout is kept as written; saved in
      // the current layout it reads back as a number.
      for (std::size_t degree = 6; degree < before.size(); degree += 7) before[degree] = after[degree];
    }
    FUZZ_REQUIRE(after == before);
  }
  // Once every degree has been read as a number, a save and a load change
  // nothing more.
  const std::string second = FormatListText(reread);
  LineList third;
  FUZZ_REQUIRE(ReadListText(second, third, reporter, dropped));
  FUZZ_REQUIRE(FormatListText(third) == second);
  return 0;
}

#include "textformat/line_list.h"

#include <algorithm>

namespace chanora {

std::optional<SectionSpan> FindLastSection(const LineList& list, SectionKind kind) {
  const std::string start = StartMarker(kind);
  const std::string end = EndMarker(kind);
  auto startIt = std::find(list.rbegin(), list.rend(), start);
  auto endIt = std::find(list.rbegin(), list.rend(), end);
  if (startIt == list.rend() || endIt == list.rend()) return std::nullopt;
  std::size_t first = static_cast<std::size_t>(list.rend() - startIt);  // just after the start marker
  std::size_t endIndex = static_cast<std::size_t>(list.rend() - endIt) - 1;
  if (endIndex < first) return std::nullopt;
  return SectionSpan{first, endIndex};
}

}  // namespace chanora

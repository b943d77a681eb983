#pragma once

#include <optional>
#include <string>

#include "textformat/line_list.h"

namespace chanora {

// The formatted text of a LineList: the six sections in fixed order, each
// with its comment block and its records in fixed columns, then [END].
std::string FormatListText(const LineList& list);

// A message naming the first field that the text format cannot carry so that
// it reads back as the same field (empty, holding white space outside a name,
// a double quote, too long, a '#' in a satellite record, an incomplete
// record); empty when every field can be written.
std::optional<std::string> FindUnwritableField(const LineList& list);

}  // namespace chanora

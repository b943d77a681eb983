#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "textformat/line_list.h"

namespace chanora {

// Index cells become 1, 2, ... : the digital channels first, the PID
// channels going on with the count, the analog channels from 1 again.
void RenumberChannels(LineList& list);

// The placeholder record that Insert Null puts after a model channel: the
// model's TP, satellite and type, blank. A null digital channel has service
// id 0 and is dropped when the list is read again.
std::vector<std::string> NullRecord(SectionKind kind, std::string_view tpIndex, std::string_view satIndex,
                                    std::string_view type);

// Upper case, blanks removed at both ends: how names and types compare.
std::string NormalizedText(std::string_view text);

}  // namespace chanora

#pragma once

#include <string_view>

#include "textformat/line_list.h"

namespace chanora {

class Reporter;

// Appends the channel list held in `bytes` to `list`: sections become marker
// pairs, records their fields, null digital channels (service id 0) are
// dropped and reported through `nullChannelsDropped`, and missing PID and
// analog sections are completed. The bytes are expected to have passed the record
// checks; a name that spells a section marker is refused. A failure has been
// reported when this returns false.
bool ReadListText(std::string_view bytes, LineList& list, Reporter& reporter, bool& nullChannelsDropped);

}  // namespace chanora

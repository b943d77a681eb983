#pragma once

#include <optional>
#include <string>

#include "serial/serial_port.h"
#include "serial/transfer_settings.h"

namespace chanora {

class Reporter;

// The fixed upload file: Velkupload.txt in the program's own cache folder
// (UserCacheFile).
std::optional<std::string> UploadFilePath();

// Fetches the channel list that the receiver holds through its console:
// wakes it, types the dump command, captures the printout up to "[END]",
// keeps the list lines as formatted text in `outputPath` (replaced only by a
// complete list) and tells the receiver to go on, in a second port cycle,
// whatever came of the printout (a cancel included). `port` is the caller's,
// made with settings.cancel; it is closed again when this returns. True when
// a complete list is in `outputPath`.
bool UploadChannelList(SerialPort& port, const std::string& outputPath, const TransferSettings& settings,
                       Reporter& reporter);

}  // namespace chanora

#pragma once

#include <optional>
#include <string>

#include "serial/transfer_settings.h"

namespace chanora {

class Reporter;

// The fixed upload file: Velkupload.txt in the user's own cache folder
// ($XDG_CACHE_HOME/Chanora, else ~/.cache/Chanora), never a shared temporary
// folder. The folder is created for the user alone.
std::optional<std::string> UploadFilePath();

// Fetches the channel list that the receiver holds through its console:
// wakes it, types the dump command, captures the printout up to "[END]",
// keeps the list lines as formatted text in `outputPath` (replaced only by a
// complete list) and tells the receiver to go on. 1 on success, else 0.
int UploadChannelList(const std::string& outputPath, const TransferSettings& settings, Reporter& reporter);

}  // namespace chanora

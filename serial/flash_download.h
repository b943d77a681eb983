#pragma once

#include <string>

#include "serial/transfer_settings.h"

namespace chanora {

class Reporter;

// Sends a packet file to the receiver's flash loader over the serial line:
// connection on the loader's request, the file header, each packet behind its
// descriptor, then the receiver's verdict. Progress lines go to the message
// window. Returns 1 when the receiver reported the flash programmed, else 0.
int FlashDownload(const std::string& path, const TransferSettings& settings, Reporter& reporter);

}  // namespace chanora

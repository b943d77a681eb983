#pragma once

#include <string>

#include "serial/serial_port.h"
#include "serial/transfer_settings.h"

namespace chanora {

class Reporter;

// Sends a packet file to the receiver's flash loader over the serial line:
// connection on the loader's request, the file header, each packet behind its
// descriptor, then the receiver's verdict. Progress lines go to the message
// window. `port` is the caller's, made with settings.cancel; it is opened on
// settings.port and closed again when this returns. True when the receiver
// reported the flash programmed.
bool FlashDownload(SerialPort& port, const std::string& path, const TransferSettings& settings, Reporter& reporter);

}  // namespace chanora

#pragma once

#include <QSettings>

#include "document/settings.h"

namespace chanora {

// The per-user settings store of the window: the system's store (the registry
// on Windows, ~/.config/Velk/Chanora.conf here) under company "Velk",
// application "Chanora", section "Chanora". The maximum satellite number and
// the serial port are held in memory only, so every run starts with 32
// satellites and COM1.
class QtSettings : public Settings {
 public:
  QtSettings();

  int ReadInt(std::string_view key, int fallback) const override;
  std::string ReadText(std::string_view key, std::string_view fallback) const override;
  void WriteInt(std::string_view key, int value) override;
  void WriteText(std::string_view key, std::string_view value) override;

 private:
  QSettings store_;
  MemorySettings run_;
};

}  // namespace chanora

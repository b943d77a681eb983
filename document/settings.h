#pragma once

#include <map>
#include <string>
#include <string_view>

namespace chanora {

// The per-user settings store: integer and text values of the program's
// section, each read with a default. The window keeps it in the system's
// store; the command-line tool and the tests keep it in memory.
class Settings {
 public:
  virtual ~Settings() = default;
  virtual int ReadInt(std::string_view key, int fallback) const = 0;
  virtual std::string ReadText(std::string_view key, std::string_view fallback) const = 0;
  virtual void WriteInt(std::string_view key, int value) = 0;
  virtual void WriteText(std::string_view key, std::string_view value) = 0;
};

// Settings held for one run only.
class MemorySettings : public Settings {
 public:
  int ReadInt(std::string_view key, int fallback) const override;
  std::string ReadText(std::string_view key, std::string_view fallback) const override;
  void WriteInt(std::string_view key, int value) override;
  void WriteText(std::string_view key, std::string_view value) override;

 private:
  std::map<std::string, int, std::less<>> ints_;
  std::map<std::string, std::string, std::less<>> texts_;
};

}  // namespace chanora

#include "document/settings.h"

namespace chanora {

int MemorySettings::ReadInt(std::string_view key, int fallback) const {
  auto found = ints_.find(key);
  return found == ints_.end() ? fallback : found->second;
}

std::string MemorySettings::ReadText(std::string_view key, std::string_view fallback) const {
  auto found = texts_.find(key);
  return found == texts_.end() ? std::string(fallback) : found->second;
}

void MemorySettings::WriteInt(std::string_view key, int value) { ints_.insert_or_assign(std::string(key), value); }

void MemorySettings::WriteText(std::string_view key, std::string_view value) {
  texts_.insert_or_assign(std::string(key), std::string(value));
}

}  // namespace chanora

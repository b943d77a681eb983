// Files on Windows: not written yet.
#include "base/file_io.h"

namespace chanora {

std::optional<std::string> ReadWholeFile(const std::string&) { return std::nullopt; }

SaveResult ReplaceFile(const std::string&, std::string_view, std::optional<std::string_view>) {
  return SaveResult::CannotCreate;
}

std::optional<std::string> UserCacheFile(std::string_view) { return std::nullopt; }

void RemoveFile(const std::string&) {}

}  // namespace chanora

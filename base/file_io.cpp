#include "base/file_io.h"

#include <cctype>

#include "base/path_rules.h"

namespace chanora {
namespace {

bool EndsWithIgnoringCase(std::string_view name, std::string_view extension) {
  if (name.size() < extension.size()) return false;
  std::string_view tail = name.substr(name.size() - extension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != std::tolower(static_cast<unsigned char>(extension[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> DerivedPath(const std::string& listPath, std::string_view extension, std::string_view from) {
  const std::size_t slash = listPath.find_last_of(FolderSeparators());
  const std::string_view name = std::string_view(listPath).substr(slash == std::string::npos ? 0 : slash + 1);
  if (!EndsWithIgnoringCase(name, from) || name.size() == from.size()) return std::nullopt;
  const std::string_view opened = NameAsOpened(extension);
  if (opened.size() == from.size() && EndsWithIgnoringCase(opened, from)) return std::nullopt;
  return listPath.substr(0, listPath.size() - from.size()) + std::string(extension);
}

}  // namespace chanora

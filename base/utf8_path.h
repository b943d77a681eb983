#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace chanora {

// Paths in std::filesystem from and to the UTF-8 the program holds. A path
// made from a plain std::string reads the system's narrow code page, which
// on Windows mangles every name outside it.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace chanora

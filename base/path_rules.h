#pragma once

// How the system reads a path, for the portable path code; each platform's
// file backend defines these.

#include <string_view>

namespace chanora {

// The characters that part the folders of a path.
std::string_view FolderSeparators();

// The name the system opens for `name`: Windows drops trailing dots and
// blanks, so "list.txt. " is the list itself there.
std::string_view NameAsOpened(std::string_view name);

}  // namespace chanora

#pragma once

// Windows only: texts at the system's wide calls. Strings hold UTF-8 inside
// the program and become UTF-16 only at the call.

#include <string>
#include <string_view>

namespace chanora {

// UTF-16 for a call. Text that is not UTF-8 gives an empty string, which
// names no file: a path must not silently become another one.
std::wstring WideFromUtf8(std::string_view text);

// UTF-8 from what a call gave back; a lone surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace chanora

#pragma once

#include <string_view>

namespace chanora {

// The program's version, as the About box and chanora-cli --version show it.
std::string_view ProgramVersion();

}  // namespace chanora

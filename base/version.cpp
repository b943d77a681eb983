#include "base/version.h"

namespace chanora {

std::string_view ProgramVersion() { return CHANORA_VERSION; }

}  // namespace chanora

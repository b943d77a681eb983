// The command line program's start on POSIX systems: the arguments are
// already UTF-8 and the streams already pass bytes unchanged.
#include "cli/console_setup.h"

#include <unistd.h>

namespace chanora {

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void UseBinaryOutput() {}

bool MessagesOnTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace chanora

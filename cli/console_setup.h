#pragma once

#include <string>
#include <vector>

// What differs between systems at the start of the command line program;
// each platform has its own file.
namespace chanora {

// The arguments after the program's name, in UTF-8 whatever the system's
// code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Makes stdout and stderr pass every byte as written, so the output is the
// same on every system (no LF turned into CR LF).
void UseBinaryOutput();

// Whether messages go to a terminal, where a progress bar may redraw itself.
bool MessagesOnTerminal();

}  // namespace chanora

// The command line program's start on Windows: the narrow arguments are in
// the ANSI code page, which cannot hold every file name, so they are taken
// again as UTF-16; the streams would turn LF into CR LF.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "base/windows_text.h"
#include "cli/console_setup.h"

namespace chanora {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return {argv + 1, argv + argc};
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return args;
}

void UseBinaryOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool MessagesOnTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace chanora

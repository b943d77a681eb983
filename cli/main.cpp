#include <cstdio>
#include <string>
#include <vector>

#include "base/version.h"
#include "cli/commands.h"
#include "cli/console_reporter.h"
#include "cli/console_setup.h"

namespace {

using chanora::Command;

void PrintToolHelp(std::FILE* out) {
  std::fprintf(out,
               "Usage: chanora-cli COMMAND [ARGUMENTS] [--yes]\n"
               "       chanora-cli --version\n"
               "Checks, formats and compiles satellite receiver channel lists.\n\nCommands:\n");
  for (const Command& command : chanora::Commands()) std::fprintf(out, "  chanora-cli %s\n", command.spec.usage.data());
  std::fprintf(out,
               "\nMessages go to stderr; questions are answered No unless --yes is given.\n"
               "Exit status: 0 success, 1 failure, 2 usage error.\n"
               "'chanora-cli COMMAND --help' describes one command.\n");
}

void PrintCommandHelp(const Command& command) {
  std::printf("Usage: chanora-cli %s [--yes]\n\n%s\n", command.spec.usage.data(), command.spec.help.data());
}

int UsageError(const std::string& text) {
  std::fprintf(stderr, "chanora-cli: %s\nTry 'chanora-cli --help'.\n", text.c_str());
  return chanora::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  chanora::UseBinaryOutput();
  const std::vector<std::string> args = chanora::ProgramArguments(argc, argv);
  if (args.empty()) {
    PrintToolHelp(stderr);
    return chanora::kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    PrintToolHelp(stdout);
    return chanora::kExitSuccess;
  }
  if (args[0] == "--version") {
    std::printf("chanora-cli %s\n", chanora::ProgramVersion().data());
    return chanora::kExitSuccess;
  }
  for (const Command& command : chanora::Commands()) {
    if (args[0] != command.spec.name) continue;
    std::string error;
    auto parsed = chanora::ParseArguments(command.spec, {args.begin() + 1, args.end()}, error);
    if (!parsed) return UsageError(std::string(command.spec.name) + ": " + error);
    if (parsed->Has("--help")) {
      PrintCommandHelp(command);
      return chanora::kExitSuccess;
    }
    chanora::ConsoleReporter reporter(parsed->Has("--yes"));
    return command.run(*parsed, reporter);
  }
  return UsageError("unknown command '" + args[0] + "'");
}

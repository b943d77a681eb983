#pragma once

#include <vector>

#include "cli/arguments.h"

namespace chanora {

class Reporter;

// Exit codes of chanora-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct Command {
  CommandSpec spec;
  int (*run)(const ParsedArguments& args, Reporter& reporter);
};

const std::vector<Command>& Commands();

}  // namespace chanora

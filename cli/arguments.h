#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace chanora {

// What a subcommand accepts on the command line.
struct CommandSpec {
  std::string_view name;
  std::string_view usage;  // the synopsis after "chanora-cli "
  std::string_view help;   // what it does, shown by --help
  int positionals = 0;
  std::vector<std::string_view> valueOptions;  // take the next argument
  std::vector<std::string_view> flagOptions;
};

struct ParsedArguments {
  std::vector<std::string> positionals;
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;

  bool Has(std::string_view flag) const { return flags.count(flag) != 0; }
  std::optional<std::string> Value(std::string_view option) const;
};

// Parses the arguments after the subcommand's name; "--help" and "--yes" are
// accepted by every subcommand. On a usage error returns nothing and sets
// `error`.
std::optional<ParsedArguments> ParseArguments(const CommandSpec& spec, const std::vector<std::string>& args,
                                              std::string& error);

}  // namespace chanora

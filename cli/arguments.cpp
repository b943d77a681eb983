#include "cli/arguments.h"

#include <algorithm>

namespace chanora {
namespace {

bool Contains(const std::vector<std::string_view>& list, std::string_view item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

std::optional<std::string> ParsedArguments::Value(std::string_view option) const {
  auto it = values.find(option);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

std::optional<ParsedArguments> ParseArguments(const CommandSpec& spec, const std::vector<std::string>& args,
                                              std::string& error) {
  ParsedArguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "--yes" || Contains(spec.flagOptions, arg)) {
      parsed.flags.insert(arg);
    } else if (Contains(spec.valueOptions, arg)) {
      if (i + 1 >= args.size()) {
        error = "option " + arg + " needs a value";
        return std::nullopt;
      }
      parsed.values[arg] = args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else {
      parsed.positionals.push_back(arg);
    }
  }
  if (parsed.Has("--help")) return parsed;
  if (static_cast<int>(parsed.positionals.size()) != spec.positionals) {
    error = parsed.positionals.size() < static_cast<std::size_t>(spec.positionals) ? "missing argument"
                                                                                   : "too many arguments";
    return std::nullopt;
  }
  return parsed;
}

}  // namespace chanora

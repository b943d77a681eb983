#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace chanora {

// One entry of a file dialog's type list: its text and the name patterns it
// shows (both cases, as a case-blind file system would).
struct FileFilter {
  std::string text;
  std::vector<std::string> patterns;
};

// What a command asks of a file dialog. The window shows it; the tests and
// the command-line tool answer it themselves.
struct FileDialogRequest {
  enum class Kind { Open, Save };
  Kind kind = Kind::Open;
  std::string title;
  std::vector<FileFilter> filters;
  std::optional<std::string> folder;  // where it starts; the platform's default when none
};

// Shows a file dialog: the chosen path, or nothing when the user cancelled.
using ChoosePath = std::function<std::optional<std::string>(const FileDialogRequest&)>;

}  // namespace chanora

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chanora {

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The path of a file that belongs to a channel list: its ".txt" extension
// (`from`, in any case) replaced by `extension`. Only the file name's own
// extension counts, so a folder named "x.txt" is never changed, and a path
// without it gives nothing, so a derived file can never be the list itself.
std::optional<std::string> DerivedPath(const std::string& listPath, std::string_view extension,
                                       std::string_view from = ".txt");

enum class SaveResult { Saved, CannotCreate, CannotWrite };

// Replaces the file at `path` with `bytes` so that no failure leaves it
// half-written: the bytes go to a temporary file beside it and are flushed to
// the disk, then the old file becomes `backupPath` (when given) and the new
// one takes its name. Only a regular file is replaced.
SaveResult ReplaceFile(const std::string& path, std::string_view bytes,
                       const std::optional<std::string>& backupPath);

// Removes a file; anything else standing at the name is left alone.
void RemoveFile(const std::string& path);

}  // namespace chanora

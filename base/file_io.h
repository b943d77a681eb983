#pragma once

#include <optional>
#include <string>
#include <string_view>

// <windows.h> makes ReplaceFile a name for its ReplaceFileW; include it before
// this header where both are needed.
#undef ReplaceFile

namespace chanora {

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The path of a file that belongs to a channel list: its ".txt" extension
// (`from`, in any case) replaced by `extension`. Only the file name's own
// extension counts, so a folder named "x.txt" is never changed, and a path
// without it gives nothing, nor does an `extension` that the system would open
// as `from` (another case; on Windows trailing dots or blanks): a derived file
// can never be the list itself. Windows parts folders with '\' as well as '/'.
std::optional<std::string> DerivedPath(const std::string& listPath, std::string_view extension,
                                       std::string_view from = ".txt");

enum class SaveResult { Saved, CannotCreate, CannotWrite };

// Replaces the file at `path` with `bytes` so that no failure leaves it
// half-written: the bytes go to a temporary file beside it and are flushed to
// the disk, then the new file takes its name. Only a regular file is
// replaced.
//
// With `backupExtension` it saves a user's own file, as writing it in place
// would: a symbolic link at `path` is followed, so the file it leads to is
// replaced and the link stays a link (on Windows a link that leads nowhere
// is refused, as CannotCreate); a file the user made read-only is
// refused (CannotCreate); and the old file is kept beside the one replaced,
// under its name with the extension replaced (DerivedPath) or, lacking
// ".txt", appended.
SaveResult ReplaceFile(const std::string& path, std::string_view bytes,
                       std::optional<std::string_view> backupExtension);

// The path of the file `name` in the program's own cache folder, never a
// shared temporary folder: $XDG_CACHE_HOME/Chanora, else ~/.cache/Chanora;
// on Windows %LOCALAPPDATA%\Chanora. The folder is made on first use, for the
// user alone. Nothing when the user has no such folder and it cannot be made.
std::optional<std::string> UserCacheFile(std::string_view name);

// The environment variables that choose that folder, for a message that
// there is none.
std::string_view UserCacheVariables();

// Removes a file; anything else standing at the name is left alone.
void RemoveFile(const std::string& path);

}  // namespace chanora

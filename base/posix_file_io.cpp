// Files on POSIX systems.
#include "base/file_io.h"
#include "base/path_rules.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace chanora {
namespace {

// The folder part of a path with its final slash; empty for a bare name.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path leads to through symbolic links, which need not exist yet
// (a save through a dangling link creates it); nothing for a loop.
std::optional<std::string> FollowLinks(std::string path) {
  constexpr int kMaxLinks = 40;  // as many as the system itself follows
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const std::string target = std::filesystem::read_symlink(path, error).string();
    if (error || target.empty()) return std::nullopt;
    path = target.front() == '/' ? target : FolderOf(path) + target;
  }
  return std::nullopt;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Writes the bytes to a new file and flushes them to the disk; the file is
// removed again when anything fails.
SaveResult WriteNewFile(const std::string& path, std::string_view bytes, const struct stat* modeOf) {
  ::unlink(path.c_str());
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return SaveResult::CannotCreate;
  if (modeOf != nullptr) ::fchmod(fd, modeOf->st_mode & 07777);
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok) {
    ::unlink(path.c_str());
    return SaveResult::CannotWrite;
  }
  return SaveResult::Saved;
}

// Makes the renames in a folder durable, so that a crash right after a save
// cannot bring back the old name.
void SyncFolderOf(const std::string& path) {
  std::string folder = FolderOf(path);
  if (folder.empty()) folder = ".";
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Makes the backup a second name of the old file, so that the list keeps its
// name the whole time and the old backup goes only when the new one stands.
// False where the folder cannot hold a second name; the caller then moves
// the old file aside instead.
bool KeepBackup(const std::string& path, const std::string& backupPath) {
  const std::string link = backupPath + ".partial";
  ::unlink(link.c_str());
  if (::link(path.c_str(), link.c_str()) != 0) return false;
  if (std::rename(link.c_str(), backupPath.c_str()) != 0) ::unlink(link.c_str());  // no backup, as before
  return true;
}

bool MakePrivateFolder(const std::string& path) {
  std::string partial;
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    partial = path.substr(0, slash);
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) {
      // A file of that name is no folder to upload into.
      struct stat folder {};
      return ::stat(partial.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
    }
  }
}

}  // namespace

std::string_view FolderSeparators() { return "/"; }

std::string_view NameAsOpened(std::string_view name) { return name; }

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // A read that fails part way (a folder, a bad sector, a vanished share) must
  // not pass for a shorter list: saved back, it would cut the user's list.
  // Only a regular file is a list: a folder fails, a pipe would wait forever.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

SaveResult ReplaceFile(const std::string& path, std::string_view bytes,
                       std::optional<std::string_view> backupExtension) {
  // A user's list saved through a symbolic link stays one. An output
  // replaces its own name: a link there may lead anywhere, to the list even.
  const bool usersFile = backupExtension.has_value();
  const std::optional<std::string> followed = usersFile ? FollowLinks(path) : path;
  if (!followed) return SaveResult::CannotCreate;
  const std::string& target = *followed;
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  // Only a file is replaced: a folder (or device) standing at the name belongs
  // to someone else and would otherwise be moved aside as the backup.
  if (exists && !S_ISREG(existing.st_mode)) return SaveResult::CannotCreate;
  // A list the user made read-only could not be written in place, so the
  // rename must not replace it either. Outputs are the engine's own files.
  if (exists && usersFile && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return SaveResult::CannotCreate;
  }
  const std::string temporary = target + ".partial";
  SaveResult result = WriteNewFile(temporary, bytes, exists ? &existing : nullptr);
  if (result != SaveResult::Saved) return result;

  std::optional<std::string> backupPath;
  if (backupExtension) {
    backupPath = DerivedPath(target, *backupExtension).value_or(target + std::string(*backupExtension));
  }
  const bool movedAside =
      exists && backupPath && !KeepBackup(target, *backupPath) && std::rename(target.c_str(), backupPath->c_str()) == 0;
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    if (movedAside) std::rename(backupPath->c_str(), target.c_str());
    ::unlink(temporary.c_str());
    return SaveResult::CannotWrite;
  }
  SyncFolderOf(target);
  return SaveResult::Saved;
}

void RemoveFile(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path.c_str());
}

std::optional<std::string> UserCacheFile(std::string_view name) {
  std::string folder;
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && cache[0] == '/') {
    folder = cache;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    folder = std::string(home) + "/.cache";
  } else {
    return std::nullopt;
  }
  folder += "/Chanora";
  if (!MakePrivateFolder(folder)) return std::nullopt;
  return folder + "/" + std::string(name);
}

std::string_view UserCacheVariables() { return "HOME and XDG_CACHE_HOME"; }

}  // namespace chanora

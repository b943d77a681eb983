// Files on Windows, through the wide calls: paths are UTF-8 in the program
// and UTF-16 only at the call.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>

#include "base/file_io.h"
#include "base/path_rules.h"
#include "base/windows_text.h"

namespace chanora {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle closed on every way out.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // A close can fail for a write the system still held back.
  bool Close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

 private:
  HANDLE handle_;
};

// A file on a disk: not a folder, a device or a pipe.
bool IsDiskFile(HANDLE handle, DWORD* attributes = nullptr) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info)) return false;
  if (attributes != nullptr) *attributes = info.dwFileAttributes;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// What stands at a path, links followed. Other covers what cannot be told
// (no access, a name the system refuses): nothing there is replaced.
struct Standing {
  enum class Kind { Nothing, DiskFile, Other } kind = Kind::Other;
  DWORD attributes = 0;
};

Standing WhatStandsAt(const std::wstring& path) {
  Handle handle(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.valid()) {
    const DWORD error = ::GetLastError();
    const bool nothing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {nothing ? Standing::Kind::Nothing : Standing::Kind::Other};
  }
  Standing standing;
  if (IsDiskFile(handle.get(), &standing.attributes)) standing.kind = Standing::Kind::DiskFile;
  return standing;
}

// A symbolic link or a junction, not the name of a file itself. Other
// reparse points (files a cloud service keeps) are files like any other.
bool IsLink(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
         (found.dwReserved0 == IO_REPARSE_TAG_SYMLINK || found.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
}

// The name the system itself resolves an existing file to, links followed.
std::optional<std::wstring> FinalPath(const std::wstring& path) {
  Handle handle(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.valid()) return std::nullopt;
  std::wstring target(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(handle.get(), target.data(), static_cast<DWORD>(target.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return std::nullopt;
    const bool fits = length < target.size();
    target.resize(length);  // too small: the length asked for, with the final null
    if (fits) return target;
  }
}

// The file a user's list leads to. Every existing list is resolved, as not
// every file system marks its links as reparse points. A link that cannot be
// resolved (dangling, a loop) gives nothing: a save there could replace the
// wrong file. A plain name that cannot (a new list, a file system that does
// not tell) is its own file.
std::optional<std::string> FollowLinks(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  if (const std::optional<std::wstring> target = FinalPath(wide)) return Utf8FromWide(*target);
  if (IsLink(wide)) return std::nullopt;
  return path;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  constexpr std::size_t kMostAtOnce = 1 << 20;
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMostAtOnce));
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Writes the bytes to a new file and flushes them to the disk; the file is
// removed again when anything fails.
SaveResult WriteNewFile(const std::wstring& path, std::string_view bytes) {
  ::DeleteFileW(path.c_str());  // the half file of a save that crashed
  Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return SaveResult::CannotCreate;
  bool ok = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
  ok = file.Close() && ok;
  if (!ok) {
    ::DeleteFileW(path.c_str());
    return SaveResult::CannotWrite;
  }
  return SaveResult::Saved;
}

// A read-only backup or output is the engine's own file, replaced like any
// other; Windows refuses to rename over it while the flag is set. A link is
// replaced itself, so what it leads to keeps its flag.
void ClearReadOnly(const std::wstring& path) {
  if (IsLink(path)) return;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return;
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
}

// Gives the written temporary file the target's name. With a backup the old
// file takes the backup name in the same call, so the list is never missing;
// where no backup can be made (a folder at its name) the save goes on without
// one, as on other systems.
bool PutInPlace(const std::wstring& temporary, const std::wstring& target, const std::optional<std::wstring>& backup) {
  if (backup) {
    ClearReadOnly(*backup);
    if (::ReplaceFileW(target.c_str(), temporary.c_str(), backup->c_str(),
                       REPLACEFILE_WRITE_THROUGH | REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      return true;
    }
    if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
      // Stopped half way: the old file already has the backup name. The new
      // one follows it, or the old one comes back.
      if (::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
      ::MoveFileExW(backup->c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
      return false;
    }
  } else {
    ClearReadOnly(target);
  }
  return ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::optional<std::wstring> EnvironmentValue(const wchar_t* name) {
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(name, value.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  value.resize(length);
  return value;
}

bool IsAbsolute(const std::wstring& path) {
  const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  return drive || path.starts_with(L"\\\\") || path.starts_with(L"//");
}

// The user's local application data folder: LOCALAPPDATA when it names one
// (so it can be moved, as XDG_CACHE_HOME can elsewhere), else the system's
// own record of it.
std::optional<std::wstring> LocalAppData() {
  if (auto folder = EnvironmentValue(L"LOCALAPPDATA"); folder && IsAbsolute(*folder)) return folder;
  PWSTR known = nullptr;
  std::optional<std::wstring> folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &known))) folder = known;
  ::CoTaskMemFree(known);
  return folder;
}

// Makes the folder and those above it; true when a folder stands there.
bool MakeFolder(const std::wstring& path) {
  for (std::size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
    ::CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);  // most exist already
  }
  ::CreateDirectoryW(path.c_str(), nullptr);
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string_view FolderSeparators() { return "\\/"; }

std::string_view NameAsOpened(std::string_view name) { return name.substr(0, name.find_last_not_of(". ") + 1); }

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // A read that fails part way (a bad sector, a vanished share) must not pass
  // for a shorter list: saved back, it would cut the user's list. Only a file
  // on a disk is a list: a folder fails, a pipe or a port would wait.
  Handle file(::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || !IsDiskFile(file.get())) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    if (got == 0) return bytes;
    bytes.append(buffer, got);
  }
}

SaveResult ReplaceFile(const std::string& path, std::string_view bytes,
                       std::optional<std::string_view> backupExtension) {
  // A user's list saved through a symbolic link stays one. An output
  // replaces its own name: a link there may lead anywhere, to the list even.
  const bool usersFile = backupExtension.has_value();
  const std::optional<std::string> followed = usersFile ? FollowLinks(path) : path;
  if (!followed) return SaveResult::CannotCreate;
  const std::string& target = *followed;
  const std::wstring wideTarget = WideFromUtf8(target);
  if (wideTarget.empty()) return SaveResult::CannotCreate;
  const Standing existing = WhatStandsAt(wideTarget);
  // Only a file is replaced: a folder (or device) standing at the name belongs
  // to someone else and would otherwise be moved aside as the backup.
  if (existing.kind == Standing::Kind::Other) return SaveResult::CannotCreate;
  const bool exists = existing.kind == Standing::Kind::DiskFile;
  // A list the user made read-only could not be written in place, so the
  // rename must not replace it either. Outputs are the engine's own files.
  if (exists && usersFile && (existing.attributes & FILE_ATTRIBUTE_READONLY) != 0) return SaveResult::CannotCreate;

  const std::wstring temporary = wideTarget + L".partial";
  const SaveResult result = WriteNewFile(temporary, bytes);
  if (result != SaveResult::Saved) return result;
  std::optional<std::wstring> backup;
  if (usersFile && exists) {
    backup = WideFromUtf8(DerivedPath(target, *backupExtension).value_or(target + std::string(*backupExtension)));
  }
  if (!PutInPlace(temporary, wideTarget, backup)) {
    ::DeleteFileW(temporary.c_str());
    return SaveResult::CannotWrite;
  }
  return SaveResult::Saved;
}

void RemoveFile(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || IsLink(wide)) return;
  ::DeleteFileW(wide.c_str());
}

std::optional<std::string> UserCacheFile(std::string_view name) {
  std::optional<std::wstring> folder = LocalAppData();
  if (!folder) return std::nullopt;
  std::replace(folder->begin(), folder->end(), L'/', L'\\');
  while (folder->ends_with(L'\\')) folder->pop_back();
  *folder += L"\\Chanora";
  if (!MakeFolder(*folder)) return std::nullopt;
  return Utf8FromWide(*folder) + "\\" + std::string(name);
}

std::string_view UserCacheVariables() { return "LOCALAPPDATA"; }

}  // namespace chanora

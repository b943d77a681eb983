#pragma once

#include <set>
#include <string>
#include <string_view>

namespace chanora::testing {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// The names in a folder (UTF-8), to see that a failure left nothing behind.
std::set<std::string> FolderNames(const std::string& folder);

// The demo list of the examples folder.
std::string DemoListBytes();

// Lines joined with CR LF, each line ended by it.
std::string CrLfLines(std::initializer_list<std::string_view> lines);

}  // namespace chanora::testing

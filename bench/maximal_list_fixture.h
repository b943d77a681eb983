#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/reporter.h"
#include "engine/list_engine.h"
#include "tools/list_generator.h"

namespace chanora {

// Keeps the last message, so that a failed run can say why.
class QuietReporter : public Reporter {
 public:
  void Message(const std::string& text) override { last = text; }
  Answer Ask(const std::string&, const std::string&, Buttons) override { return Answer::No; }
  void AppendLine(const std::string&) override {}
  void SetProgress(int) override {}
  std::string last;
};

// A maximal list, in memory and written to a file in a folder of its own
// that is removed at the end of the run.
class MaximalList {
 public:
  MaximalList() : shape(MaximalShape()), list(GenerateList(shape)) {
    std::string pattern = (std::filesystem::temp_directory_path() / "chanora-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("chanora-bench: cannot create a temporary folder");
      std::exit(1);
    }
    folder = pattern;
    loadPath = folder + "/maximal.txt";
    savePath = folder + "/saved.txt";
    std::ofstream out(loadPath, std::ios::binary);
    const std::string text = GenerateListText(shape);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    bytes = text.size();
  }
  ~MaximalList() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  ListShape shape;
  LineList list;
  std::string folder, loadPath, savePath;
  std::size_t bytes = 0;
};

inline MaximalList& Fixture() {
  static MaximalList fixture;
  return fixture;
}

}  // namespace chanora

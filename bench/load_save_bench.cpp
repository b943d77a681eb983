// Load and save of the largest list the format holds: what a user waits for
// when opening or saving a full receiver list.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/list_db.h"
#include "engine/reporter.h"
#include "tools/list_generator.h"

namespace chanora {
namespace {

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

MaximalList& Fixture() {
  static MaximalList fixture;
  return fixture;
}

// Check pass and read, as opening a list does.
void BM_LoadMaximalList(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  for (auto _ : state) {
    CListDB db(fixture.loadPath, reporter, fixture.shape.satelliteNames);
    LineList list;
    if (!db.ReadFormattedText(list)) {
      state.SkipWithError(("load failed: " + reporter.last).c_str());
      break;
    }
    benchmark::DoNotOptimize(list.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fixture.bytes));
}
BENCHMARK(BM_LoadMaximalList)->Unit(benchmark::kMillisecond);

// Format, write beside, flush to the disk and swap in with a backup.
void BM_SaveMaximalList(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  CListDB db(fixture.savePath, reporter, fixture.shape.satelliteNames);
  for (auto _ : state) {
    if (!db.WriteFormattedText(fixture.list)) {
      state.SkipWithError(("save failed: " + reporter.last).c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fixture.bytes));
}
BENCHMARK(BM_SaveMaximalList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chanora

// Load and save of the largest list the format holds: what a user waits for
// when opening or saving a full receiver list.
#include <benchmark/benchmark.h>

#include "bench/maximal_list_fixture.h"

namespace chanora {
namespace {

// Check pass and read, as opening a list does.
void BM_LoadMaximalList(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  ListEngine engine(reporter);
  for (auto _ : state) {
    auto loaded = engine.Load(fixture.loadPath, fixture.shape.satelliteNames);
    if (!loaded) {
      state.SkipWithError(("load failed: " + reporter.last).c_str());
      break;
    }
    benchmark::DoNotOptimize(loaded->list.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fixture.bytes));
}
BENCHMARK(BM_LoadMaximalList)->Unit(benchmark::kMillisecond);

// Format, write beside, flush to the disk and swap in with a backup.
void BM_SaveMaximalList(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  ListEngine engine(reporter);
  for (auto _ : state) {
    if (!engine.Save(fixture.savePath, fixture.list)) {
      state.SkipWithError(("save failed: " + reporter.last).c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fixture.bytes));
}
BENCHMARK(BM_SaveMaximalList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chanora

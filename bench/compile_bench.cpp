// Compile of the largest list the format holds into its hex text and packet
// file, and the packet conversion alone.
#include <benchmark/benchmark.h>

#include "base/file_io.h"
#include "bench/maximal_list_fixture.h"
#include "packets/packet_conversion.h"

namespace chanora {
namespace {

CompileOptions MaximalOptions(const MaximalList& fixture) {
  CompileOptions options;
  options.maxSatellites = fixture.shape.satelliteNames;
  return options;
}

// Basic compile and packet conversion, as the Compile command runs them.
void BM_CompileMaximalList(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  ListEngine engine(reporter);
  for (auto _ : state) {
    if (!engine.CompileFile(fixture.loadPath, MaximalOptions(fixture)) || !engine.ConvertToPackets(fixture.loadPath)) {
      state.SkipWithError(("compile failed: " + reporter.last).c_str());
      break;
    }
  }
}
BENCHMARK(BM_CompileMaximalList)->Unit(benchmark::kMillisecond);

// The same from the list in memory, as compiling an edited list does.
void BM_CompileMaximalListFromMemory(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  ListEngine engine(reporter);
  for (auto _ : state) {
    if (!engine.CompileList(fixture.list, fixture.loadPath, MaximalOptions(fixture)) ||
        !engine.ConvertToPackets(fixture.loadPath)) {
      state.SkipWithError(("compile failed: " + reporter.last).c_str());
      break;
    }
  }
}
BENCHMARK(BM_CompileMaximalListFromMemory)->Unit(benchmark::kMillisecond);

void BM_ConvertMaximalHexText(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  auto hexText = ListEngine(reporter).CompileFile(fixture.loadPath, MaximalOptions(fixture))
                     ? ReadWholeFile(*DerivedPath(fixture.loadPath, ".hex"))
                     : std::nullopt;
  if (!hexText) {
    state.SkipWithError(("compile failed: " + reporter.last).c_str());
    return;
  }
  for (auto _ : state) {
    auto packets = ConvertHexToPackets(*hexText, reporter);
    benchmark::DoNotOptimize(packets);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * hexText->size()));
}
BENCHMARK(BM_ConvertMaximalHexText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chanora

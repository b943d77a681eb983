// Compile of the largest list the format holds into its hex text and packet
// file, and the packet conversion alone.
#include <benchmark/benchmark.h>

#include "bench/maximal_list_fixture.h"
#include "base/file_io.h"
#include "packets/packet_conversion.h"

namespace chanora {
namespace {

// Basic compile and packet conversion, as the Compile command runs them.
void BM_CompileMaximalList(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  for (auto _ : state) {
    ListEngine db(fixture.loadPath, reporter, fixture.shape.satelliteNames);
    if (!db.Compile(CompileMode::Basic) || !db.ConvertToPackets()) {
      state.SkipWithError(("compile failed: " + reporter.last).c_str());
      break;
    }
  }
}
BENCHMARK(BM_CompileMaximalList)->Unit(benchmark::kMillisecond);

void BM_ConvertMaximalHexText(benchmark::State& state) {
  MaximalList& fixture = Fixture();
  QuietReporter reporter;
  ListEngine db(fixture.loadPath, reporter, fixture.shape.satelliteNames);
  auto hexText = db.Compile(CompileMode::Basic) ? ReadWholeFile(*DerivedPath(fixture.loadPath, ".hex")) : std::nullopt;
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

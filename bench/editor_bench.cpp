// Sorting the largest list the format holds, as the Sort menu does it: what a
// user waits for after choosing an order.
#include <benchmark/benchmark.h>

#include <random>

#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "editor/sorting.h"
#include "tools/list_generator.h"

namespace chanora {
namespace {

// 10,000 digital, 1,000 PID and 5,000 analog channels on three satellites,
// names drawn from a few hundred, so that most keys are shared; the records
// shuffled within their sections, as a list edited by hand is.
const ListViewModel& UnsortedModel() {
  static const ListViewModel model = [] {
    ListShape shape = MaximalShape();
    shape.satellites = 4;  // the last one blank
    ListViewModel built;
    built.list = GenerateList(shape);
    const SectionMap sections(built.list);
    std::mt19937 random(5);
    for (SectionKind kind : {CHANNEL, CHANNEL_PID, ANALOG}) {
      const std::size_t stride = static_cast<std::size_t>(InfoOf(kind).fieldCount);
      for (std::size_t k = sections.RecordCount(kind); k > 1; --k) {
        const std::size_t other = random() % k;
        for (std::size_t cell = 0; cell < stride; ++cell) {
          std::swap(built.list[sections.RecordStart(kind, k - 1) + cell],
                    built.list[sections.RecordStart(kind, other) + cell]);
        }
      }
    }
    built.RenumberAndRebuild();
    return built;
  }();
  return model;
}

void BM_SortMaximalList(benchmark::State& state) {
  const ListViewModel& unsorted = UnsortedModel();
  const auto mode = static_cast<SortMode>(state.range(0));
  ListViewModel model;
  for (auto _ : state) {
    state.PauseTiming();
    model = unsorted;
    state.ResumeTiming();
    SortChannels(model, mode);
    benchmark::DoNotOptimize(model.list.data());
  }
}
BENCHMARK(BM_SortMaximalList)->ArgName("mode")->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chanora

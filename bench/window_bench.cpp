#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>

#include "app/main_window.h"
#include "bench/maximal_list_fixture.h"
#include "document/options.h"
#include "document/settings.h"
#include "editor/sorting.h"

namespace chanora {
namespace {

// Opening a maximal list in the window, up to its first paint.
void BM_OpenMaximalListInWindow(benchmark::State& state) {
  MaximalList& maximal = Fixture();
  for (auto _ : state) {
    MemorySettings settings;
    StoreOptions(settings, {maximal.shape.satelliteNames, "COM1"});
    MainWindow window(settings);
    window.resize(1600, 1000);
    window.show();
    if (!window.OpenList(maximal.loadPath)) state.SkipWithError("the maximal list did not open");
    window.repaint();
  }
}
BENCHMARK(BM_OpenMaximalListInWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// A sort of the shown list, then the table shown anew and painted.
void BM_SortAndRepaint(benchmark::State& state) {
  MaximalList& maximal = Fixture();
  MemorySettings settings;
  StoreOptions(settings, {maximal.shape.satelliteNames, "COM1"});
  MainWindow window(settings);
  window.resize(1600, 1000);
  window.show();
  if (!window.OpenList(maximal.loadPath)) state.SkipWithError("the maximal list did not open");
  const auto mode = static_cast<SortMode>(state.range(0));
  for (auto _ : state) {
    SortChannels(window.document().Model(), mode);
    window.ListChanged();
    window.repaint();
  }
}
BENCHMARK(BM_SortAndRepaint)->ArgName("mode")->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chanora

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

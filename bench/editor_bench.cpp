// The editor on the largest list the format holds: sorting as the Sort menu
// does it, reading every cell of every view, dragging a thousand channels at
// once and single edits: what a user waits for after each of them.
#include <benchmark/benchmark.h>

#include <numeric>
#include <random>

#include "bench/maximal_list_fixture.h"

#include "editor/digital_channel_edit.h"
#include "editor/list_view_model.h"
#include "editor/section_map.h"
#include "editor/sorting.h"
#include "editor/structure_edits.h"
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
    LineList list = GenerateList(shape);
    const SectionMap sections(list);
    std::mt19937 random(5);
    for (SectionKind kind : {SectionKind::Channel, SectionKind::ChannelPid, SectionKind::Analog}) {
      const std::size_t stride = static_cast<std::size_t>(InfoOf(kind).fieldCount);
      for (std::size_t k = sections.RecordCount(kind); k > 1; --k) {
        const std::size_t other = random() % k;
        for (std::size_t cell = 0; cell < stride; ++cell) {
          std::swap(list[sections.RecordStart(kind, k - 1) + cell], list[sections.RecordStart(kind, other) + cell]);
        }
      }
    }
    ListViewModel built;
    built.Reset(std::move(list));
    return built;
  }();
  return model;
}

Reporter& NullReporter() {
  static QuietReporter reporter;
  return reporter;
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
    benchmark::DoNotOptimize(model.List().data());
  }
}
BENCHMARK(BM_SortMaximalList)->ArgName("mode")->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// Every cell of both channel views and of the six section lists, as windows
// filling them ask for them.
void BM_ReadEveryCellOfEveryView(benchmark::State& state) {
  ListViewModel model = UnsortedModel();
  for (auto _ : state) {
    std::size_t characters = 0;
    auto readAll = [&] {
      const std::size_t columns = model.ShownColumns().size();
      for (std::size_t row = 0; row < model.ShownRowCount(); ++row) {
        for (std::size_t column = 0; column < columns; ++column) {
          characters += model.ShownCell(row, static_cast<int>(column)).size();
        }
      }
    };
    model.shownSection = SectionKind::None;
    for (bool digital : {true, false}) {
      model.showDigital = digital;
      readAll();
    }
    for (SectionKind kind : kAllSections) {
      model.shownSection = kind;
      readAll();
    }
    benchmark::DoNotOptimize(characters);
  }
}
BENCHMARK(BM_ReadEveryCellOfEveryView)->Unit(benchmark::kMillisecond);

// One screen page, 40 rows, of the Analog Channel List read cell by cell.
void BM_ReadSectionListPage(benchmark::State& state) {
  ListViewModel model = UnsortedModel();
  model.shownSection = SectionKind::Analog;
  for (auto _ : state) {
    std::size_t characters = 0;
    for (std::size_t row = 2000; row < 2040; ++row) {
      for (int column = 0; column < 18; ++column) characters += model.ShownCell(row, column).size();
    }
    benchmark::DoNotOptimize(characters);
  }
}
BENCHMARK(BM_ReadSectionListPage)->Unit(benchmark::kMicrosecond);

// A run of 1,000 digital channels dragged 3,000 rows down, with its undo
// record, renumbering and rebuild.
void BM_GroupMoveThousandChannels(benchmark::State& state) {
  const ListViewModel& unsorted = UnsortedModel();
  std::vector<std::size_t> run(1000);
  std::iota(run.begin(), run.end(), 2000);
  ListViewModel model;
  for (auto _ : state) {
    state.PauseTiming();
    model = unsorted;
    state.ResumeTiming();
    if (!MoveRows(model, run, 2000, 6000, NullReporter())) state.SkipWithError("the group did not move");
  }
}
BENCHMARK(BM_GroupMoveThousandChannels)->Unit(benchmark::kMillisecond);

// One channel deleted, as the Delete key does: undo record, renumbering,
// rows, and whether the list still differs from the saved one.
void BM_DeleteOneChannel(benchmark::State& state) {
  const ListViewModel& unsorted = UnsortedModel();
  ListViewModel model;
  for (auto _ : state) {
    state.PauseTiming();
    model = unsorted;
    state.ResumeTiming();
    if (!DeleteRows(model, {5000})) state.SkipWithError("nothing deleted");
  }
}
BENCHMARK(BM_DeleteOneChannel)->Unit(benchmark::kMillisecond);

// The deletion undone: the list is as loaded again, which takes comparing it
// whole with the saved one.
void BM_DeleteAndUndo(benchmark::State& state) {
  const ListViewModel& unsorted = UnsortedModel();
  ListViewModel model;
  for (auto _ : state) {
    state.PauseTiming();
    model = unsorted;
    state.ResumeTiming();
    DeleteRows(model, {5000});
    model.Undo();
    state.counters["modified"] = model.Modified();
  }
}
BENCHMARK(BM_DeleteAndUndo)->Unit(benchmark::kMillisecond);

// A digital channel's dialog opened and confirmed, unchanged (arg 0) or
// renamed (arg 1), an edit in place that the list's size does not tell.
void BM_DigitalDialogOk(benchmark::State& state) {
  const ListViewModel& unsorted = UnsortedModel();
  const bool rename = state.range(0) != 0;
  ListViewModel model;
  for (auto _ : state) {
    state.PauseTiming();
    model = unsorted;
    state.ResumeTiming();
    auto dialog = OpenDigitalChannelEdit(model, 5000, NullReporter());
    if (!dialog) state.SkipWithError("the dialog did not open");
    if (rename) dialog->name = "RENAMED";
    const bool changed = ApplyDigitalChannelEdit(model, 5000, *dialog, DigitalEditAction::Ok, NullReporter());
    if (changed != rename) state.SkipWithError("the edit did not do what it was asked");
    state.counters["modified"] = model.Modified();
    state.counters["undo"] = static_cast<double>(model.History().UndoDepth());
  }
}
BENCHMARK(BM_DigitalDialogOk)->ArgName("rename")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chanora

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <memory>

#include "app/list_view.h"
#include "app/main_window.h"
#include "bench/maximal_list_fixture.h"
#include "document/options.h"
#include "document/settings.h"
#include "editor/list_view_model.h"
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

constexpr int kEditedRows = 1000;

// A window over the maximal list, its digital view shown and painted.
struct OpenWindow {
  MemorySettings settings;
  std::unique_ptr<MainWindow> window;
  ListView* table = nullptr;

  explicit OpenWindow(benchmark::State& state) {
    MaximalList& maximal = Fixture();
    StoreOptions(settings, {maximal.shape.satelliteNames, "COM1"});
    window = std::make_unique<MainWindow>(settings);
    window->resize(1600, 1000);
    window->show();
    if (!window->OpenList(maximal.loadPath)) state.SkipWithError("the maximal list did not open");
    QApplication::processEvents();  // the window laid out at its size
    table = window->findChild<ListView*>("listView");
    if (table->model()->rowCount() < 2 * kEditedRows) state.SkipWithError("the list has too few rows");
    window->repaint();
  }

  // Rows first .. first + count - 1 selected, as a Shift click leaves them.
  void Select(int first, int count) {
    const QItemSelection rows(table->model()->index(first, 0), table->model()->index(first + count - 1, 0));
    table->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }

  QAction* Command(const char* name) { return window->findChild<QAction*>(name); }

  void Mouse(QEvent::Type type, int row, Qt::MouseButtons buttons) {
    const QPoint point(10, table->rowViewportPosition(row) + table->rowHeight(row) / 2);
    QMouseEvent event(type, point, table->viewport()->mapToGlobal(point), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(table->viewport(), &event);
  }

  // Presses on the last selected row, scrolled to the top, and lets go ten rows lower.
  void DragSelectionDown(int last) {
    table->scrollTo(table->model()->index(last, 0), QAbstractItemView::PositionAtTop);
    Mouse(QEvent::MouseButtonPress, last, Qt::LeftButton);
    Mouse(QEvent::MouseMove, last + 5, Qt::LeftButton);
    Mouse(QEvent::MouseMove, last + 10, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, last + 10, Qt::NoButton);
  }
};

// Delete of 1,000 selected rows from the menu, up to the repaint.
void BM_DeleteSelectedRowsAndRepaint(benchmark::State& state) {
  OpenWindow open(state);
  for (auto _ : state) {
    state.PauseTiming();
    open.Select(0, kEditedRows);
    state.ResumeTiming();
    open.Command("delete")->trigger();
    open.window->repaint();
    state.PauseTiming();
    open.Command("undo")->trigger();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteSelectedRowsAndRepaint)->Unit(benchmark::kMillisecond)->Iterations(10);

// A drag of 1,000 selected rows with the mouse, up to the repaint.
void BM_GroupDragAndRepaint(benchmark::State& state) {
  OpenWindow open(state);
  for (auto _ : state) {
    state.PauseTiming();
    open.Select(0, kEditedRows);
    state.ResumeTiming();
    open.DragSelectionDown(kEditedRows - 1);
    open.window->repaint();
    state.PauseTiming();
    if (open.window->document().Model().History().UndoDepth() != 1) {
      state.SkipWithError("the drag moved nothing");
      break;
    }
    open.Command("undo")->trigger();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GroupDragAndRepaint)->Unit(benchmark::kMillisecond)->Iterations(10);

// Undo of a group drag of 1,000 rows, up to the repaint.
void BM_UndoGroupDragAndRepaint(benchmark::State& state) {
  OpenWindow open(state);
  for (auto _ : state) {
    state.PauseTiming();
    open.Select(0, kEditedRows);
    open.DragSelectionDown(kEditedRows - 1);
    state.ResumeTiming();
    open.Command("undo")->trigger();
    open.window->repaint();
  }
}
BENCHMARK(BM_UndoGroupDragAndRepaint)->Unit(benchmark::kMillisecond)->Iterations(10);

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

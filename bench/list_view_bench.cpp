// The file list at 100,000 rows in a shown window: appending the rows in one
// batch and painting, writing a preview cell per row, emptying the list;
// against copying the same names into a plain vector. Painting while
// scrolling is measured with and without the program's skin, against the
// plain style in the same run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QWidget>
#include <string>
#include <vector>

#include "app/skin.h"
#include "platform/qt/file_list_view.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr int kRows = 100000;

const std::vector<GbkText>& Names() {
  static const std::vector<GbkText> names = [] {
    std::vector<GbkText> out;
    for (int i = 0; i < kRows; ++i) out.push_back(Gbk("第") + qm::ToText(i) + Gbk("课 视频.mp4"));
    return out;
  }();
  return names;
}

struct BenchWindow {
  BenchWindow() : list(&window) {
    window.resize(769, 680);
    list.setGeometry(355, 154, 787, 430);
    list.InsertColumn(0, Gbk("当前的文件名"), 380);
    window.show();
  }
  QWidget window;
  FileListView list;
};

// Made and dropped by main, while the application exists.
BenchWindow* bench_window = nullptr;
BenchWindow& Window() { return *bench_window; }

void BM_Baseline_CopyNames(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<GbkText> copy = Names();
    benchmark::DoNotOptimize(copy.data());
  }
}

void BM_AppendRowsAndPaint(benchmark::State& state) {
  FileListView& list = Window().list;
  for (auto _ : state) {
    list.AppendRows(Names());
    QApplication::processEvents();
    state.PauseTiming();
    list.RemoveAllRows();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_PreviewCellPerRow(benchmark::State& state) {
  FileListView& list = Window().list;
  list.AppendRows(Names());
  list.InsertColumn(1, Gbk("更名后的效果"), 380);
  const GbkText prefix = Gbk("新");
  for (auto _ : state) {
    for (int row = 0; row < kRows; ++row) list.SetCell(row, 1, prefix + Names()[row]);
    QApplication::processEvents();
    state.PauseTiming();
    for (int row = 0; row < kRows; ++row) list.SetCell(row, 1, {});
    state.ResumeTiming();
  }
  list.RemoveColumn(1);
  list.RemoveAllRows();
}

void BM_RemoveAllRows(benchmark::State& state) {
  FileListView& list = Window().list;
  for (auto _ : state) {
    state.PauseTiming();
    list.AppendRows(Names());
    QApplication::processEvents();
    state.ResumeTiming();
    list.RemoveAllRows();
    QApplication::processEvents();
  }
}

// Scrolls through the full list a page at a time, painting each page;
// argument 1 paints with the skin's style sheet.
void BM_ScrollAndPaint(benchmark::State& state) {
  const bool skinned = state.range(0) == 1;
  if (skinned) ApplySkin();
  FileListView& list = Window().list;
  list.AppendRows(Names());
  QApplication::processEvents();
  QScrollBar* bar = list.verticalScrollBar();
  for (auto _ : state) {
    for (int step = 0; step < 200; ++step) {
      bar->setValue(bar->maximum() * step / 199);
      list.viewport()->repaint();
    }
  }
  list.RemoveAllRows();
  if (skinned) qApp->setStyleSheet({});
  QApplication::processEvents();
}

BENCHMARK(BM_Baseline_CopyNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendRowsAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewCellPerRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveAllRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollAndPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  qm::BenchWindow window;
  qm::bench_window = &window;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

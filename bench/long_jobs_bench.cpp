// The long jobs of the main window, clicked in the real window offscreen over
// 100,000 files on tmpfs: folder intake, a preview, a direct run, a commit and
// an undo. For each it reports the wall time and `stall_ms`, the longest time
// the event loop did not run (what a person sees as a frozen window). The
// renaming jobs also report `over_bare`: their time against a bare renameat2
// pass over the same folder, measured in the same repetition.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_long_jobs
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "fakes/scripted_messages.h"
#include "platform/encoding.h"
#include "platform/form.h"
#include "platform/qt/file_list_view.h"
#include "platform/qt/qt_window_system.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFiles = 100000;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// 100,000 files on tmpfs, made once per process.
class Folder {
 public:
  Folder() {
    char pattern[] = "/dev/shm/qm_long_jobs_bench_XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    path_ = pattern;
    for (int i = 1; i <= kFiles; ++i) {
      // Zero-padded, so a suffix never changes the names' order and the
      // undo's folder check passes.
      char name[32];
      std::snprintf(name, sizeof name, "/lesson %06d.mp4", i);
      std::string path = path_ + name;
      int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
      if (fd < 0) std::abort();
      ::close(fd);
    }
  }
  ~Folder() { std::filesystem::remove_all(path_); }
  const std::string& path() const { return path_; }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    DIR* dir = opendir(path_.c_str());
    while (const dirent* entry = readdir(dir)) {
      std::string_view name = entry->d_name;
      if (name != "." && name != "..") names.emplace_back(name);
    }
    closedir(dir);
    return names;
  }

 private:
  std::string path_;
};

Folder& SharedFolder() {
  static Folder folder;
  return folder;
}

// The program's window system with the folder dialog answered at once.
class AnsweringWindowSystem : public QtWindowSystem {
 public:
  explicit AnsweringWindowSystem(QWidget* owner) : QtWindowSystem(owner) {}
  GbkText ChooseFolderDialog(const GbkText&, const GbkText&) override { return folder; }
  GbkText folder;
};

// Ticks every millisecond; the longest gap between two ticks (or between the
// last tick and Stop) is the longest stall of the event loop.
class StallMeter {
 public:
  StallMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
  }
  void Start() {
    QApplication::processEvents();
    longest_ = {};
    last_ = Clock::now();
    timer_.start();
  }
  Clock::duration Stop() {
    Tick();
    timer_.stop();
    return longest_;
  }

 private:
  void Tick() {
    Clock::time_point now = Clock::now();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
  }
  QTimer timer_;
  Clock::time_point last_;
  Clock::duration longest_{};
};

// The real main window, its questions answered OK.
struct Bench {
  Bench() : windows(nullptr), window(undo, {&messages, &windows, nullptr}) {
    windows.folder = Utf8ToInternal(SharedFolder().path()).value();
    window.show();
    QApplication::processEvents();
  }
  void Click(Control control) {
    window.findChild<QAbstractButton*>(QString::fromUtf8(ControlName(control)))->click();
  }
  void Type(Control edit, const char* text) {
    window.findChild<QLineEdit*>(QString::fromUtf8(ControlName(edit)))
        ->setText(QString::fromUtf8(text));
  }
  bool PreviewOpen() { return window.form().Text(Control::按钮_打开预览) == Gbk("关闭预览"); }
  void SetPreview(bool open) {
    if (PreviewOpen() != open) Click(Control::按钮_打开预览);
  }
  // Reads the folder afresh, in files mode, so the list holds the names on disk.
  void Read() {
    window.form().SetComboIndex(Control::组合框2, 0);
    Click(Control::按钮_手动读取);
  }
  // Times one click and measures its longest stall.
  void Measure(benchmark::State& state, Control button, Clock::duration& longest) {
    meter.Start();
    Clock::time_point start = Clock::now();
    Click(button);
    Clock::duration took = Clock::now() - start;
    longest = std::max(longest, meter.Stop());
    state.SetIterationTime(Seconds(took));
    job_time += took;
  }
  // A bare renameat2 pass over every file and back; only the first half is timed.
  void BarePass() {
    const std::string folder = SharedFolder().path() + "/";
    std::vector<std::string> names = SharedFolder().Names();
    Clock::time_point start = Clock::now();
    for (const std::string& name : names) {
      renameat2(AT_FDCWD, (folder + name).c_str(), AT_FDCWD, (folder + name + "~").c_str(),
                RENAME_NOREPLACE);
    }
    bare_time += Clock::now() - start;
    for (const std::string& name : names) {
      renameat2(AT_FDCWD, (folder + name + "~").c_str(), AT_FDCWD, (folder + name).c_str(),
                RENAME_NOREPLACE);
    }
  }
  void Report(benchmark::State& state, Clock::duration longest, bool renames) {
    state.counters["stall_ms"] = std::chrono::duration<double, std::milli>(longest).count();
    if (renames) state.counters["over_bare"] = Seconds(job_time) / Seconds(bare_time);
    job_time = bare_time = {};
  }
  int Rows() { return window.list().RowCount(); }

  UndoRecord undo;
  ScriptedMessages messages;
  AnsweringWindowSystem windows;
  MainWindow window;
  StallMeter meter;
  Clock::duration job_time{}, bare_time{};
};

Bench& SharedBench() {
  static Bench bench;
  return bench;
}

void BM_Intake(benchmark::State& state) {
  Bench& bench = SharedBench();
  bench.SetPreview(false);
  bench.window.form().SetComboIndex(Control::组合框2, 0);
  Clock::duration longest{};
  for (auto _ : state) bench.Measure(state, Control::按钮_手动读取, longest);
  if (bench.Rows() != kFiles) state.SkipWithError("the intake missed files");
  bench.Report(state, longest, false);
}

void BM_Preview(benchmark::State& state) {
  Bench& bench = SharedBench();
  bench.Read();
  bench.SetPreview(true);
  bench.Type(Control::编辑框7, "x");
  Clock::duration longest{};
  for (auto _ : state) bench.Measure(state, Control::按钮_最后面加, longest);
  bench.SetPreview(false);
  bench.Report(state, longest, false);
}

void BM_DirectRun(benchmark::State& state) {
  Bench& bench = SharedBench();
  bench.SetPreview(false);
  bench.Read();
  Clock::duration longest{};
  bench.Type(Control::编辑框7, "x");
  for (auto _ : state) {
    bench.BarePass();
    bench.Measure(state, Control::按钮_最后面加, longest);
  }
  if (bench.window.list().Cell(0, 0).find('.') == GbkText::npos)
    state.SkipWithError("the run lost an extension");
  bench.Report(state, longest, true);
}

// The commit of a preview, and then its undo; each repetition starts from a
// fresh intake so the undo's folder check passes.
void BM_CommitAndUndo(benchmark::State& state, bool time_undo) {
  Bench& bench = SharedBench();
  Clock::duration longest{};
  for (auto _ : state) {
    bench.SetPreview(false);
    bench.Read();
    bench.SetPreview(true);
    bench.Type(Control::编辑框7, "z");
    bench.Click(Control::按钮_最后面加);
    bench.BarePass();
    if (time_undo) {
      bench.Click(Control::按钮_确认无误执行吧);
      bench.Measure(state, Control::按钮_撤回上一步, longest);
    } else {
      bench.Measure(state, Control::按钮_确认无误执行吧, longest);
      bench.Click(Control::按钮_撤回上一步);
    }
    if (bench.window.list().Cell(0, 0).find('z') != GbkText::npos)
      state.SkipWithError("the undo did not put the names back");
  }
  bench.SetPreview(false);
  bench.Report(state, longest, true);
}

void BM_Commit(benchmark::State& state) { BM_CommitAndUndo(state, false); }
void BM_Undo(benchmark::State& state) { BM_CommitAndUndo(state, true); }

#define QM_LONG_JOB(name) \
  BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2)->Repetitions(3)

QM_LONG_JOB(BM_Intake);
QM_LONG_JOB(BM_Preview);
QM_LONG_JOB(BM_DirectRun);
QM_LONG_JOB(BM_Commit);
QM_LONG_JOB(BM_Undo);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  qm::SharedFolder();
  qm::SharedBench();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

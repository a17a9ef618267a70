// The long jobs of the main window, clicked in the real window offscreen over
// 100,000 files on tmpfs (or as many as --files=N asks for; --files=1000000
// shows the stalls that grow with the folder): folder intake, a preview, a direct run, a commit, an
// undo, the mapped rename, the time sort, creating and deleting entries. For each it reports the
// wall time and `stall_ms`, the longest time the event loop did not run (what a person sees as a
// frozen window). The renaming jobs also report `over_bare`: their time against a bare renameat2
// pass over the same folder, measured in the same repetition; the clicked jobs report
// `peak_kib_per_row`, the whole program's peak memory during the job per listed file, and
// `growth_kib_per_row`, how far that peak stands above the program's memory with its window
// shown and no folder read yet (what the rows and the job themselves cost).
//   QT_QPA_PLATFORM=offscreen build/bench/bench_long_jobs
//   build/bench/bench_long_jobs --files=1000000 --benchmark_filter='Intake|Direct|Commit|Undo'
// (BM_UndoAfterRestart reads the record back from its journal first, as after a restart.)
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_list_windows.h"
#include "app/main_window.h"
#include "app/mapped_controls.h"
#include "app/mapped_rename_window.h"
#include "base/encoding.h"
#include "fakes/scripted_messages.h"
#include "platform/form.h"
#include "platform/free_aside.h"
#include "platform/qt/file_list_view.h"
#include "platform/qt/qt_window_system.h"
#include "rename/undo_record.h"
#include "scratch_journal.h"
#include "stall_meter.h"
#include "text/gbk_text.h"
#include "workspace/name_functions.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kDefaultFiles = 100000;
int kFiles = kDefaultFiles;  // set once from the command line, before any folder is made

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// kFiles files on tmpfs, made once per process.
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
      std::snprintf(name, sizeof name, "/lesson %07d.mp4", i);
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

// The program's peak memory from now on: the kernel forgets the peak so far.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// A memory figure of /proc/self/status ("VmHWM:", "VmRSS:"), in KiB.
double StatusKiB(std::string_view field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + field.size());
  }
  return 0;
}

// The peak resident memory since the last reset, in KiB.
double PeakMemoryKiB() { return StatusKiB("VmHWM:"); }

// The real main window, its questions answered OK.
struct Bench {
  Bench()
      : windows(nullptr),
        window(undo, {.messages = &messages, .windows = &windows, .journal = &journals.store()}) {
    windows.folder = Utf8ToInternal(SharedFolder().path()).value();
    window.show();
    QApplication::processEvents();
    empty_kib = StatusKiB("VmRSS:");
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
    ResetPeakMemory();
    meter.Start();
    Clock::time_point start = Clock::now();
    Click(button);
    Clock::duration took = Clock::now() - start;
    longest = std::max(longest, meter.Stop());
    peak_kib = std::max(peak_kib, PeakMemoryKiB());
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
    // The whole program at its peak during the job, per listed row.
    if (peak_kib > 0) {
      state.counters["peak_kib_per_row"] = peak_kib / kFiles;
      state.counters["growth_kib_per_row"] = (peak_kib - empty_kib) / kFiles;
    }
    job_time = bare_time = {};
    peak_kib = 0;
  }
  int Rows() { return window.list().RowCount(); }

  ScratchJournal journals;
  UndoHistory undo;
  ScriptedMessages messages;
  AnsweringWindowSystem windows;
  MainWindow window;
  StallMeter meter;
  Clock::duration job_time{}, bare_time{};
  double peak_kib = 0;
  double empty_kib = 0;  // the program with its window shown, before any folder is read
};

// The window must go before the QApplication: a static one crashed at exit and
// left the 100,000 files on tmpfs.
std::unique_ptr<Bench>& BenchSlot() {
  static std::unique_ptr<Bench> bench;
  return bench;
}

Bench& SharedBench() {
  if (!BenchSlot()) BenchSlot() = std::make_unique<Bench>();
  return *BenchSlot();
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
// fresh intake so the undo's folder check passes. `from_journal`: the undo
// finds the record only in its journal, as after a restart, and reads it
// back first.
void BM_CommitAndUndo(benchmark::State& state, bool time_undo, bool from_journal = false) {
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
      if (from_journal) {
        bench.undo.Unload(bench.undo.size() - 1);
        WaitUntilAsideDone();
      }
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
void BM_UndoAfterRestart(benchmark::State& state) { BM_CommitAndUndo(state, true, true); }

// Empty files in a fresh folder next to the shared one.
std::string FreshFolder(const char* name, int files) {
  std::string path = SharedFolder().path() + "_" + name;
  std::filesystem::remove_all(path);
  std::filesystem::create_directory(path);
  for (int i = 1; i <= files; ++i) {
    char file[32];
    std::snprintf(file, sizeof file, "/old %07d.txt", i);
    ::close(::open((path + file).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
  }
  return path;
}

// The mapped rename of every listed file to its stem + "m", then back; both
// directions are timed against two bare renameat2 passes.
void BM_MappedRename(benchmark::State& state) {
  Bench& bench = SharedBench();
  bench.SetPreview(false);
  bench.Read();
  bench.Click(Control::按钮_用我的txt修改);
  MappedRenameWindow* mapped = bench.window.list_windows().mapped_window();
  if (mapped == nullptr) return state.SkipWithError("the mapped window did not open");
  FileListView& list = mapped->list();
  auto* run = mapped->findChild<QAbstractButton*>(
      QString::fromUtf8(ControlName(MappedControl::按钮_执行改名)));
  Clock::duration longest{};
  auto fill = [&list](const char* suffix) {
    for (int row = 0; row < list.RowCount(); ++row) {
      GbkText name = list.Cell(row, 0);
      GbkText stem = FileNameOf(name, false);
      if (*suffix == 0) stem.pop_back();
      list.SetCell(row, 1, *suffix ? stem + suffix : stem);
    }
  };
  for (auto _ : state) {
    for (const char* suffix : {"m", ""}) {
      fill(suffix);
      bench.BarePass();
      bench.meter.Start();
      Clock::time_point start = Clock::now();
      run->click();
      Clock::duration took = Clock::now() - start;
      longest = std::max(longest, bench.meter.Stop());
      bench.job_time += took;
      state.SetIterationTime(Seconds(took));
    }
  }
  if (list.Cell(0, 0).find("m.") != GbkText::npos) state.SkipWithError("the names did not go back");
  mapped->close();
  QApplication::processEvents();
  bench.Report(state, longest, true);
}

// "按文件最后修改时间排序" over the listed files, against stat of each.
void BM_TimeSort(benchmark::State& state) {
  Bench& bench = SharedBench();
  bench.SetPreview(false);
  bench.Read();
  QAction* by_time = nullptr;
  for (QMenu* menu : bench.window.findChildren<QMenu*>(QString::fromUtf8("多种重新排序"))) {
    by_time = menu->actions().value(2);
  }
  if (by_time == nullptr) return state.SkipWithError("no sort menu");
  Clock::duration longest{};
  const std::string folder = SharedFolder().path() + "/";
  for (auto _ : state) {
    std::vector<std::string> names = SharedFolder().Names();
    Clock::time_point bare = Clock::now();
    struct stat status;
    for (const std::string& name : names) ::stat((folder + name).c_str(), &status);
    bench.bare_time += Clock::now() - bare;
    bench.meter.Start();
    Clock::time_point start = Clock::now();
    by_time->trigger();
    Clock::duration took = Clock::now() - start;
    longest = std::max(longest, bench.meter.Stop());
    bench.job_time += took;
    state.SetIterationTime(Seconds(took));
  }
  bench.Report(state, longest, true);
}

// 按钮14 creating one file per listed entry in an empty folder, against a bare
// open(O_EXCL) + write + close loop.
void BM_Create(benchmark::State& state) {
  Bench& bench = SharedBench();
  bench.SetPreview(false);
  bench.Read();
  bench.window.form().SetText(Control::组合框_创建扩展, Gbk(".txt"));
  Clock::duration longest{};
  for (auto _ : state) {
    std::string bare_folder = FreshFolder("bare", 0);
    std::vector<std::string> names = SharedFolder().Names();
    Clock::time_point bare = Clock::now();
    for (const std::string& name : names) {
      int fd = ::open((bare_folder + "/" + name + ".txt").c_str(),
                      O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
      if (::write(fd, "12345678", 8) != 8) std::abort();
      ::close(fd);
    }
    bench.bare_time += Clock::now() - bare;
    std::string target = FreshFolder("created", 0);
    bench.Type(Control::编辑框14, target.c_str());
    bench.Measure(state, Control::按钮14, longest);
    std::filesystem::remove_all(target);
    std::filesystem::remove_all(bare_folder);
  }
  bench.Report(state, longest, true);
}

// 按钮_删除文件 deleting every listed file for good, against a bare unlink loop.
void BM_Delete(benchmark::State& state) {
  Bench& bench = SharedBench();
  bench.SetPreview(false);
  Clock::duration longest{};
  for (auto _ : state) {
    std::string bare_folder = FreshFolder("bare", kFiles);
    Clock::time_point bare = Clock::now();
    for (int i = 1; i <= kFiles; ++i) {
      char file[32];
      std::snprintf(file, sizeof file, "/old %07d.txt", i);
      ::unlink((bare_folder + file).c_str());
    }
    bench.bare_time += Clock::now() - bare;
    std::string doomed = FreshFolder("deleted", kFiles);
    bench.windows.folder = Utf8ToInternal(doomed).value();
    bench.Read();
    bench.Measure(state, Control::按钮_删除文件, longest);
    if (!std::filesystem::is_empty(doomed)) state.SkipWithError("files were left");
    std::filesystem::remove_all(doomed);
    std::filesystem::remove_all(bare_folder);
  }
  bench.windows.folder = Utf8ToInternal(SharedFolder().path()).value();
  bench.Read();
  bench.Report(state, longest, true);
}

// The jobs in the order they run: each leaves the folder as it found it.
void RegisterLongJobs() {
  const std::pair<const char*, void (*)(benchmark::State&)> jobs[] = {
      {"BM_Intake", BM_Intake},
      {"BM_Preview", BM_Preview},
      {"BM_DirectRun", BM_DirectRun},
      {"BM_Commit", BM_Commit},
      {"BM_Undo", BM_Undo},
      {"BM_UndoAfterRestart", BM_UndoAfterRestart},
      {"BM_MappedRename", BM_MappedRename},
      {"BM_TimeSort", BM_TimeSort},
      {"BM_Create", BM_Create},
      {"BM_Delete", BM_Delete},
  };
  // A large folder takes minutes per job; one pass of two shows its stalls.
  const bool large = kFiles > kDefaultFiles;
  for (const auto& [name, job] : jobs) {
    benchmark::RegisterBenchmark(name, job)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(large ? 1 : 2)
        ->Repetitions(large ? 2 : 3);
  }
}

// Takes --files=N out of the arguments.
void ReadFileCount(int& argc, char** argv) {
  constexpr std::string_view kFlag = "--files=";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument.starts_with(kFlag)) {
      kFiles = std::max(1, std::atoi(argv[i] + kFlag.size()));
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
}

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qm::ReadFileCount(argc, argv);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  qm::RegisterLongJobs();
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  qm::SharedFolder();
  qm::SharedBench();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  qm::BenchSlot().reset();
  return 0;
}

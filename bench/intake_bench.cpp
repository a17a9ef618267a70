// Filling the list from a folder of 100,000 files: the intake (read, match,
// order, fill the list view's model, with Qt's message pump) against reading
// the folder with readdir and sorting the names with std::sort.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "fakes/fake_form.h"
#include "fakes/scripted_messages.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt/file_list_view.h"
#include "platform/qt/qt_window_system.h"
#include "text/gbk_text.h"
#include "workspace/folder_intake.h"
#include "workspace/folder_scan.h"

namespace qm {
namespace {

constexpr int kFileCount = 100000;

// The program's window system, with the folder dialog answered at once.
class AnsweringWindowSystem : public QtWindowSystem {
 public:
  explicit AnsweringWindowSystem(QWidget* owner) : QtWindowSystem(owner) {}
  GbkText ChooseFolderDialog(const GbkText&, const GbkText&) override { return folder; }
  GbkText folder;
};

// A shown window holding the program's list view, so the pump and the model
// do the work they do in the running program.
struct BenchWindow {
  BenchWindow() : list(&window) {
    window.resize(769, 680);
    list.setGeometry(0, 0, 500, 600);
    window.show();
  }
  QWidget window;
  FileListView list;
};

BenchWindow& Window() {
  static BenchWindow window;
  return window;
}

// Two folders on tmpfs, made once per process: ASCII names and Chinese names.
struct BenchFolders {
  BenchFolders() {
    root = "/dev/shm/qm_intake_bench_" + std::to_string(::getpid());
    ascii = root + "/ascii";
    chinese = root + "/chinese";
    std::filesystem::create_directories(ascii);
    std::filesystem::create_directories(chinese);
    for (int i = 1; i <= kFileCount; ++i) {
      Touch(ascii + "/video " + std::to_string(i) + ".mp4");
      Touch(chinese + "/第" + std::to_string(i) + "课 入门.mp4");
    }
  }
  ~BenchFolders() { std::filesystem::remove_all(root); }
  static void Touch(const std::string& path) {
    int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    if (fd >= 0) ::close(fd);
  }
  std::string root, ascii, chinese;
};

BenchFolders& Folders() {
  static BenchFolders folders;
  return folders;
}

const std::string& FolderOf(int which) { return which == 0 ? Folders().ascii : Folders().chinese; }

void BM_Baseline_ReaddirAndSort(benchmark::State& state) {
  const std::string& folder = FolderOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = readdir(dir)) {
      std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      names.emplace_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    benchmark::DoNotOptimize(names.data());
  }
}

// ScanFiles plus filling the list, with the pump after every name or by time.
void BM_ScanAndFill(benchmark::State& state, std::chrono::nanoseconds pump_interval) {
  GbkText folder = Utf8ToInternal(FolderOf(static_cast<int>(state.range(0)))).value();
  PosixFileSystem files;
  AnsweringWindowSystem windows(&Window().window);
  FileListView& list = Window().list;
  for (auto _ : state) {
    list.RemoveAllRows();
    ScannedNames scanned = ScanFiles(files, windows, folder, "*.*", pump_interval);
    list.AppendRows(scanned.names);
    if (list.RowCount() != kFileCount) state.SkipWithError("wrong row count");
  }
}

void BM_Intake_PumpEveryName(benchmark::State& state) {
  BM_ScanAndFill(state, std::chrono::nanoseconds(0));
}

void BM_Intake_PumpEvery15ms(benchmark::State& state) { BM_ScanAndFill(state, kScanPumpInterval); }

// The whole click on 按钮_手动读取 as the program runs it.
void BM_ChooseFolder(benchmark::State& state) {
  FakeForm form;
  form.SetText(Control::组合框2, Gbk("处理文件"));
  FileListView& list = Window().list;
  ScriptedMessages messages;
  AnsweringWindowSystem windows(&Window().window);
  windows.folder = Utf8ToInternal(FolderOf(static_cast<int>(state.range(0)))).value();
  PosixFileSystem files;
  MainServices services{form, list, messages, windows, files};
  IntakeGuard guard;
  for (auto _ : state) {
    ChooseFolder(services, guard);
    if (list.RowCount() != kFileCount) state.SkipWithError("wrong row count");
  }
}

// Argument: 0 = ASCII names, 1 = Chinese names.
BENCHMARK(BM_Baseline_ReaddirAndSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Intake_PumpEveryName)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Intake_PumpEvery15ms)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChooseFolder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  qm::Window();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  qm::Folders();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// A real rename run over 100,000 files on tmpfs against a bare loop of the
// same renameat2 calls, a preview run over as many entries, and the commit of
// a preview against the direct run of the same names.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/fake_form.h"
#include "fakes/fake_list.h"
#include "fakes/fake_window_system.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_journal_store.h"
#include "rename/operations.h"
#include "rename/preview_commit.h"
#include "rename/rename_context.h"
#include "rename/rename_run.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr int kFiles = 100000;

class SilentMessages : public Messages {
 public:
  Answer Show(const GbkText&, const GbkText&, Icon, Buttons) override { return Answer::Ok; }
};

class SilentFailures : public FailureList {
 public:
  void Show(const GbkText&, const GbkText&, const std::vector<FailedRename>&) override {}
};

// Files f000000a.txt ... on tmpfs; every pass flips the letter before the dot.
class Folder {
 public:
  Folder() {
    char pattern[] = "/dev/shm/qm_rename_bench_XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    path_ = pattern;
    for (int i = 0; i < kFiles; ++i) {
      int fd = ::open((path_ + "/" + Name(i, 'a')).c_str(), O_CREAT | O_WRONLY, 0644);
      if (fd < 0) std::abort();
      ::close(fd);
    }
  }
  ~Folder() {
    std::filesystem::remove_all(path_);
    std::filesystem::remove_all(path_ + "-state");
  }

  static std::string Name(int i, char letter) {
    char name[32];
    std::snprintf(name, sizeof name, "f%06d%c.txt", i, letter);
    return name;
  }
  std::string Path() const { return path_ + "/"; }
  std::string StateFolder() const { return path_ + "-state"; }
  char letter = 'a';

 private:
  std::string path_;
};

Folder& SharedFolder() {
  static Folder folder;
  return folder;
}

// The stem's last letter flips between a and b.
OperationDefinition FlipOperation() {
  OperationDefinition definition;
  definition.prepare = [](MainServices&, bool) {
    PreparedOperation prepared;
    prepared.transform = [](const GbkText& stem, const EntryContext&) -> std::optional<GbkText> {
      GbkText flipped = stem;
      flipped.back() = flipped.back() == 'a' ? 'b' : 'a';
      return flipped;
    };
    return prepared;
  };
  return definition;
}

// The run as the program does it: plan check, identity checks, and a journal
// on the same tmpfs, recorded for undo.
struct Window {
  FakeForm form;
  FakeList list;
  SilentMessages messages;
  FakeWindowSystem windows;
  PosixFileSystem files;
  PosixJournalStore journal;
  SilentFailures failures;
  UndoHistory undo;
  RenameContext renames{undo, journal};
  MainServices services{form, list, messages, windows, files, &renames, NoJobProgress(), &failures};

  explicit Window(const Folder& folder, bool preview) : journal(folder.StateFolder()) {
    form.SetText(Control::标签2, GbkText(folder.Path()));
    form.SetText(Control::组合框2, Gbk("处理文件"));
    form.SetText(Control::按钮_打开预览, Gbk(preview ? "关闭预览" : "打开预览"));
    if (preview) list.InsertColumn(1, "", 380);
    std::vector<GbkText> names;
    names.reserve(kFiles);
    for (int i = 0; i < kFiles; ++i) names.push_back(GbkText(Folder::Name(i, folder.letter)));
    list.AppendRows(names);
  }
};

void BM_BareRenameLoop(benchmark::State& state) {
  Folder& folder = SharedFolder();
  std::vector<std::string> a_paths, b_paths;
  for (int i = 0; i < kFiles; ++i) {
    a_paths.push_back(folder.Path() + Folder::Name(i, 'a'));
    b_paths.push_back(folder.Path() + Folder::Name(i, 'b'));
  }
  for (auto _ : state) {
    const auto& from = folder.letter == 'a' ? a_paths : b_paths;
    const auto& to = folder.letter == 'a' ? b_paths : a_paths;
    for (int i = 0; i < kFiles; ++i) {
      if (renameat2(AT_FDCWD, from[i].c_str(), AT_FDCWD, to[i].c_str(), RENAME_NOREPLACE) != 0)
        state.SkipWithError("rename failed");
    }
    folder.letter = folder.letter == 'a' ? 'b' : 'a';
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_RenameRun(benchmark::State& state) {
  Folder& folder = SharedFolder();
  Window window(folder, false);
  const RunProfile& profile = ProfileOf(OperationId::ZeroFillLeadingNumber);
  OperationDefinition operation = FlipOperation();
  for (auto _ : state) {
    RenameRun(profile, operation, window.services);
    folder.letter = folder.letter == 'a' ? 'b' : 'a';
  }
  if (window.list.Cell(kFiles - 1, 0) != GbkText(Folder::Name(kFiles - 1, folder.letter)))
    state.SkipWithError("the run did not rename every file");
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_PreviewRun(benchmark::State& state) {
  Folder& folder = SharedFolder();
  Window window(folder, true);
  const RunProfile& profile = ProfileOf(OperationId::ZeroFillLeadingNumber);
  OperationDefinition operation = FlipOperation();
  for (auto _ : state) RenameRun(profile, operation, window.services);
  state.SetItemsProcessed(state.iterations() * kFiles);
}

// Alternates one bare pass and one run pass inside each iteration, so that both
// meet the same load on a shared machine; reports run time / bare time.
void BM_RunAgainstBareLoop(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  Folder& folder = SharedFolder();
  Window window(folder, false);
  std::vector<std::string> a_paths, b_paths;
  for (int i = 0; i < kFiles; ++i) {
    a_paths.push_back(folder.Path() + Folder::Name(i, 'a'));
    b_paths.push_back(folder.Path() + Folder::Name(i, 'b'));
  }
  const RunProfile& profile = ProfileOf(OperationId::ZeroFillLeadingNumber);
  OperationDefinition operation = FlipOperation();
  if (folder.letter != 'a') std::abort();  // every benchmark above runs an even number of passes
  std::vector<GbkText> b_names;
  for (int i = 0; i < kFiles; ++i) b_names.push_back(GbkText(Folder::Name(i, 'b')));
  Clock::duration bare{}, run{};
  for (auto _ : state) {
    // Bare pass a -> b, then the run brings the folder back b -> a.
    auto start = Clock::now();
    for (int i = 0; i < kFiles; ++i) {
      if (renameat2(AT_FDCWD, a_paths[i].c_str(), AT_FDCWD, b_paths[i].c_str(), RENAME_NOREPLACE) !=
          0)
        state.SkipWithError("rename failed");
    }
    bare += Clock::now() - start;
    for (int i = 0; i < kFiles; ++i) window.list.SetCell(i, 0, b_names[i]);  // untimed
    start = Clock::now();
    RenameRun(profile, operation, window.services);
    run += Clock::now() - start;
  }
  if (window.list.Cell(0, 0) != GbkText(Folder::Name(0, 'a')) || folder.letter != 'a')
    state.SkipWithError("list and folder out of step");
  state.counters["run_over_bare"] =
      std::chrono::duration<double>(run).count() / std::chrono::duration<double>(bare).count();
}

// Each iteration runs the names a -> b directly, then previews b -> a and
// commits it; only the direct run and the commit are timed. Reports the
// commit's time against the direct run's.
void BM_CommitAgainstDirectRun(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  Folder& folder = SharedFolder();
  if (folder.letter != 'a') std::abort();
  Window direct(folder, false);
  Window preview(folder, true);
  const RunProfile& profile = ProfileOf(OperationId::ZeroFillLeadingNumber);
  OperationDefinition operation = FlipOperation();
  std::vector<GbkText> a_names, b_names;
  for (int i = 0; i < kFiles; ++i) {
    a_names.push_back(GbkText(Folder::Name(i, 'a')));
    b_names.push_back(GbkText(Folder::Name(i, 'b')));
  }
  Clock::duration direct_time{}, commit_time{};
  for (auto _ : state) {
    for (int i = 0; i < kFiles; ++i) direct.list.SetCell(i, 0, a_names[i]);
    auto start = Clock::now();
    RenameRun(profile, operation, direct.services);
    direct_time += Clock::now() - start;
    for (int i = 0; i < kFiles; ++i) preview.list.SetCell(i, 0, b_names[i]);
    RenameRun(profile, operation, preview.services);
    start = Clock::now();
    CommitPreview(preview.services);
    commit_time += Clock::now() - start;
  }
  if (preview.list.Cell(kFiles - 1, 0) != a_names[kFiles - 1] ||
      !preview.list.Cell(kFiles - 1, 1).empty())
    state.SkipWithError("the commit did not rename every file");
  state.counters["commit_over_direct"] = std::chrono::duration<double>(commit_time).count() /
                                         std::chrono::duration<double>(direct_time).count();
}

// Interleaved so that both see the same folder state and system load.
BENCHMARK(BM_BareRenameLoop)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(6)
    ->Repetitions(3);
BENCHMARK(BM_RenameRun)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(6)
    ->Repetitions(3);
BENCHMARK(BM_RunAgainstBareLoop)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(6)
    ->Repetitions(3);
BENCHMARK(BM_CommitAgainstDirectRun)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(4)
    ->Repetitions(3);
BENCHMARK(BM_PreviewRun)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(6)
    ->Repetitions(3);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();

// What a start spends on the journals the last runs left: with none, and
// after a run that renamed 100,000 files. Time per start, and the memory the
// start's peak grows by (the kernel's high-water mark, reset before each
// measured start).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/fake_main_services.h"
#include "platform/posix/posix_journal_store.h"
#include "rename/journal_recovery.h"
#include "rename/rename_context.h"
#include "rename/rename_journal.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr int kRenamed = 100000;

long StatusKib(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  }
  return 0;
}

// Resets the peak resident size to the present one (Linux: clear_refs 5).
long ResetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusKib("VmRSS:");
}

// A journal folder on tmpfs; with `renamed` entries, the finished journal of
// a run that renamed that many lesson videos.
class JournalFolder {
 public:
  explicit JournalFolder(int renamed) {
    folder_ =
        "/dev/shm/qm_startup_bench_" + std::to_string(::getpid()) + "_" + std::to_string(renamed);
    std::filesystem::create_directories(folder_);
    if (renamed == 0) return;
    std::string bytes = JournalStart(Gbk("/home/user/课程/"));
    const GbkText suffix = Gbk("课 视频教程.mp4");
    for (int i = 0; i < renamed; ++i) {
      const GbkText name = Gbk("第") + qm::ToText(i) + suffix;
      AppendJournalEntry(bytes, i, {2049, static_cast<uint64_t>(i + 1000)}, name, name + "x");
    }
    bytes += kJournalBegin;
    for (int i = 0; i < renamed; ++i) AppendJournalDoneMark(bytes, i);
    bytes += kJournalEnd;
    std::ofstream(folder_ + "/00000000000000000001-1-0.journal", std::ios::binary) << bytes;
  }
  ~JournalFolder() { std::filesystem::remove_all(folder_); }
  const std::string& Path() const { return folder_; }

 private:
  std::string folder_;
};

void StartOnce(const std::string& journals) {
  FakeMainServices world;
  PosixJournalStore store(journals);
  RenameContext renames{world.undo, store};
  world.services.renames = &renames;
  ResumeAfterStart(world.services);
  benchmark::DoNotOptimize(world.undo.size());
}

// How far one start raises the peak, measured in a child whose heap starts
// trimmed, so memory freed by earlier starts cannot hide the growth.
long PeakGrowthKib(const std::string& journals) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::malloc_trim(0);
    const long before = ResetPeak();
    StartOnce(journals);
    const long growth = StatusKib("VmHWM:") - before;
    (void)!::write(pipe_ends[1], &growth, sizeof growth);
    ::_exit(0);
  }
  long growth = -1;
  (void)!::read(pipe_ends[0], &growth, sizeof growth);
  ::waitpid(child, nullptr, 0);
  ::close(pipe_ends[0]);
  ::close(pipe_ends[1]);
  return growth;
}

void Start(benchmark::State& state, int renamed) {
  JournalFolder journals(renamed);
  for (auto _ : state) StartOnce(journals.Path());
  state.counters["peak_growth_KiB"] = static_cast<double>(PeakGrowthKib(journals.Path()));
}

void BM_StartWithoutJournal(benchmark::State& state) { Start(state, 0); }
void BM_StartAfter100000Renames(benchmark::State& state) { Start(state, kRenamed); }

BENCHMARK(BM_StartWithoutJournal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartAfter100000Renames)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();

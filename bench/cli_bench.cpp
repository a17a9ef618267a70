// quillmere-cli as a whole process over 100,000 files on tmpfs, against the
// renamers people already run for the same rename: "第N课 f.mp4" becomes
// "第N课 f_x.mp4" (a suffix before the extension). Every run gets a fresh
// folder and fresh journals, made before its clock starts; each repetition
// runs the program and its baseline, so the ratios are of the same run.
//   over_mmv, over_rename  the applied run's time over mmv's, perl rename's
//   dry_over_applied       the dry run's time over the applied run's
//   kib_per_file           the program's peak resident memory per file
// A baseline that is not installed is skipped, not failed. QM_BENCH_CLI
// names another build of the program to measure (an earlier one, say).
//   build/bench/bench_cli
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFiles = 100000;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// A folder of kFiles files and a journal folder of its own, both removed
// with it.
class Folder {
 public:
  Folder() {
    char pattern[] = "/dev/shm/qm_cli_bench_XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    root_ = pattern;
    std::filesystem::create_directories(Path());
    std::ofstream list(Names());
    for (int i = 1; i <= kFiles; ++i) {
      const std::string name = "第" + std::to_string(i) + "课 f.mp4";
      close(open((Path() + "/" + name).c_str(), O_CREAT | O_WRONLY, 0600));
      list << name << '\n';
    }
  }
  ~Folder() { std::filesystem::remove_all(root_); }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  std::string Path() const { return root_ + "/w"; }
  std::string State() const { return root_ + "/state"; }
  std::string Names() const { return root_ + "/names.txt"; }  // one a line, for rename's input

  // Every file renamed: none is left with its old name.
  bool AllRenamed() const {
    for (const auto& entry : std::filesystem::directory_iterator(Path())) {
      if (!entry.path().filename().string().ends_with("f_x.mp4")) return false;
    }
    return true;
  }

 private:
  std::string root_;
};

struct Ran {
  Clock::duration took{};
  long max_rss_kib = 0;
};

// Runs a program to its end in `cwd`, its output thrown away and its input
// read from `input`.
Ran Run(std::vector<std::string> words, const Folder& folder, const std::string& cwd,
        const std::string& input = "/dev/null") {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    const int in = open(input.c_str(), O_RDONLY);
    dup2(in, 0);
    dup2(null, 1);
    dup2(null, 2);
    if (chdir(cwd.c_str()) != 0) _exit(127);
    setenv("XDG_STATE_HOME", folder.State().c_str(), 1);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  Ran ran{Clock::now() - start, usage.ru_maxrss};
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
  return ran;
}

Ran Cli(const Folder& folder, bool apply) {
  const char* other = std::getenv("QM_BENCH_CLI");
  std::vector<std::string> words{other != nullptr ? other : QM_CLI_BINARY, "append", "--text", "_x",
                                 folder.Path()};
  if (apply) words.push_back("--apply");
  return Run(words, folder, "/");
}

Ran Mmv(const Folder& folder) { return Run({"mmv", "*f.mp4", "#1f_x.mp4"}, folder, folder.Path()); }

// perl rename takes the names on its input: 100,000 of them would not fit
// on a command line.
Ran PerlRename(const Folder& folder) {
  return Run({"rename", "s/\\.mp4$/_x.mp4/"}, folder, folder.Path(), folder.Names());
}

bool Installed(const char* program) {
  return system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

double KibPerFile(long max_rss_kib) { return static_cast<double>(max_rss_kib) / kFiles; }

// The applied run, timed, and a baseline's, each on a fresh folder.
void AppliedOver(benchmark::State& state, const char* program, Ran (*baseline)(const Folder&),
                 const char* counter) {
  if (!Installed(program)) {
    state.SkipWithError((std::string(program) + " is not installed").c_str());
    return;
  }
  Clock::duration cli{};
  Clock::duration other{};
  long rss = 0;
  for (auto _ : state) {
    {
      Folder folder;
      const Ran ran = Cli(folder, true);
      if (!folder.AllRenamed()) std::abort();
      state.SetIterationTime(Seconds(ran.took));
      cli += ran.took;
      rss = std::max(rss, ran.max_rss_kib);
    }
    Folder folder;
    other += baseline(folder).took;
    if (!folder.AllRenamed()) std::abort();
  }
  state.counters[counter] = Seconds(cli) / Seconds(other);
  state.counters["kib_per_file"] = KibPerFile(rss);
}

void BM_CliAppliedOverMmv(benchmark::State& state) { AppliedOver(state, "mmv", Mmv, "over_mmv"); }
BENCHMARK(BM_CliAppliedOverMmv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_CliAppliedOverRename(benchmark::State& state) {
  AppliedOver(state, "rename", PerlRename, "over_rename");
}
BENCHMARK(BM_CliAppliedOverRename)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The dry run, timed, then the applied run on the same folder.
void BM_CliDryOverApplied(benchmark::State& state) {
  Clock::duration dry{};
  Clock::duration applied{};
  long rss = 0;
  for (auto _ : state) {
    Folder folder;
    const Ran ran = Cli(folder, false);
    state.SetIterationTime(Seconds(ran.took));
    dry += ran.took;
    rss = std::max(rss, ran.max_rss_kib);
    applied += Cli(folder, true).took;
  }
  state.counters["dry_over_applied"] = Seconds(dry) / Seconds(applied);
  state.counters["kib_per_file"] = KibPerFile(rss);
}
BENCHMARK(BM_CliDryOverApplied)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();

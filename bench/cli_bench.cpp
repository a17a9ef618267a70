// quillmere-cli as a whole process over 10,000 files on tmpfs: an applied
// run and a dry run, each against a bare loop of rename(2) over the same
// names in the same repetition (`over_bare`), and mmv where it is installed
// (`over_mmv`). The time shown is the program's alone.
//   build/bench/bench_cli
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFiles = 10000;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// The folder of files "第N课 f.mp4", made once per process.
struct Folder {
  Folder() {
    char pattern[] = "/dev/shm/qm_cli_bench_XXXXXX";
    root = mkdtemp(pattern);
    path = root + "/w/";
    std::filesystem::create_directories(path);
    for (int i = 1; i <= kFiles; ++i) {
      names.push_back("第" + std::to_string(i) + "课 f.mp4");
      renamed.push_back("第" + std::to_string(i) + "课 g.mp4");
      close(open((path + names.back()).c_str(), O_CREAT | O_WRONLY, 0600));
    }
  }
  ~Folder() { std::filesystem::remove_all(root); }
  std::string root;
  std::string path;
  std::vector<std::string> names;
  std::vector<std::string> renamed;
};

Folder& Files() {
  static Folder folder;
  return folder;
}

// Runs a program to its end with its output thrown away.
void Run(std::vector<std::string> words, const std::string& state, const std::string& cwd = "/") {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    if (chdir(cwd.c_str()) != 0) _exit(127);
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

Clock::duration BareRenames(const std::vector<std::string>& from,
                            const std::vector<std::string>& to) {
  const std::string& folder = Files().path;
  const auto start = Clock::now();
  for (size_t i = 0; i < from.size(); ++i) {
    if (rename((folder + from[i]).c_str(), (folder + to[i]).c_str()) != 0) std::abort();
  }
  return Clock::now() - start;
}

std::vector<std::string> Replace(bool apply) {
  std::vector<std::string> words{QM_CLI_BINARY, "replace", "--find",     " f",
                                 "--with",      " g",      "--anywhere", Files().path};
  if (apply) words.push_back("--apply");
  return words;
}

// Each repetition: the applied run f -> g, then a bare loop g -> f puts the
// names back and is the baseline.
void BM_CliApplied(benchmark::State& state) {
  Folder& folder = Files();
  const std::string journals = folder.root + "/state";
  Clock::duration cli{};
  Clock::duration bare{};
  for (auto _ : state) {
    const auto start = Clock::now();
    Run(Replace(true), journals);
    const auto took = Clock::now() - start;
    state.SetIterationTime(Seconds(took));
    cli += took;
    bare += BareRenames(folder.renamed, folder.names);
  }
  state.counters["over_bare"] = Seconds(cli) / Seconds(bare);
}
BENCHMARK(BM_CliApplied)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_CliDryRun(benchmark::State& state) {
  Folder& folder = Files();
  Clock::duration cli{};
  Clock::duration bare{};
  for (auto _ : state) {
    const auto start = Clock::now();
    Run(Replace(false), folder.root + "/state");
    const auto took = Clock::now() - start;
    state.SetIterationTime(Seconds(took));
    cli += took;
    bare += BareRenames(folder.names, folder.renamed);
    bare += BareRenames(folder.renamed, folder.names);
  }
  state.counters["over_bare"] = Seconds(cli) / (Seconds(bare) / 2);
}
BENCHMARK(BM_CliDryRun)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// mmv, only where it is installed: the same rename, then a bare loop back.
void BM_CliAppliedOverMmv(benchmark::State& state) {
  if (system("command -v mmv >/dev/null 2>&1") != 0) {
    state.SkipWithError("mmv is not installed");
    return;
  }
  Folder& folder = Files();
  Clock::duration cli{};
  Clock::duration mmv{};
  for (auto _ : state) {
    auto start = Clock::now();
    Run(Replace(true), folder.root + "/state");
    const auto took = Clock::now() - start;
    state.SetIterationTime(Seconds(took));
    cli += took;
    BareRenames(folder.renamed, folder.names);
    start = Clock::now();
    Run({"mmv", "*f.mp4", "#1g.mp4"}, folder.root + "/state", folder.path);
    mmv += Clock::now() - start;
    BareRenames(folder.renamed, folder.names);
  }
  state.counters["over_mmv"] = Seconds(cli) / Seconds(mmv);
}
BENCHMARK(BM_CliAppliedOverMmv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();

// The time sort orders a whole list by the files' last-write times. Its
// baseline is std::sort of the bare times: what any ordering by time must do.
// The sizes show the growth, which must stay n log n.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "fakes/fake_main_services.h"
#include "text/gbk_text.h"
#include "workspace/list_ordering.h"

namespace {

struct Listing {
  std::vector<qm::GbkText> names;
  std::vector<int64_t> times;
};

// Names with times drawn from a few days, many of them equal, as files copied
// together have; one in a hundred is missing.
Listing MakeListing(size_t count) {
  Listing listing;
  std::mt19937_64 random(42);
  std::uniform_int_distribution<int64_t> seconds(0, 3 * 24 * 3600);
  for (size_t i = 0; i < count; ++i) {
    listing.names.push_back(qm::Gbk("第") + qm::ToText(i) + qm::Gbk("课.mp4"));
    listing.times.push_back(i % 100 == 0
                                ? qm::kEarliestFileTime
                                : 1'700'000'000'000'000'000 + seconds(random) * 1'000'000'000);
  }
  return listing;
}

void BM_TimeSort(benchmark::State& state) {
  Listing listing = MakeListing(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    auto sorted = qm::TimeSort(listing.names, listing.times);
    benchmark::DoNotOptimize(sorted.data());
  }
  state.SetComplexityN(state.range(0));
}

void BM_TimeSortBaseline(benchmark::State& state) {
  Listing listing = MakeListing(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<qm::GbkText> names = listing.names;
    std::vector<int64_t> times = listing.times;
    std::sort(times.begin(), times.end(), std::greater<>());
    benchmark::DoNotOptimize(names.data());
    benchmark::DoNotOptimize(times.data());
  }
  state.SetComplexityN(state.range(0));
}

// Times from a hash map: the fake file system's folder index is built for
// small test folders.
class TimedFiles : public qm::FakeFileSystem {
 public:
  qm::Result<int64_t> LastWriteTime(const qm::GbkText& path) override {
    auto found = times.find(path);
    if (found == times.end()) return qm::Error{"no such file"};
    return found->second;
  }
  std::unordered_map<qm::GbkText, int64_t> times;
};

// The whole menu item over a list of 100,000 rows: the list is read, each
// name's time asked of the (in-memory) file system, and the rows rebuilt.
void BM_TimeSortList(benchmark::State& state) {
  Listing listing = MakeListing(100000);
  qm::FakeForm form;
  qm::FakeList list;
  qm::ScriptedMessages messages;
  qm::FakeWindowSystem windows;
  TimedFiles files;
  qm::MainServices world{form, list, messages, windows, files};
  form.SetText(qm::Control::标签2, "/w/");
  for (size_t i = 0; i < listing.names.size(); ++i) {
    if (listing.times[i] != qm::kEarliestFileTime) {
      files.times["/w/" + listing.names[i]] = listing.times[i];
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    list.RemoveAllRows();
    list.AppendRows(listing.names);
    state.ResumeTiming();
    qm::TimeSortList(world);
  }
}

BENCHMARK(BM_TimeSort)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oNLogN);
BENCHMARK(BM_TimeSortBaseline)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(BM_TimeSortList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

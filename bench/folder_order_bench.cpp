// Ordering 100,000 subfolder names the way Windows lists a folder (by name,
// letters without regard to case, by UTF-16 code unit) against a plain
// std::sort of the same names by their bytes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "text/gbk_text.h"
#include "workspace/name_order.h"

namespace qm {
namespace {

constexpr int kNameCount = 100000;

// Names as a course folder holds them: Chinese chapters, Latin titles, digits.
std::vector<GbkText> Names(bool chinese) {
  std::vector<GbkText> names;
  names.reserve(kNameCount);
  const GbkText chapter = Gbk("第"), title = Gbk("章 图层与蒙版");
  for (int i = 0; i < kNameCount; ++i) {
    names.push_back(chinese ? chapter + qm::ToText(i) + title
                            : "Lesson " + qm::ToText(i) + " Layers and Masks");
  }
  std::shuffle(names.begin(), names.end(), std::mt19937(14));
  return names;
}

void BM_ByteSortBaseline(benchmark::State& state) {
  const std::vector<GbkText> names = Names(state.range(0) != 0);
  for (auto _ : state) {
    std::vector<GbkText> copy = names;
    std::sort(copy.begin(), copy.end());
    benchmark::DoNotOptimize(copy.data());
  }
}

void BM_FolderNameOrder(benchmark::State& state) {
  const std::vector<GbkText> names = Names(state.range(0) != 0);
  for (auto _ : state) {
    std::vector<GbkText> ordered = FolderNameOrder(names);
    benchmark::DoNotOptimize(ordered.data());
  }
}

// 0: ASCII names, 1: Chinese names.
BENCHMARK(BM_ByteSortBaseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FolderNameOrder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();

// Converting 100,000 names between traditional and simplified script, and the
// delete and replace transforms over the same names. The baseline copies each
// name byte by byte, the least any conversion that rewrites a name must do.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "copy_baseline.h"
#include "rename/delete_operations.h"
#include "rename/replace_operations.h"
#include "text/gbk_text.h"
#include "text/script_tables.h"

namespace {

const std::vector<qm::GbkText>& Names() {
  static const std::vector<qm::GbkText> names = [] {
    const qm::GbkText stems[] = {
        qm::Gbk("國語課第"),   qm::Gbk("學習資料-"), "IMG_",
        qm::Gbk("会议记录（"), "holiday photo ",     qm::Gbk("電視劇【高清】")};
    const char* extensions[] = {".mp4", ".jpg", ".txt", ".docx", ""};
    std::vector<qm::GbkText> list;
    list.reserve(100000);
    for (int k = 0; k < 100000; ++k) {
      list.push_back(stems[k % 6] + qm::ToText(k) + stems[(k / 6) % 6] + "-v" + qm::ToText(k % 3) +
                     extensions[k % 5]);
    }
    return list;
  }();
  return names;
}

void BM_CopyBaseline(benchmark::State& state) { qm::CopyEveryName(state, Names()); }

void BM_ConvertToSimplified(benchmark::State& state) {
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : Names()) {
      sum += qm::ConvertScript(name, qm::ScriptDirection::TraditionalToSimplified).size();
    }
    benchmark::DoNotOptimize(sum);
  }
}

void BM_ReplaceFromTheRight(benchmark::State& state) {
  const qm::TextReplacement replacement{"-", "_", 2, qm::ReplaceScope::Unlimited,
                                        qm::ReplaceDirection::FromRight};
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : Names()) sum += qm::ReplaceText(replacement, name).value_or("").size();
    benchmark::DoNotOptimize(sum);
  }
}

void BM_DeleteBetweenMarkers(benchmark::State& state) {
  const qm::MarkerPair markers{qm::Gbk("【"), qm::Occurrence::First, qm::Gbk("】"),
                               qm::Occurrence::First, false};
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : Names()) {
      sum += qm::DeleteBetweenMarkersInStem(markers, name).value_or("").size();
    }
    benchmark::DoNotOptimize(sum);
  }
}

}  // namespace

BENCHMARK(BM_CopyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertToSimplified)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceFromTheRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteBetweenMarkers)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// The numeral, insert, numbering and extension transforms over 100,000 lesson
// names. The baseline copies each name byte by byte, the least any transform
// that rewrites a name must do.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "copy_baseline.h"
#include "rename/extension_operations.h"
#include "rename/insert_operations.h"
#include "rename/numbering_operations.h"
#include "rename/numeral_operations.h"
#include "text/chinese_numerals.h"
#include "text/gbk_text.h"

namespace {

constexpr int kNames = 100000;

// Digit names (第12课) and numeral names (第十二课) alike.
const std::vector<qm::GbkText>& Names() {
  static const std::vector<qm::GbkText> names = [] {
    const qm::GbkText prefixes[] = {qm::Gbk("第"), qm::Gbk("课程"), "Lesson ", qm::Gbk("01第")};
    const qm::GbkText suffixes[] = {qm::Gbk("课 入门讲解"), qm::Gbk("章"), " part 2", ""};
    std::vector<qm::GbkText> list;
    list.reserve(kNames);
    for (int k = 0; k < kNames; ++k) {
      qm::GbkText number = k % 2 == 0 ? qm::ToText(k % 1200) : qm::NumeralText(k % 999 + 1);
      list.push_back(prefixes[k % 4] + number + suffixes[(k / 4) % 4]);
    }
    return list;
  }();
  return names;
}

void BM_CopyBaseline(benchmark::State& state) { qm::CopyEveryName(state, Names()); }
BENCHMARK(BM_CopyBaseline)->Unit(benchmark::kMillisecond);

template <class Transform>
void RunOverNames(benchmark::State& state, Transform transform) {
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : Names()) sum += transform(name).size();
    benchmark::DoNotOptimize(sum);
  }
}

void BM_DigitsToChineseNumerals(benchmark::State& state) {
  RunOverNames(state, [](const qm::GbkText& name) { return qm::DigitsToChineseNumerals(name); });
}
BENCHMARK(BM_DigitsToChineseNumerals)->Unit(benchmark::kMillisecond);

void BM_ChineseNumeralsToDigits(benchmark::State& state) {
  RunOverNames(state, [](const qm::GbkText& name) { return qm::ChineseNumeralsToDigits(name); });
}
BENCHMARK(BM_ChineseNumeralsToDigits)->Unit(benchmark::kMillisecond);

void BM_InsertAtAnchor(benchmark::State& state) {
  const qm::GbkText anchor = qm::Gbk("第");
  RunOverNames(state, [&](const qm::GbkText& name) {
    return qm::InsertAtAnchor(anchor, "X", qm::AnchorSide::After, qm::AnchorOccurrence::Last, name);
  });
}
BENCHMARK(BM_InsertAtAnchor)->Unit(benchmark::kMillisecond);

void BM_InsertAfterLeadingNumber(benchmark::State& state) {
  const qm::GbkText symbol = qm::Gbk("、");
  RunOverNames(state,
               [&](const qm::GbkText& name) { return qm::InsertAfterLeadingNumber(symbol, name); });
}
BENCHMARK(BM_InsertAfterLeadingNumber)->Unit(benchmark::kMillisecond);

void BM_NumberedName(benchmark::State& state) {
  const qm::GbkText symbol = qm::Gbk("、");
  int64_t n = 0;
  RunOverNames(state, [&](const qm::GbkText& name) {
    return qm::NumberedName(++n % kNames, kNames, symbol, name);
  });
}
BENCHMARK(BM_NumberedName)->Unit(benchmark::kMillisecond);

void BM_ChangeExtension(benchmark::State& state) {
  RunOverNames(state, [](const qm::GbkText& name) { return qm::ChangeExtension(".mp4", name); });
}
BENCHMARK(BM_ChangeExtension)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

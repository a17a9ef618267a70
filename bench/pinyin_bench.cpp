// Converting 100,000 lesson names to pinyin against the traditional/simplified
// conversion of the same names in the same run, the nearest operation that
// also reads every Chinese character through a table.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "text/gbk_text.h"
#include "text/pinyin.h"
#include "text/script_tables.h"

namespace {

const std::vector<qm::GbkText>& Names() {
  static const std::vector<qm::GbkText> names = [] {
    const qm::GbkText stems[] = {qm::Gbk(" 重庆银行长城音乐"), qm::Gbk(" 國語課本【高清】"),
                                 qm::Gbk("-我们的行长还都着急"), "-holiday photo"};
    std::vector<qm::GbkText> list;
    list.reserve(100000);
    for (int k = 0; k < 100000; ++k) {
      list.push_back(qm::Gbk("第") + qm::ToText(k) + qm::Gbk("课") + stems[k % 4]);
    }
    return list;
  }();
  return names;
}

void BM_ConvertToSimplified(benchmark::State& state) {
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : Names()) {
      sum += qm::ConvertScript(name, qm::ScriptDirection::TraditionalToSimplified).size();
    }
    benchmark::DoNotOptimize(sum);
  }
}

void ConvertToPinyin(benchmark::State& state, const qm::PinyinStyle& style) {
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : Names()) sum += qm::ToPinyin(style, name).value_or("").size();
    benchmark::DoNotOptimize(sum);
  }
}

void BM_ToPinyin(benchmark::State& state) {
  ConvertToPinyin(state, {qm::PinyinForm::Full, qm::PinyinTone::None, "", qm::PinyinCase::Lower});
}

void BM_ToPinyinMarksSpaced(benchmark::State& state) {
  ConvertToPinyin(state,
                  {qm::PinyinForm::Full, qm::PinyinTone::Marks, " ", qm::PinyinCase::Capitalised});
}

void BM_ToPinyinInitials(benchmark::State& state) {
  ConvertToPinyin(state,
                  {qm::PinyinForm::Initials, qm::PinyinTone::None, "_", qm::PinyinCase::Lower});
}

}  // namespace

BENCHMARK(BM_ConvertToSimplified)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToPinyin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToPinyinMarksSpaced)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToPinyinInitials)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

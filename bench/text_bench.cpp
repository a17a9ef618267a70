// The text primitives run once per name and operation over whole folders;
// std::string's own search, which knows nothing of double-byte characters,
// is the baseline they are measured against.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "text/gbk_text.h"

namespace {

const std::vector<qm::GbkText>& Names() {
  static const std::vector<qm::GbkText> names = [] {
    const qm::GbkText stems[] = {qm::Gbk("第"), qm::Gbk("课 讲义_"), qm::Gbk("会议记录-"),
                                 "IMG_",        "holiday photo ",    qm::Gbk("新建文件夹")};
    const char* extensions[] = {".mp4", ".jpg", ".txt", ".docx", ""};
    std::vector<qm::GbkText> list;
    list.reserve(100000);
    for (int k = 0; k < 100000; ++k) {
      qm::GbkText name = stems[k % 6] + qm::ToText(k) + stems[(k / 6) % 6] + "_v" +
                         qm::ToText(k % 3) + extensions[k % 5];
      list.push_back(std::move(name));
    }
    return list;
  }();
  return names;
}

void BM_Find(benchmark::State& state) {
  const qm::GbkText part = "_v";
  for (auto _ : state) {
    long sum = 0;
    for (const auto& name : Names()) sum += qm::Find(name, part);
    benchmark::DoNotOptimize(sum);
  }
}

void BM_FindBaseline(benchmark::State& state) {
  const std::string part = "_v";
  for (auto _ : state) {
    long sum = 0;
    for (const auto& name : Names()) sum += static_cast<long>(name.find(part));
    benchmark::DoNotOptimize(sum);
  }
}

void BM_ReverseFind(benchmark::State& state) {
  for (auto _ : state) {
    long sum = 0;
    for (const auto& name : Names()) sum += qm::ReverseFind(name, ".");
    benchmark::DoNotOptimize(sum);
  }
}

void BM_ReverseFindBaseline(benchmark::State& state) {
  for (auto _ : state) {
    long sum = 0;
    for (const auto& name : Names()) sum += static_cast<long>(name.rfind('.'));
    benchmark::DoNotOptimize(sum);
  }
}

void BM_Replace(benchmark::State& state) {
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : Names()) sum += qm::Replace(name, "_", "-").size();
    benchmark::DoNotOptimize(sum);
  }
}

void BM_ReplaceBaseline(benchmark::State& state) {
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : Names()) {
      std::string result;
      result.reserve(name.size());
      size_t from = 0;
      for (size_t at; (at = name.find('_', from)) != std::string::npos; from = at + 1) {
        result.append(name, from, at - from).append("-");
      }
      result.append(name, from);
      sum += result.size();
    }
    benchmark::DoNotOptimize(sum);
  }
}

BENCHMARK(BM_Find)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReverseFind)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReverseFindBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Replace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace qm {

// The baseline of the per-name transform benchmarks: touch every byte of
// every name once, building a new string as a transform would.
template <class Text>
void CopyEveryName(benchmark::State& state, const std::vector<Text>& names) {
  for (auto _ : state) {
    size_t sum = 0;
    for (const auto& name : names) {
      std::string copy;
      copy.reserve(name.size());
      for (char byte : name) copy.push_back(byte);
      sum += copy.size();
    }
    benchmark::DoNotOptimize(sum);
  }
}

}  // namespace qm

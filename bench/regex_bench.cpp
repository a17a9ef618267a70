// The regular-expression replace over 100,000 names, against a bare
// pcre2_substitute loop over the same names already in UTF-8, with the same
// compiled pattern options. The operation's figure includes the conversions
// from and to the internal encoding that every name goes through.
#include <benchmark/benchmark.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <string>
#include <vector>

#include "base/encoding.h"
#include "rename/regex_operations.h"
#include "text/gbk_text.h"
#include "text/regex_replace.h"

namespace qm {
namespace {

constexpr const char* kPattern = "第(\\d+)课\\s*(\\w+)";
constexpr const char* kReplacement = "Lesson ${1}_\\U$2";

const std::vector<GbkText>& Names() {
  static const std::vector<GbkText> names = [] {
    std::vector<GbkText> list;
    list.reserve(100000);
    for (int k = 0; k < 100000; ++k) {
      list.push_back(Gbk("第") + qm::ToText(k) + Gbk(k % 2 ? "课 视频教程" : "课 notes") +
                     (k % 5 ? "" : " extra"));
    }
    return list;
  }();
  return names;
}

const std::vector<std::string>& Utf8Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const GbkText& name : Names()) list.push_back(InternalToUtf8(name).value());
    return list;
  }();
  return names;
}

void BM_BareSubstitute(benchmark::State& state) {
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(kPattern), PCRE2_ZERO_TERMINATED,
                                   PCRE2_UTF | PCRE2_UCP, &error, &offset, nullptr);
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  pcre2_match_data* match = pcre2_match_data_create_from_pattern(code, nullptr);
  const std::string replacement = kReplacement;
  std::string out(1024, '\0');
  for (auto _ : state) {
    size_t bytes = 0;
    for (const std::string& name : Utf8Names()) {
      PCRE2_SIZE length = out.size();
      pcre2_substitute(code, reinterpret_cast<PCRE2_SPTR>(name.data()), name.size(), 0,
                       PCRE2_SUBSTITUTE_EXTENDED | PCRE2_SUBSTITUTE_GLOBAL, match, nullptr,
                       reinterpret_cast<PCRE2_SPTR>(replacement.data()), replacement.size(),
                       reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
      bytes += length;
    }
    benchmark::DoNotOptimize(bytes);
  }
  pcre2_match_data_free(match);
  pcre2_code_free(code);
}

// What the run calls per entry: the internal name in, the new name or a
// reason out.
void BM_RegexOperation(benchmark::State& state) {
  auto compiled = RegexReplacer::Compile(kPattern, kReplacement, {});
  const RegexReplacer& replacer = std::get<RegexReplacer>(compiled);
  for (auto _ : state) {
    size_t bytes = 0;
    for (const GbkText& name : Names()) {
      NameResult result = ApplyRegex(replacer, name);
      if (result.text) bytes += result.text->size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}

BENCHMARK(BM_BareSubstitute)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexOperation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();

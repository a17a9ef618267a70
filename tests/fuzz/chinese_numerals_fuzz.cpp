// Checks the numeral run search and the numeral reading on arbitrary bytes:
// a run found is a piece of the name made of numeral characters, and a value
// read back writes the same numerals.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/chinese_numerals.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  const qm::GbkText run = qm::FindNumeralRun(name);
  Check(run.size() % 2 == 0);
  if (!run.empty()) Check(name.find(run) != std::string_view::npos);
  for (size_t i = 0; i < run.size(); i += 2) {
    Check(qm::IsNumeralCharacter(std::string_view(run).substr(i, 2)));
  }

  const qm::GbkText value = qm::NumeralValue(name);
  if (!value.empty()) {
    const int n = std::atoi(value.c_str());
    Check(n >= 1 && n <= 999);
    Check(qm::NumeralText(n) == name);
  }
  return 0;
}

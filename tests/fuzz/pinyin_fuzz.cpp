// Converts arbitrary bytes to pinyin in every style. Taken one character at a
// time, a character either keeps its bytes or becomes one reading; read in
// first letters without a separator, a whole text is therefore as long as its
// characters taken one at a time, whatever phrases matched.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/gbk_text_type.h"
#include "text/pinyin.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

size_t InitialsSize(const std::string& text) {
  const qm::PinyinStyle initials{qm::PinyinForm::Initials, qm::PinyinTone::None, "",
                                 qm::PinyinCase::Lower};
  size_t size = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t width = qm::CharacterWidthAt(text, i);
    const auto one = qm::ToPinyin(initials, text.substr(i, width));
    Check(!one || one->size() == 1);
    size += one ? 1 : width;
    i += width;
  }
  return size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const char* const separators[] = {"", " ", "_", "-"};
  int style = 0;
  for (auto form : {qm::PinyinForm::Full, qm::PinyinForm::Initials}) {
    for (auto tone : {qm::PinyinTone::None, qm::PinyinTone::Marks, qm::PinyinTone::Digits}) {
      for (auto letter_case :
           {qm::PinyinCase::Lower, qm::PinyinCase::Capitalised, qm::PinyinCase::Upper}) {
        const auto result = qm::ToPinyin({form, tone, separators[style++ % 4], letter_case}, text);
        Check(!result || !result->empty());
      }
    }
  }
  const auto initials = qm::ToPinyin(
      {qm::PinyinForm::Initials, qm::PinyinTone::None, "", qm::PinyinCase::Lower}, text);
  const size_t expected = InitialsSize(text);
  Check(initials ? initials->size() == expected : expected == text.size());
  return 0;
}

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/gbk_text_type.h"

namespace qm {

enum class PinyinForm { Full, Initials };             // 全拼, 首字母 (中国 -> zg)
enum class PinyinTone { None, Marks, Digits };        // lv, lǜ, lv4
enum class PinyinCase { Lower, Capitalised, Upper };  // zhong, Zhong, ZHONG

struct PinyinStyle {
  PinyinForm form = PinyinForm::Full;
  PinyinTone tone = PinyinTone::None;
  // Written between two neighbouring readings and between a reading and a
  // neighbouring ASCII letter or digit: "", " ", "_" or "-".
  std::string separator;
  PinyinCase letter_case = PinyinCase::Lower;
};

// Replaces every Chinese character of text by its reading; everything else
// stays as it is. Traditional characters read like their simplified forms.
// A run of characters is read by phrases, the longest phrase that matches at
// each place first; a character outside any phrase takes its most common
// reading. Double-byte characters only: a four-byte one stays as it is.
// Nullopt when the text holds no character with a reading.
std::optional<GbkText> ToPinyin(const PinyinStyle& style, std::string_view text);

}  // namespace qm

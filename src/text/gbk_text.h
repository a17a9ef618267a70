#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/gbk_text_type.h"

namespace qm {

// Text operations on GbkText. Positions are one-based byte positions, -1 is
// "not found". Searches step by whole characters (see CharacterWidthAt) and
// never match from inside one. Left, Right and Middle count raw bytes and may
// cut a character. A text is the whole string: its end stands for the
// terminating zero, and a zero byte inside it is an ordinary single-byte
// character.

// A text written in the source as UTF-8, in the internal encoding. For
// literals and other texts known to be valid UTF-8.
GbkText Gbk(std::string_view utf8);
template <InternalText T>
GbkText Gbk(T&& internal) = delete;

int Length(std::string_view text);
GbkText Left(std::string_view text, int n);
GbkText Right(std::string_view text, int n);
GbkText Middle(std::string_view text, int start, int n);

int Find(std::string_view text, std::string_view part, int start = 1, bool ignore_case = false);
// Without a start the whole text is searched; with one, the first start-1 bytes.
int ReverseFind(std::string_view text, std::string_view part,
                std::optional<int> start = std::nullopt, bool ignore_case = false);
// A negative count replaces every occurrence.
GbkText Replace(std::string_view text, std::string_view part, std::string_view replacement = {},
                int start = 1, int count = -1, bool case_sensitive = true);

GbkText Trim(std::string_view text);
// A negative maximum means no limit.
std::vector<GbkText> Split(std::string_view text, std::string_view separator = ",",
                           int max_pieces = -1);
int Compare(std::string_view a, std::string_view b, bool case_sensitive);

int32_t ToInteger(std::string_view text);
GbkText ToText(int64_t number);
GbkText UpperCase(std::string_view text);
int CodeAt(std::string_view text, int position = 1);
GbkText Character(int code);
GbkText Spaces(int n);
GbkText ChineseNumerals(double number, bool simplified);
GbkText Concatenate(std::string_view a, std::string_view b, std::string_view c = {});

bool IsUtf8Text(std::string_view bytes);
GbkText Utf8ToGbk(std::string_view bytes);
template <InternalText T>
GbkText Utf8ToGbk(T&& internal) = delete;

}  // namespace qm

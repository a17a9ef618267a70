#include "base/encoding.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qm {
namespace {

TEST(Encoding, RoundTripsThroughUtf8) {
  const std::string utf8 =
      "第1课 ☃ 𠀀.mp4";  // a code page 936 character, one outside it, one astral
  auto internal = Utf8ToInternal(utf8);
  ASSERT_TRUE(internal.ok());
  EXPECT_EQ(internal->substr(0, 2), "\xB5\xDA"_internal);  // 第 in code page 936
  auto back = InternalToUtf8(*internal);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(*back, utf8);
}

TEST(Encoding, RefusesInvalidSourceBytesInsteadOfSubstituting) {
  struct Row {
    const char* name;
    std::string bytes;
    bool from_utf8;
  };
  const Row rows[] = {
      {"utf8/stray-continuation", "a\x80z", true},
      {"utf8/truncated-sequence", "a\xE4\xB8", true},
      {"utf8/overlong", "\xC0\xAF", true},
      {"internal/lone-lead-byte", "a\xB5", false},
      {"internal/bad-trail-byte", "\xB5\x20", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const bool ok =
        row.from_utf8 ? Utf8ToInternal(row.bytes).ok() : InternalToUtf8(GbkText(row.bytes)).ok();
    EXPECT_FALSE(ok);
  }
}

std::string Utf8Of(char32_t code_point) {  // three-byte code points only
  return {static_cast<char>(0xE0 | (code_point >> 12)),
          static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)),
          static_cast<char>(0x80 | (code_point & 0x3F))};
}

// glibc's GB18030 converter has no code for these private-use characters.
TEST(Encoding, PrivateUseCharactersWithoutASystemCodeRoundTrip) {
  std::vector<char32_t> private_use;
  for (char32_t c = 0xE78D; c <= 0xE796; ++c) private_use.push_back(c);
  for (char32_t c : {0xE816, 0xE817, 0xE818, 0xE81E, 0xE826, 0xE82B, 0xE82C, 0xE831, 0xE832, 0xE83B,
                     0xE843, 0xE854, 0xE855, 0xE864}) {
    private_use.push_back(c);
  }
  std::set<std::string> codes;
  for (char32_t c : private_use) {
    SCOPED_TRACE(testing::Message() << std::hex << static_cast<uint32_t>(c));
    const std::string name = "a" + Utf8Of(c) + "第.txt";
    auto internal = Utf8ToInternal(name);
    ASSERT_TRUE(internal.ok());
    ASSERT_EQ(internal->size(), 1u + 4u + 2u + 4u);
    codes.insert(internal->substr(1, 4).bytes());
    EXPECT_EQ(Utf8ToInternalLenient(name), *internal);
    auto back = InternalToUtf8(*internal);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, name);
  }
  EXPECT_EQ(codes.size(), private_use.size());
  // The four-byte codes GB18030-2022 gives them.
  EXPECT_EQ(Utf8ToInternal(Utf8Of(0xE78D)).value(), "\x84\x31\x82\x36"_internal);
  EXPECT_EQ(Utf8ToInternal(Utf8Of(0xE864)).value(), "\x82\x35\x91\x34"_internal);

  // The characters that took their two-byte codes keep them, both ways.
  const std::pair<std::string, std::string> displaced[] = {
      {"\xEF\xB8\x90", "\xA6\xD9"},      // U+FE10
      {"\xE9\xBE\xB4", "\xFE\x59"},      // U+9FB4
      {"\xF0\xA0\x82\x87", "\xFE\x51"},  // U+20087
  };
  for (const auto& [utf8, internal] : displaced) {
    EXPECT_EQ(Utf8ToInternal(utf8).value(), GbkText(internal));
    EXPECT_EQ(InternalToUtf8(GbkText(internal)).value(), utf8);
  }

  // A code's bytes across two characters (A1 84 | 31 | 82 36 81 30) are no code.
  EXPECT_EQ(InternalToUtf8("\xA1\x84\x31\x82\x36\x81\x30"_internal).value(),
            "\xEE\x94\x89"
            "1\xEA\x90\x83");
  // A bad byte after one is still reported where it stands.
  EXPECT_FALSE(Utf8ToInternal(Utf8Of(0xE78D) + "\x80").ok());
  EXPECT_FALSE(InternalToUtf8("\x84\x31\x82\x36\xB5"_internal).ok());
}

TEST(Encoding, LenientDecodingReplacesEachMalformedSequenceOnce) {
  const GbkText replacement = Utf8ToInternal("\xEF\xBF\xBD").value();
  EXPECT_EQ(Utf8ToInternalLenient("a\x80z"), "a" + replacement + "z");
  EXPECT_EQ(Utf8ToInternalLenient("\xE4\xB8"), replacement);
  EXPECT_EQ(Utf8ToInternalLenient("plain"), "plain");
}

}  // namespace
}  // namespace qm

#include "platform/encoding.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(Encoding, RoundTripsThroughUtf8) {
  const std::string utf8 =
      "第1课 ☃ 𠀀.mp4";  // a code page 936 character, one outside it, one astral
  auto internal = Utf8ToInternal(utf8);
  ASSERT_TRUE(internal.ok());
  EXPECT_EQ(internal->substr(0, 2), "\xB5\xDA");  // 第 in code page 936
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
    auto result = row.from_utf8 ? Utf8ToInternal(row.bytes) : InternalToUtf8(row.bytes);
    EXPECT_FALSE(result.ok());
  }
}

TEST(Encoding, LenientDecodingReplacesEachMalformedSequenceOnce) {
  const std::string replacement = Utf8ToInternal("\xEF\xBF\xBD").value();
  EXPECT_EQ(Utf8ToInternalLenient("a\x80z"), "a" + replacement + "z");
  EXPECT_EQ(Utf8ToInternalLenient("\xE4\xB8"), replacement);
  EXPECT_EQ(Utf8ToInternalLenient("plain"), "plain");
}

}  // namespace
}  // namespace qm

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "base/encoding.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

// Decodes with the system's own code page 936 table, the reference our
// internal encoding must agree with; nullopt when the code page leaves the
// bytes undefined.
class CodePage936 {
 public:
  CodePage936() : cd_(iconv_open("UTF-8", "CP936")) {}
  ~CodePage936() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  std::optional<std::string> ToUtf8(std::string in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in_ptr = in.data();
    size_t in_left = in.size();
    char* out_ptr = out;
    size_t out_left = sizeof out;
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1)) {
      return std::nullopt;
    }
    return std::string(out, out_ptr);
  }

 private:
  iconv_t cd_;
};

TEST(CodePage936, EveryDoubleByteCodeRoundTripsUnchanged) {
  CodePage936 code_page;
  ASSERT_TRUE(code_page.ok());
  int defined = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      std::optional<std::string> expected = code_page.ToUtf8(bytes);
      if (!expected) continue;
      ++defined;
      SCOPED_TRACE(testing::Message() << std::hex << lead << trail);
      Result<std::string> utf8 = InternalToUtf8(GbkText(bytes));
      ASSERT_TRUE(utf8.ok());
      EXPECT_EQ(*utf8, *expected);
      EXPECT_EQ(Utf8ToGbk(*utf8), GbkText(bytes));
      Result<GbkText> back = Utf8ToInternal(*utf8);
      ASSERT_TRUE(back.ok());
      EXPECT_EQ(*back, GbkText(bytes));
    }
  }
  // Guards against a table that silently lost most of its codes.
  EXPECT_GT(defined, 21000);
}

TEST(CodePage936, EuroSignIsTheOneCharacterEncodedDifferently) {
  // Code page 936 writes the euro sign as the lone byte 0x80, which is no
  // character internally; internally it is the double-byte 0xA2 0xE3.
  CodePage936 code_page;
  ASSERT_TRUE(code_page.ok());
  EXPECT_EQ(code_page.ToUtf8("\x80"), "€");
  EXPECT_EQ(Gbk("€"), "\xA2\xE3"_internal);
  EXPECT_FALSE(InternalToUtf8("\x80"_internal).ok());
}

}  // namespace
}  // namespace qm

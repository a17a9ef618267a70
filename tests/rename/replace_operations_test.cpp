#include "rename/replace_operations.h"

#include <gtest/gtest.h>

#include "fakes/fake_form.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

const std::optional<GbkText> kUnchanged = std::nullopt;

TEST(ReplaceTextTest, ScopesAndDirections) {
  constexpr auto kNumber = ReplaceScope::AfterLeadingNumber;
  constexpr auto kAll = ReplaceScope::Unlimited;
  constexpr auto kLeft = ReplaceDirection::FromLeft;
  constexpr auto kRight = ReplaceDirection::FromRight;
  struct Row {
    const char* name;
    GbkText find;
    GbkText replacement;
    int count;
    ReplaceScope scope;
    ReplaceDirection direction;
    GbkText text;
    std::optional<GbkText> expected;
  };
  const Row rows[] = {
      {"number/leading", "-", Gbk("、"), 1, kNumber, kLeft, Gbk("01-公司办公文档"),
       Gbk("01、公司办公文档")},
      {"number/beyond-byte-8", "-", Gbk("、"), 1, kNumber, kLeft, Gbk("公司办公文档资料-01"),
       kUnchanged},
      {"number/first-only", "-", Gbk("、"), 5, kNumber, kLeft, "01-a-b", Gbk("01、a-b")},
      {"number/at-byte-8", "-", "_", 1, kNumber, kLeft, "1234567-x", "1234567_x"},
      {"number/at-byte-9", "-", "_", 1, kNumber, kLeft, "12345678-x", kUnchanged},
      {"number/not-found", "-", "_", 1, kNumber, kLeft, "abc", kUnchanged},
      {"left/once", "-", "_", 1, kAll, kLeft, "a-b-c", "a_b-c"},
      {"left/twice", "-", "_", 2, kAll, kLeft, "a-b-c", "a_b_c"},
      {"left/negative-is-all", "-", "_", -1, kAll, kLeft, "a-b-c-d", "a_b_c_d"},
      {"left/delete", "-", "", -1, kAll, kLeft, "a-b-c", "abc"},
      {"left/not-found", "x", "_", 1, kAll, kLeft, "a-b-c", kUnchanged},
      {"right/once", "-", "_", 1, kAll, kRight, "a-b-c", "a-b_c"},
      {"right/twice", "-", "_", 2, kAll, kRight, "a-b-c", "a_b_c"},
      {"right/negative-is-none", "-", "_", -1, kAll, kRight, "a-b-c", "a-b-c"},
      // Each step sees the result of the previous one.
      {"right/replacement-brings-occurrence", "a", "ba", 2, kAll, kRight, "xa", "xbba"},
      {"right/huge-count-stops-when-none-left", "-", "_", 2147483647, kAll, kRight, "a-b-c",
       "a_b_c"},
      {"right/huge-count-same-text", "-", "-", 2147483647, kAll, kRight, "a-b", "a-b"},
      {"right/huge-count-growing", "a", "aa", 2147483647, kAll, kRight, "xa", kUnchanged},
      {"case-sensitive", "A", "_", 1, kAll, kLeft, "a-b", kUnchanged},
      {"double-byte-not-split", "b", "_", 1, kAll, kLeft,
       "a\xB0"
       "b",
       kUnchanged},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TextReplacement replacement{row.find, row.replacement, row.count, row.scope, row.direction};
    EXPECT_EQ(ReplaceText(replacement, row.text), row.expected);
  }
}

TEST(ZeroFillLeadingNumberTest, WidthFollowsTheListSize) {
  struct Row {
    const char* name;
    int rows;
    GbkText text;
    std::optional<GbkText> expected;
  };
  const Row rows[] = {
      {"12/one-digit", 12, "1", "01"},         {"12/inside", 12, Gbk("第3课"), Gbk("第03课")},
      {"12/two-digits", 12, "12", kUnchanged}, {"12/three-digits", 12, "123", kUnchanged},
      {"99/one-digit", 99, "7", "07"},         {"100/one-digit", 100, "1", "001"},
      {"150/two-digits", 150, "12", "012"},    {"150/three-digits", 150, "123", kUnchanged},
      {"1000/one-digit", 1000, "1", "001"},    {"1001/nothing", 1001, "1", kUnchanged},
      {"no-digit", 12, "abc", kUnchanged},     {"first-run-only", 12, "a1b2", "a01b2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ZeroFillLeadingNumber(row.rows, row.text), row.expected);
  }
}

TEST(ConvertChineseScriptTest, WholeNameInBothDirections) {
  EXPECT_EQ(ConvertChineseScript(ScriptDirection::TraditionalToSimplified, Gbk("國語課.txt")),
            Gbk("国语课.txt"));
  EXPECT_EQ(ConvertChineseScript(ScriptDirection::SimplifiedToTraditional, Gbk("国语课.txt")),
            Gbk("國語課.txt"));
  EXPECT_EQ(ConvertChineseScript(ScriptDirection::TraditionalToSimplified, "abc.txt"), "abc.txt");
}

TEST(ScriptRadioTest, CaptionFollowsTheSelectedRadio) {
  FakeForm form;
  form.SetText(Control::按钮_繁简, Gbk("繁转简"));
  form.SetChecked(Control::单选框16, true);
  EXPECT_TRUE(ScriptRadioClicked(form, Control::单选框16));
  EXPECT_EQ(form.Text(Control::按钮_繁简), Gbk("简转繁"));
  form.SetChecked(Control::单选框16, false);
  form.SetChecked(Control::单选框15, true);
  ScriptRadioClicked(form, Control::单选框15);
  EXPECT_EQ(form.Text(Control::按钮_繁简), Gbk("繁转简"));
  // A click that leaves the radio unselected changes nothing.
  ScriptRadioClicked(form, Control::单选框16);
  EXPECT_EQ(form.Text(Control::按钮_繁简), Gbk("繁转简"));
  EXPECT_FALSE(ScriptRadioClicked(form, Control::按钮_繁简));
}

}  // namespace
}  // namespace qm

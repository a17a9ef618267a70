#include "rename/replace_operations.h"

#include <gtest/gtest.h>

#include "fakes/fake_form.h"
#include "rename/operation_runs.h"
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
      {"number/leading", Gbk("-"), Gbk("、"), 1, kNumber, kLeft, Gbk("01-公司办公文档"),
       Gbk("01、公司办公文档")},
      {"number/beyond-byte-8", Gbk("-"), Gbk("、"), 1, kNumber, kLeft, Gbk("公司办公文档资料-01"),
       kUnchanged},
      {"number/first-only", Gbk("-"), Gbk("、"), 5, kNumber, kLeft, "01-a-b", Gbk("01、a-b")},
      {"number/at-byte-8", Gbk("-"), "_", 1, kNumber, kLeft, "1234567-x", "1234567_x"},
      {"number/at-byte-9", Gbk("-"), "_", 1, kNumber, kLeft, "12345678-x", kUnchanged},
      {"number/not-found", Gbk("-"), "_", 1, kNumber, kLeft, "abc", kUnchanged},
      {"left/once", Gbk("-"), "_", 1, kAll, kLeft, "a-b-c", "a_b-c"},
      {"left/twice", Gbk("-"), "_", 2, kAll, kLeft, "a-b-c", "a_b_c"},
      {"left/negative-is-all", Gbk("-"), "_", -1, kAll, kLeft, "a-b-c-d", "a_b_c_d"},
      {"left/delete", Gbk("-"), "", -1, kAll, kLeft, "a-b-c", "abc"},
      {"left/not-found", Gbk("x"), "_", 1, kAll, kLeft, "a-b-c", kUnchanged},
      {"right/once", Gbk("-"), "_", 1, kAll, kRight, "a-b-c", "a-b_c"},
      {"right/twice", Gbk("-"), "_", 2, kAll, kRight, "a-b-c", "a_b_c"},
      {"right/negative-is-none", Gbk("-"), "_", -1, kAll, kRight, "a-b-c", "a-b-c"},
      // Each step sees the result of the previous one.
      {"right/replacement-brings-occurrence", Gbk("a"), "ba", 2, kAll, kRight, "xa", "xbba"},
      {"right/huge-count-stops-when-none-left", Gbk("-"), "_", 2147483647, kAll, kRight, "a-b-c",
       "a_b_c"},
      {"right/huge-count-same-text", Gbk("-"), "-", 2147483647, kAll, kRight, "a-b", "a-b"},
      {"right/huge-count-growing", Gbk("a"), "aa", 2147483647, kAll, kRight, "xa", kUnchanged},
      {"case-sensitive", Gbk("A"), "_", 1, kAll, kLeft, "a-b", kUnchanged},
      {"double-byte-not-split", Gbk("b"), "_", 1, kAll, kLeft,
       "a\xB0"
       "b"_internal,
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
      {"12/one-digit", 12, Gbk("1"), "01"},
      {"12/inside", 12, Gbk("第3课"), Gbk("第03课")},
      {"12/two-digits", 12, Gbk("12"), kUnchanged},
      {"12/three-digits", 12, Gbk("123"), kUnchanged},
      {"99/one-digit", 99, Gbk("7"), "07"},
      {"100/one-digit", 100, Gbk("1"), "001"},
      {"150/two-digits", 150, Gbk("12"), "012"},
      {"150/three-digits", 150, Gbk("123"), kUnchanged},
      {"1000/one-digit", 1000, Gbk("1"), "001"},
      {"1001/nothing", 1001, Gbk("1"), kUnchanged},
      {"no-digit", 12, Gbk("abc"), kUnchanged},
      {"first-run-only", 12, Gbk("a1b2"), "a01b2"},
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
  EXPECT_EQ(ConvertChineseScript(ScriptDirection::TraditionalToSimplified, Gbk("abc.txt")),
            "abc.txt");
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

using C = Control;
using Op = OperationId;

TEST(ReplaceRunTest, EveryButtonThroughTheRun) {
  const OperationRun runs[] = {
      {"replace/after-number/file",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框5, "、"}},
       {},
       {},
       {"01-公司办公文档.doc", "公司办公文档资料-01.doc", "01-a-b.doc"},
       {"01、公司办公文档.doc", "公司办公文档资料-01.doc", "01、a-b.doc"},
       {kConfirm, {"一共有2个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"replace/unlimited/from-right/folder",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框5, "_"}, {C::编辑框16, "2"}},
       {C::单选框8, C::单选框10},
       {C::单选框7, C::单选框9},
       {"a-b-c", "abc"},
       {"a_b_c", "abc"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kNoIcon, kOk}},
       true},
      {"replace/unlimited/from-left/all",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框5, ""}, {C::编辑框16, "-1"}},
       {C::单选框8},
       {C::单选框7},
       {"a-b-c.txt"},
       {"abc.txt"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"replace/extension-untouched",
       Op::ReplaceText,
       {{C::编辑框4, "txt"}, {C::编辑框5, "doc"}},
       {C::单选框8},
       {C::单选框7},
       {"a.txt"},
       {"a.txt"},
       {kConfirm, {"没有任何改动", "没有改动", kInfo, kOk}}},
      {"replace/forbidden-replacement",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框5, "a?b"}},
       {},
       {},
       {"a-b.txt"},
       {"a-b.txt"},
       {{"不能改成这个东西", "", kNoIcon, kOk}}},
      {"replace/count-zero",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框16, "0"}},
       {},
       {},
       {"a-b.txt"},
       {"a-b.txt"},
       {{"替换次数没写对，请重新再写！", "提醒：", kInfo, kOk}}},
      {"replace/count-not-a-number",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框16, "x"}},
       {},
       {},
       {"a-b.txt"},
       {"a-b.txt"},
       {{"替换次数没写对，请重新再写！", "提醒：", kInfo, kOk}}},
      {"replace/preview/no-notice",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框5, "_"}},
       {},
       {},
       {"1-a.txt", "b.txt"},
       {"1_a.txt", ""},
       {kConfirm},
       false,
       true},
      {"replace/preview/cancel",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框5, "_"}},
       {},
       {},
       {"1-a.txt"},
       {""},
       {kConfirm},
       false,
       true,
       {Answer::Cancel}},
      {"replace/empty-list-after-question",
       Op::ReplaceText,
       {{C::编辑框4, "-"}},
       {},
       {},
       {},
       {},
       {kConfirm, {"列表框是空的！", "提示", kInfo, kOk}}},
      {"zero-fill/file/small-list",
       Op::ZeroFillLeadingNumber,
       {},
       {},
       {},
       {"1.mp4", "第3课.mp4", "12.mp4", "123.mp4"},
       {"01.mp4", "第03课.mp4", "12.mp4", "123.mp4"},
       {kConfirm, {"一共有2个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"zero-fill/folder",
       Op::ZeroFillLeadingNumber,
       {},
       {},
       {},
       {"1", "a"},
       {"01", "a"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}},
       true},
      {"script/to-simplified/file",
       Op::ConvertChineseScript,
       {},
       {},
       {},
       {"國語課.txt", "abc.txt", "a.國"},
       {"国语课.txt", "abc.txt", "a.国"},
       {kConfirm, {"一共有2个文件被改名", "修改成果提示", kNoIcon, kOk}}},
      {"script/to-traditional/folder",
       Op::ConvertChineseScript,
       {},
       {C::单选框16},
       {C::单选框15},
       {"国语课", "abc"},
       {"國語課", "abc"},
       {kConfirm, {"一共有1个文件被改名", "修改成果提示", kNoIcon, kOk}},
       true},
      {"script/preview",
       Op::ConvertChineseScript,
       {},
       {},
       {},
       {"國.txt"},
       {"国.txt"},
       {{"提示：你开启了预览功能，所以没有直接更名，\r\n请看预览区结果，确认无误后点\"确认无误，执"
         "行吧\"！",
         "提示", kInfo, kOk}},
       false,
       true},
  };
  for (const OperationRun& run : runs) Play(run);
}

TEST(ReplaceRunTest, ZeroFillWidthFollowsALargeList) {
  OperationRun run{"zero-fill/150-rows",
                   Op::ZeroFillLeadingNumber,
                   {},
                   {},
                   {},
                   {},
                   {},
                   {kConfirm, {"一共有2个文件将被更名", "修改成果提示", kInfo, kOk}}};
  run.entries = {"1.mp4", "12.mp4", "123.mp4"};
  run.expected = {"001.mp4", "012.mp4", "123.mp4"};
  for (char a = 'a'; a <= 'z'; ++a) {
    for (char b = 'a'; run.entries.size() < 150 && b <= 'z'; ++b) {
      run.entries.push_back(std::string{a, b});
      run.expected.push_back(std::string{a, b});
    }
  }
  Play(run);
}

// A rename never lands on a name that exists: an entry whose new name is
// already taken keeps its name and is not counted.
TEST(ReplaceRunTest, CollidingNamesAreNeverOverwritten) {
  const OperationRun runs[] = {
      {"replace/onto-a-listed-file",
       Op::ReplaceText,
       {{C::编辑框4, "-"}, {C::编辑框5, "_"}},
       {C::单选框8},
       {C::单选框7},
       {"a-b.txt", "a_b.txt"},
       {"a-b.txt", "a_b.txt"},
       {kConfirm, {"没有任何改动", "没有改动", kInfo, kOk}}},
      {"script/two-entries-onto-one",
       Op::ConvertChineseScript,
       {},
       {},
       {},
       {"國.txt", "国.txt", "學.txt"},
       {"國.txt", "国.txt", "学.txt"},
       {kConfirm, {"一共有1个文件被改名", "修改成果提示", kNoIcon, kOk}}},
  };
  for (const OperationRun& run : runs) Play(run);
}

}  // namespace
}  // namespace qm

#include "rename/regex_operations.h"

#include <gtest/gtest.h>

#include "rename/carry_out.h"
#include "rename/operation_runs.h"

namespace qm {
namespace {

constexpr auto C_find = Control::编辑框_正则查找;
constexpr auto C_with = Control::编辑框_正则替换为;

// The button as the replace button works: same checks, question and result.
TEST(RegexReplaceRuns, RunLikeTheReplaceButton) {
  const OperationRun runs[] = {
      {"stem only",
       OperationId::RegexReplace,
       {{C_find, "第(\\d+)课"}, {C_with, "Lesson $1"}},
       {Control::选择框_正则区分大小写},
       {},
       {"第1课 开场.mp4", "第12课 讲解.mp4", "附录.mp4"},
       {"Lesson 1 开场.mp4", "Lesson 12 讲解.mp4", "附录.mp4"},
       {kConfirm, {"一共有2个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"extension left alone",
       OperationId::RegexReplace,
       {{C_find, "mp4"}, {C_with, "x"}},
       {Control::选择框_正则区分大小写},
       {},
       {"mp4 讲解.mp4"},
       {"x 讲解.mp4"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"with the extension",
       OperationId::RegexReplace,
       {{C_find, "\\.MP4$"}, {C_with, ".mp4"}},
       {Control::选择框_正则含扩展名},
       {Control::选择框_正则区分大小写},
       {"a.Mp4", "b.mp4", "c.txt"},
       {"a.mp4", "b.mp4", "c.txt"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"first only",
       OperationId::RegexReplace,
       {{C_find, "\\s+"}, {C_with, "_"}},
       {Control::选择框_正则区分大小写, Control::选择框_正则只换第一个},
       {},
       {"a b c.txt"},
       {"a_b c.txt"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"folder mode takes the whole name",
       OperationId::RegexReplace,
       {{C_find, "\\.v(\\d)"}, {C_with, "-$1"}},
       {Control::选择框_正则区分大小写},
       {},
       {"课程.v2"},
       {"课程-2"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kNoIcon, kOk}},
       /*folder_mode=*/true},
      {"empty pattern",
       OperationId::RegexReplace,
       {{C_with, "x"}},
       {},
       {},
       {"a.txt"},
       {"a.txt"},
       {{"去掉什么？不能为空", "提示", kInfo, kOk}}},
      {"preview",
       OperationId::RegexReplace,
       {{C_find, "(\\d+)"}, {C_with, "EP$1"}},
       {Control::选择框_正则区分大小写},
       {},
       {"1.mp4", "b.mp4"},
       {"EP1.mp4", ""},
       {kConfirm},
       false,
       /*preview=*/true},
  };
  for (const OperationRun& run : runs) Play(run);
}

// A pattern that does not compile stops the run with PCRE2's words and the
// place, and puts the cursor in the field at fault.
TEST(RegexReplaceRuns, BadPatternOrReplacementStopsBeforeAnything) {
  struct Row {
    const char* pattern;
    const char* replacement;
    const char* message;
    Control focused;
  };
  const Row rows[] = {
      {"(第", "x", "正则表达式有误：missing closing parenthesis（第3个字符）", C_find},
      {"(第)", "$2", "“替换为”的写法有误：unknown substring（第3个字符）", C_with},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.pattern);
    RenameWorld world;
    world.AddFiles({Gbk("第1课.mp4")});
    world.form.SetText(C_find, Gbk(row.pattern));
    world.form.SetText(C_with, Gbk(row.replacement));
    RunOperation(OperationId::RegexReplace, world.services);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, Gbk(row.message));
    EXPECT_EQ(world.messages.shown[0].title, Gbk("提示"));
    EXPECT_EQ(world.form.focused, row.focused);
    EXPECT_EQ(world.files.Names(Gbk("/w")), std::vector<GbkText>{Gbk("第1课.mp4")});
  }
}

// Names the expression cannot make keep their names and are listed with
// their reasons, beside the renames the plan refuses.
TEST(RegexReplaceRuns, NamesGivenUpAreListedWithTheirReasons) {
  RenameWorld world;
  const GbkText hostile = GbkText(40, 'a') + "!.txt";
  world.AddFiles({hostile, "fg.txt", "e.txt", "b.txt"});
  world.files.AddFile(Gbk("/w/f.txt"));
  world.form.SetChecked(Control::选择框_正则区分大小写, true);
  world.form.SetText(C_find, Gbk("^(?:(a+)+|e|(f)g)$"));
  world.form.SetText(C_with, Gbk("$2"));
  RunOperation(OperationId::RegexReplace, world.services);

  ASSERT_EQ(world.failures.shown.size(), 1u);
  const std::vector<FailedRename> expected = {
      {hostile, "", Gbk("正则表达式太复杂，放弃了这个名字")},
      {"e.txt", "", FailureText({RenameReason::Invalid, {}})},
      {"fg.txt", "f.txt", FailureText({RenameReason::Exists, {}})},
  };
  EXPECT_EQ(world.failures.shown[0].rows, expected);
  std::vector<GbkText> names = world.files.Names(Gbk("/w"));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<GbkText>{hostile, "b.txt", "e.txt", "f.txt", "fg.txt"}));
}

}  // namespace
}  // namespace qm

#include "rename/delete_operations.h"

#include <gtest/gtest.h>

#include "fakes/fake_form.h"
#include "rename/operation_runs.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr auto kFirst = Occurrence::First;
constexpr auto kLast = Occurrence::Last;
const std::optional<GbkText> kUnchanged = std::nullopt;

TEST(DeleteBetweenMarkersTest, StemAndFolderNameTransforms) {
  struct Row {
    const char* name;
    bool folder;
    GbkText marker1;
    Occurrence occurrence1;
    GbkText marker2;
    Occurrence occurrence2;
    bool keep;
    GbkText text;
    std::optional<GbkText> expected;
  };
  const Row rows[] = {
      {"file/first-first/markers-deleted", false, Gbk("("), kFirst, ")", kFirst, false, "a(b)c(d)",
       "ac(d)"},
      {"file/first-last/markers-deleted", false, Gbk("("), kFirst, ")", kLast, false, "a(b)c(d)",
       "a"},
      {"file/last-last/markers-deleted", false, Gbk("("), kLast, ")", kLast, false, "a(b)c(d)",
       "a(b)c"},
      {"file/last-first/markers-deleted", false, Gbk("("), kLast, ")", kFirst, false, "a(b)c(d)",
       "a(b)c"},
      {"file/first-first/markers-kept", false, Gbk("("), kFirst, ")", kFirst, true, "a(b)c(d)",
       "a()c(d)"},
      {"file/wrong-order", false, Gbk("("), kFirst, ")", kFirst, false, "a)b(c", kUnchanged},
      {"file/same-marker/deleted", false, Gbk("-"), kFirst, "-", kFirst, false, "a-b-c", "ac"},
      {"file/same-marker/kept", false, Gbk("-"), kFirst, "-", kFirst, true, "a-b-c", "a--c"},
      {"file/same-marker/single", false, Gbk("-"), kFirst, "-", kFirst, false, "a-b", kUnchanged},
      {"file/marker-missing", false, Gbk("["), kFirst, "]", kFirst, false, "a(b)", kUnchanged},
      {"file/last-first/brackets", false, Gbk("["), kLast, "]", kFirst, false, "x[1]y[2]z",
       "x[1]yz"},
      // Both last: marker 1 must end before the last marker 2.
      {"file/last-last/marker1-after", false, Gbk("("), kLast, ")", kLast, false, ")a(",
       kUnchanged},
      {"file/first-last/marker2-before", false, Gbk("("), kFirst, ")", kLast, false, ")a(",
       kUnchanged},
      {"file/double-byte", false, Gbk("【"), kFirst, Gbk("】"), kFirst, false, Gbk("课【高清】一"),
       Gbk("课一")},
      {"folder/first-first/markers-deleted", true, Gbk("("), kFirst, ")", kFirst, false, "a(b)c(d)",
       "ac(d)"},
      {"folder/first-first/markers-kept", true, Gbk("("), kFirst, ")", kFirst, true, "a(b)c(d)",
       "a()c(d)"},
      {"folder/first-last/markers-deleted", true, Gbk("("), kFirst, ")", kLast, false, "a(b)c(d)",
       "a"},
      {"folder/marker2-first-before-marker1", true, Gbk("("), kFirst, ")", kFirst, false, ")a(b",
       kUnchanged},
      // The same occurrence cannot be both markers.
      {"folder/same-marker", true, Gbk("-"), kFirst, "-", kFirst, false, "a-b-c", kUnchanged},
      {"folder/adjacent/kept", true, Gbk("("), kFirst, ")", kFirst, true, "a()b", "a()b"},
      // The content is cut where it lies, not where its text first appears.
      {"folder/content-repeats-marker", true, Gbk("ab"), kFirst, ")", kFirst, true, "ababa)",
       "ab)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MarkerPair markers{row.marker1, row.occurrence1, row.marker2, row.occurrence2, row.keep};
    auto result = row.folder ? DeleteBetweenMarkersInName(markers, row.text)
                             : DeleteBetweenMarkersInStem(markers, row.text);
    EXPECT_EQ(result, row.expected);
  }
}

TEST(DeleteBeforeAfterTest, KeepTheRightSideOfTheText) {
  struct Row {
    const char* name;
    bool before;
    std::optional<Occurrence> occurrence;
    bool delete_text;
    const char* text;
    std::optional<GbkText> expected;
  };
  const Row rows[] = {
      {"before/first/text-kept", true, kFirst, false, "a-b-c", Gbk("-b-c")},
      {"before/first/text-deleted", true, kFirst, true, "a-b-c", Gbk("b-c")},
      {"before/last/text-deleted", true, kLast, true, "a-b-c", Gbk("c")},
      {"before/not-found", true, kFirst, false, "abc", kUnchanged},
      {"before/no-radio", true, std::nullopt, false, "a-b-c", kUnchanged},
      {"before/at-start", true, kFirst, false, "-abc", Gbk("-abc")},
      {"after/last/text-kept", false, kLast, false, "a-b-c", Gbk("a-b-")},
      {"after/last/text-deleted", false, kLast, true, "a-b-c", Gbk("a-b")},
      {"after/first/text-deleted", false, kFirst, true, "a-b-c", Gbk("a")},
      {"after/not-found", false, kLast, false, "abc", kUnchanged},
      {"after/no-radio", false, std::nullopt, true, "a-b-c", kUnchanged},
      // The whole name would go: the run leaves an empty result alone.
      {"after/at-start/text-deleted", false, kFirst, true, "-abc", Gbk("")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AnchoredDeletion deletion{Gbk("-"), row.occurrence, row.delete_text};
    auto result = row.before ? DeleteBefore(deletion, row.text) : DeleteAfter(deletion, row.text);
    EXPECT_EQ(result, row.expected);
  }
}

TEST(DeleteNTimesTest, DeletesFromTheChosenEnd) {
  constexpr auto kLeft = DeleteDirection::LeftToRight;
  constexpr auto kRight = DeleteDirection::RightToLeft;
  struct Row {
    const char* name;
    const char* part;
    int times;
    DeleteDirection direction;
    GbkText text;
    std::optional<GbkText> expected;
  };
  const Row rows[] = {
      {"left/once", "a", 1, kLeft, "banana", Gbk("bnana")},
      {"left/twice", "a", 2, kLeft, "banana", Gbk("bnna")},
      {"left/more-than-there-are", "a", 5, kLeft, "banana", Gbk("bnn")},
      {"right/once", "a", 1, kRight, "banana", Gbk("banan")},
      {"right/twice", "a", 2, kRight, "banana", Gbk("bann")},
      {"right/more-than-there-are", "a", 2147483647, kRight, "banana", Gbk("bnn")},
      {"negative-count-keeps-name", "a", -3, kLeft, "banana", Gbk("banana")},
      {"not-found", "x", 1, kLeft, "banana", kUnchanged},
      {"double-byte-not-split", "b", 1, kLeft,
       "a\xB0"
       "b"_internal,
       kUnchanged},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DeleteNTimes(row.part, row.times, row.direction, row.text), row.expected);
  }
}

TEST(DeleteSequenceNumberTest, RemovesTheFirstDigitRunWithinTheLimit) {
  const GbkText early = Gbk("初级教程02如何设置关闭windows defender的第10个步骤");
  const GbkText late = Gbk("初级教程如何设置关闭windows defender的第10个步骤");
  struct Row {
    const char* name;
    std::optional<int> limit;
    GbkText text;
    std::optional<GbkText> expected;
  };
  const Row rows[] = {
      {"limit/number-within", 10, early, Gbk("初级教程如何设置关闭windows defender的第10个步骤")},
      {"limit/number-beyond", 10, late, kUnchanged},
      {"no-limit/early", std::nullopt, early,
       Gbk("初级教程如何设置关闭windows defender的第10个步骤")},
      {"no-limit/late", std::nullopt, late, Gbk("初级教程如何设置关闭windows defender的第个步骤")},
      {"limit/at-start-byte", 9, early, Gbk("初级教程如何设置关闭windows defender的第10个步骤")},
      {"limit/one-short", 8, early, kUnchanged},
      {"limit-not-a-number", 0, Gbk("01 a"), kUnchanged},
      {"middle", std::nullopt, Gbk("第3课"), Gbk("第课")},
      {"space-kept", std::nullopt, Gbk("12 abc 34"), " abc 34"},
      {"all-digits", std::nullopt, Gbk("01"), ""},
      {"no-digit", std::nullopt, Gbk("abc"), kUnchanged},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DeleteSequenceNumber(row.limit, row.text), row.expected);
  }
}

TEST(SymbolConversionTest, SelectingAnItemConvertsTheThreeFields) {
  struct Row {
    const char* name;
    const char* item;
    GbkText typed;
    GbkText expected;
  };
  const Row rows[] = {
      {"to-full-width", "中文符号", Gbk("a(1),[2]."), Gbk("a（1），【2】。")},
      {"to-half-width", "英文符号", Gbk("（，。【】）"), Gbk("(,.[])")},
      {"bilibili-brackets-half-width", "B站括号", Gbk("（x）"), Gbk("(x)")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeForm form;
    for (const char* item : {"英文符号", "中文符号", "B站括号"}) {
      form.AddComboItem(Control::组合框1, Gbk(item));
    }
    for (Control field : {Control::编辑框1, Control::编辑框2, Control::编辑框3}) {
      form.SetText(field, row.typed);
    }
    form.SetText(Control::编辑框4, row.typed);
    for (int i = 0; i < form.ComboCount(Control::组合框1); ++i) {
      if (form.ComboItem(Control::组合框1, i) == Gbk(row.item))
        form.SelectItem(Control::组合框1, i);
    }
    SymbolStyleSelected(form);
    for (Control field : {Control::编辑框1, Control::编辑框2, Control::编辑框3}) {
      EXPECT_EQ(form.Text(field), row.expected);
    }
    EXPECT_EQ(form.Text(Control::编辑框4), row.typed);  // other fields are not touched
  }
}

TEST(OccurrenceBoxTest, CheckingOneBoxUnchecksItsPartnerOnly) {
  FakeForm form;
  form.SetChecked(Control::选择框_1头, true);
  form.SetChecked(Control::选择框_2头, true);

  form.SetChecked(Control::选择框_1尾, true);  // the user's click has already toggled it
  EXPECT_TRUE(OccurrenceBoxClicked(form, Control::选择框_1尾));
  EXPECT_FALSE(form.IsChecked(Control::选择框_1头));
  EXPECT_TRUE(form.IsChecked(Control::选择框_2头));

  form.SetChecked(Control::选择框_1尾, false);  // unchecking leaves the pair empty
  OccurrenceBoxClicked(form, Control::选择框_1尾);
  EXPECT_FALSE(form.IsChecked(Control::选择框_1头));
  EXPECT_FALSE(form.IsChecked(Control::选择框_1尾));

  form.SetChecked(Control::选择框_2尾, true);
  OccurrenceBoxClicked(form, Control::选择框_2尾);
  EXPECT_FALSE(form.IsChecked(Control::选择框_2头));
  form.SetChecked(Control::选择框_2头, true);
  OccurrenceBoxClicked(form, Control::选择框_2头);
  EXPECT_FALSE(form.IsChecked(Control::选择框_2尾));

  EXPECT_FALSE(OccurrenceBoxClicked(form, Control::选择框6));
}

using C = Control;
using Op = OperationId;
TEST(DeleteRunTest, EveryButtonThroughTheRun) {
  const OperationRun runs[] = {
      {"between/file/first-first/markers-deleted",
       Op::DeleteBetweenMarkers,
       {{C::编辑框2, "("}, {C::编辑框3, ")"}},
       {},
       {},
       {"a(b)c.txt", "x.txt", "(1)(2).mp4"},
       {"ac.txt", "x.txt", "(2).mp4"},
       {{"一共有2个文件将被更名", "确定改名吗？", kInfo, kAsk},
        {"一共有2个文件被改名", "修改成果提示", kInfo, kOk}}},
      {"between/file/last-last/markers-kept",
       Op::DeleteBetweenMarkers,
       {{C::编辑框2, "("}, {C::编辑框3, ")"}},
       {C::选择框_1尾, C::选择框_2尾},
       {C::选择框_1头, C::选择框_2头, C::选择框6},
       {"a(b)c(d).txt"},
       {"a(b)c().txt"},
       {{"一共有1个文件将被更名", "确定改名吗？", kInfo, kAsk},
        {"一共有1个文件被改名", "修改成果提示", kInfo, kOk}}},
      {"between/file/none-found",
       Op::DeleteBetweenMarkers,
       {{C::编辑框2, "("}, {C::编辑框3, ")"}},
       {},
       {},
       {"abc.txt", ")x(.txt"},
       {"abc.txt", ")x(.txt"},
       {{"找不到需要改的文件名", "提示", kNoIcon, kOk}}},
      {"between/file/cancel",
       Op::DeleteBetweenMarkers,
       {{C::编辑框2, "("}, {C::编辑框3, ")"}},
       {},
       {},
       {"a(b).txt"},
       {"a(b).txt"},
       {{"一共有1个文件将被更名", "确定改名吗？", kInfo, kAsk}},
       false,
       false,
       {Answer::Cancel}},
      {"between/file/preview",
       Op::DeleteBetweenMarkers,
       {{C::编辑框2, "("}, {C::编辑框3, ")"}},
       {},
       {},
       {"a(b).txt", "c.txt"},
       {"a.txt", ""},
       {kPreviewNotice},
       false,
       true},
      {"between/folder/scan",
       Op::DeleteBetweenMarkers,
       {{C::编辑框2, "("}, {C::编辑框3, ")"}},
       {},
       {},
       {"a(b)c", "(x)y", ")z("},
       {"ac", "y", ")z("},
       {{"总共有2个需要改名", "确定改名吗？", kInfo, kAsk},
        {"一共有2个文件将被更名", "修改成果提示", kNoIcon, kOk}},
       true},
      {"before/first/text-kept",
       Op::DeleteBefore,
       {{C::编辑框8, "-"}},
       {},
       {},
       {"a-b-c.txt", "abc.txt"},
       {"-b-c.txt", "abc.txt"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"before/typed-text-untrimmed",
       Op::DeleteBefore,
       {{C::编辑框8, " -"}},
       {},
       {},
       {"a -b.txt", "a-b.txt"},
       {" -b.txt", "a-b.txt"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"before/folder/last/text-deleted",
       Op::DeleteBefore,
       {{C::编辑框8, "-"}},
       {C::单选框12, C::选择框3},
       {C::单选框11},
       {"a-b-c"},
       {"c"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}},
       true},
      {"after/last/text-kept",
       Op::DeleteAfter,
       {{C::编辑框9, "-"}},
       {},
       {},
       {"a-b-c.txt"},
       {"a-b-.txt"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"after/first/whole-stem-would-go",
       Op::DeleteAfter,
       {{C::编辑框9, "-"}},
       {C::单选框1, C::选择框4},
       {C::单选框2},
       {"-abc.txt"},
       {"-abc.txt"},
       {kConfirm, kNoChange}},
      {"n-times/left/count-2",
       Op::DeleteNTimes,
       {{C::编辑框1, "a"}, {C::编辑框10, "2"}},
       {},
       {},
       {"banana.txt", "xyz.txt"},
       {"bnna.txt", "xyz.txt"},
       {{"一共有1个文件将被更名", "请确认", kInfo, kAsk},
        {"删掉了1个", "修改成果提示", kNoIcon, kOk}}},
      {"n-times/right/count-2",
       Op::DeleteNTimes,
       {{C::编辑框1, "a"}, {C::编辑框10, "2"}},
       {C::单选框14},
       {C::单选框13},
       {"banana.txt"},
       {"bann.txt"},
       {{"一共有1个文件将被更名", "请确认", kInfo, kAsk},
        {"删掉了1个", "修改成果提示", kNoIcon, kOk}}},
      {"n-times/file/count-not-a-number",
       Op::DeleteNTimes,
       {{C::编辑框1, "a"}, {C::编辑框10, "x"}},
       {},
       {},
       {"banana.txt"},
       {"banana.txt"},
       {{"一共有1个文件将被更名", "请确认", kInfo, kAsk},
        {"输入的不是纯数字", "提示", kInfo, kOk},
        kNoChangeQuiet}},
      {"n-times/folder/count-not-a-number",
       Op::DeleteNTimes,
       {{C::编辑框1, "a"}, {C::编辑框10, "0"}},
       {},
       {},
       {"banana"},
       {"banana"},
       {{"一共有1个文件将被更名", "请确认", kInfo, kAsk}, kNoChangeQuiet},
       true},
      {"n-times/file/none-found",
       Op::DeleteNTimes,
       {{C::编辑框1, "q"}},
       {},
       {},
       {"banana.txt"},
       {"banana.txt"},
       {{"找不到需要改的文件名", "提示", kInfo, kOk}}},
      {"n-times/folder/none-found",
       Op::DeleteNTimes,
       {{C::编辑框1, "q"}},
       {},
       {},
       {"banana"},
       {"banana"},
       {{"没有东西可以改", "没有改动", kInfo, kOk}},
       true},
      {"n-times/folder/scan",
       Op::DeleteNTimes,
       {{C::编辑框1, "a"}},
       {},
       {},
       {"banana", "xyz"},
       {"bnana", "xyz"},
       {{"一共有1个文件将被更名", "请确认", kInfo, kAsk},
        {"一共有1个文件被改名", "修改成果提示", kNoIcon, kOk}},
       true},
      {"number/file/bare-extension",
       Op::DeleteSequenceNumber,
       {},
       {},
       {},
       {"01.mp3", "第3课.mp4", "abc.txt", "02"},
       {".mp3", "第课.mp4", "abc.txt", "02"},
       {{"将直接更名，确定吗？", "提示", kInfo, kAsk}}},
      {"number/file/byte-limit",
       Op::DeleteSequenceNumber,
       {{C::编辑框15, "10"}},
       {},
       {},
       {"初级教程02如何设置关闭windows defender的第10个步骤.txt",
        "初级教程如何设置关闭windows defender的第10个步骤b.txt"},
       {"初级教程如何设置关闭windows defender的第10个步骤.txt",
        "初级教程如何设置关闭windows defender的第10个步骤b.txt"},
       {{"将直接更名，确定吗？", "提示", kInfo, kAsk}}},
      {"number/folder/all-digits-kept",
       Op::DeleteSequenceNumber,
       {},
       {},
       {},
       {"01", "a1"},
       {"01", "a"},
       {{"将直接更名，确定吗？", "提示", kInfo, kAsk}},
       true},
      {"number/preview",
       Op::DeleteSequenceNumber,
       {},
       {},
       {},
       {"01.mp3"},
       {".mp3"},
       {kPreviewNotice},
       false,
       true},
  };
  for (const OperationRun& run : runs) Play(run);
}

// A rename never lands on a name that exists: the second entry that would
// take the same name, and an entry whose new name is already a file, keep
// their names and are not counted.
TEST(DeleteRunTest, CollidingNamesAreNeverOverwritten) {
  const OperationRun runs[] = {
      {"two-entries-onto-one",
       Op::DeleteAfter,
       {{C::编辑框9, "-"}},
       {C::选择框4},
       {},
       {"x-1.txt", "x-2.txt"},
       {"x.txt", "x-2.txt"},
       {kConfirm, {"一共有1个文件将被更名", "修改成果提示", kInfo, kOk}}},
      {"onto-an-unlisted-file",
       Op::DeleteNTimes,
       {{C::编辑框1, "-"}},
       {},
       {},
       {"a-.txt"},
       {"a-.txt"},
       {{"一共有1个文件将被更名", "请确认", kInfo, kAsk}, kNoChangeQuiet},
       false,
       false,
       {},
       {"a.txt"}},
  };
  for (const OperationRun& run : runs) Play(run);
}

}  // namespace
}  // namespace qm

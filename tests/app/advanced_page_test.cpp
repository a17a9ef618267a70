#include <gtest/gtest.h>
#include <sys/time.h>
#include <time.h>

#include <QComboBox>
#include <QLineEdit>

#include "window_over_folder.h"

namespace qm {
namespace {

using AdvancedPageTest = WindowOverFolder;

// Sets a file's modification time to noon of a day, local time.
void SetModified(const fs::path& path, int year, int month, int day) {
  struct tm local {};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = 12;
  local.tm_isdst = -1;
  const time_t when = mktime(&local);
  const struct timeval times[2] = {{when, 0}, {when, 0}};
  ASSERT_EQ(utimes(path.c_str(), times), 0);
}

// The template is typed, a field picked from the list lands at the cursor,
// the files are read and renamed; a file lacking a field is listed.
TEST_F(AdvancedPageTest, NamesFromFileInformation) {
  Load({"a.txt", "b.txt"});
  SetModified(folder_ / "a.txt", 2020, 6, 15);
  SetModified(folder_ / "b.txt", 2021, 1, 2);

  Find<QLineEdit>(Control::编辑框_信息模板)->clear();
  Type(Control::编辑框_信息模板, "_");
  PressKey(Qt::Key_Home);
  auto* fields = Find<QComboBox>(Control::组合框_信息字段);
  const int modified = fields->findText(QString::fromUtf8("{修改日期}"));
  ASSERT_GE(modified, 0);
  fields->setCurrentIndex(modified);
  emit fields->activated(modified);  // as a pick from the open list sends it
  Find<QLineEdit>(Control::编辑框_信息模板)->end(false);
  TypeKeys(QString::fromUtf8("x"));
  EXPECT_EQ(Find<QLineEdit>(Control::编辑框_信息模板)->text().toStdString(), "{修改日期}_x");

  Find<QLineEdit>(Control::编辑框_日期格式)->clear();
  Type(Control::编辑框_日期格式, "yyyyMMdd");
  Click(Control::按钮_按信息命名);
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"20200615_x.txt", "20210102_x.txt"}));

  // A text file has no title: it keeps its name and says why.
  Find<QLineEdit>(Control::编辑框_信息模板)->clear();
  Type(Control::编辑框_信息模板, "{标题}");
  Click(Control::按钮_按信息命名);
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"20200615_x.txt", "20210102_x.txt"}));
  ASSERT_EQ(failures_.shown.size(), 1u);
  EXPECT_EQ(failures_.shown[0].rows.size(), 2u);
  EXPECT_EQ(failures_.shown[0].rows[0].reason, Gbk("没有标题"));
}

// The combos are stepped with the keyboard; the button converts.
TEST_F(AdvancedPageTest, ChineseNamesToPinyin) {
  Load({"第3课 重庆银行.mp4", "readme.txt"});
  FocusControl(Find(Control::组合框_拼音分隔));
  PressKey(Qt::Key_Down);  // 空格
  PressKey(Qt::Key_Down);  // _
  FocusControl(Find(Control::组合框_拼音大小写));
  PressKey(Qt::Key_Down);  // 首字母大写
  Click(Control::按钮_转拼音);
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"Di_3_Ke Chong_Qing_Yin_Hang.mp4", "readme.txt"}));
}

// With the preview open: picking a style shows its draft, the button writes
// it, the commit renames; the same for a template of file information.
TEST_F(AdvancedPageTest, BothGroupsPreviewAndDraftWithThePreviewOpen) {
  Load({"音乐.mp3", "x.txt"});
  SetModified(folder_ / "x.txt", 2022, 3, 4);
  Click(Control::按钮_打开预览);

  FocusControl(Find(Control::组合框_拼音声调));
  PressKey(Qt::Key_Down);  // 声调符号
  // The list shows x.txt first, in the folder's name order.
  ASSERT_TRUE(WaitFor([&] { return HasDraft() && Shown()[1] == "yīnyuè.mp3"; }));
  EXPECT_EQ(Count(), "将改名1个，其中0个预计失败");
  Click(Control::按钮_转拼音);
  EXPECT_FALSE(HasDraft());
  EXPECT_EQ(window_.list().Cell(1, 1), Gbk("yīnyuè.mp3"));

  Find<QLineEdit>(Control::编辑框_信息模板)->clear();
  Type(Control::编辑框_信息模板, "{修改日期}");
  ASSERT_TRUE(WaitFor([&] { return HasDraft() && Shown()[0] == "2022-03-04.txt"; }));
  // The song has a modification date too; its pinyin preview gives way.
  Click(Control::按钮_按信息命名);
  EXPECT_EQ(window_.list().Cell(0, 1), Gbk("2022-03-04.txt"));
  Click(Control::按钮_确认无误执行吧);
  EXPECT_EQ(OnDisk().count("2022-03-04.txt"), 1u);
  EXPECT_EQ(OnDisk().count("x.txt"), 0u);
}

}  // namespace
}  // namespace qm

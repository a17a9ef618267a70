#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "app/draft_preview.h"
#include "app/main_window.h"
#include "fakes/fake_failure_list.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "keyboard.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"
#include "window_over_folder.h"

namespace qm {
namespace {

using LivePreviewTest = WindowOverFolder;

// Typing in the replace fields shows the draft, apart from written names and
// with a count; the button writes exactly it; nothing asks while typing.
TEST_F(LivePreviewTest, TypingShowsADraftThatTheButtonMakesReal) {
  Load({"第1课.mp4", "第2课.mp4", "附录.mp4"});
  Click(Control::按钮_打开预览);
  window_.form().ShowTabPage(1);
  Click(Control::单选框8);  // 不限制
  Type(Control::编辑框4, "课");
  Type(Control::编辑框5, "讲");

  ASSERT_TRUE(WaitFor([&] { return HasDraft() && Shown()[1] == "第2讲.mp4"; }));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"第1讲.mp4", "第2讲.mp4", ""}));
  EXPECT_TRUE(Model().index(0, 1).data(Qt::FontRole).value<QFont>().italic());
  EXPECT_TRUE(window_.list().Cell(0, 1).empty());  // a draft, not written
  EXPECT_TRUE(CountShown());
  EXPECT_EQ(Count(), "将改名2个，其中0个预计失败");
  EXPECT_TRUE(messages_.shown.empty());

  Click(Control::按钮_替换);
  EXPECT_EQ(window_.list().Cell(0, 1), Gbk("第1讲.mp4"));
  EXPECT_EQ(window_.list().Cell(1, 1), Gbk("第2讲.mp4"));
  EXPECT_FALSE(HasDraft());
  EXPECT_FALSE(CountShown());
  EXPECT_FALSE(Model().index(0, 1).data(Qt::FontRole).isValid());
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"第1课.mp4", "第2课.mp4", "附录.mp4"}));
}

// Rows that would fail are marked in the draft and counted.
TEST_F(LivePreviewTest, TheDraftMarksRowsThatWouldFail) {
  Load({"a1.txt", "a2.txt"});
  std::ofstream(folder_ / "b2.txt") << "not listed";
  Click(Control::按钮_打开预览);
  Type(Control::编辑框_正则查找, "^a");
  Type(Control::编辑框_正则替换为, "b");

  ASSERT_TRUE(WaitFor([&] { return HasDraft() && Shown()[1] == "b2.txt"; }));
  EXPECT_EQ(Count(), "将改名2个，其中1个预计失败");
  EXPECT_FALSE(Model().index(0, 1).data(Qt::ForegroundRole).value<QBrush>().color() ==
               QColor(0xB0, 0x1E, 0x1E));
  EXPECT_EQ(Model().index(1, 1).data(Qt::ForegroundRole).value<QBrush>().color(),
            QColor(0xB0, 0x1E, 0x1E));
  EXPECT_TRUE(messages_.shown.empty());
}

// Another operation's input replaces the draft; closing the preview drops it.
TEST_F(LivePreviewTest, AnotherOperationReplacesTheDraftAndClosingDropsIt) {
  Load({"x.txt"});
  Click(Control::按钮_打开预览);
  Type(Control::编辑框_正则查找, "x");
  Type(Control::编辑框_正则替换为, "y");
  ASSERT_TRUE(WaitFor([&] { return HasDraft() && Shown()[0] == "y.txt"; }));

  Type(Control::编辑框6, "新");  // 最前面加
  ASSERT_TRUE(WaitFor([&] { return Shown()[0] == "新x.txt"; }));
  EXPECT_TRUE(HasDraft());

  Click(Control::按钮_打开预览);  // closes it
  EXPECT_FALSE(HasDraft());
  EXPECT_FALSE(CountShown());
  Type(Control::编辑框6, "再");
  Settle();
  EXPECT_FALSE(HasDraft());
  EXPECT_TRUE(messages_.shown.empty());
}

// Input the button would refuse shows no draft and no box; a pattern that
// does not compile says why beside its field.
TEST_F(LivePreviewTest, RefusedInputShowsNoDraftAndABadPatternSaysWhyInPlace) {
  Load({"第1课.mp4"});
  Click(Control::按钮_打开预览);
  Type(Control::编辑框_正则查找, "(第");
  Settle();
  EXPECT_FALSE(HasDraft());
  EXPECT_TRUE(messages_.shown.empty());
  const std::string error = Find<QLabel>(Control::透明标签_正则错误)->text().toStdString();
  EXPECT_EQ(error.rfind("正则表达式有误：", 0), 0u) << error;

  PressKey(Qt::Key_Backspace);
  PressKey(Qt::Key_Backspace);
  EXPECT_TRUE(Find<QLabel>(Control::透明标签_正则错误)->text().isEmpty());
  // An empty pattern is refused by the button: still no draft, still no box.
  Settle();
  EXPECT_FALSE(HasDraft());
  EXPECT_TRUE(messages_.shown.empty());
}

// The regex button with the preview closed renames; a bad pattern stops it
// with a box and puts the cursor back in the pattern.
TEST_F(LivePreviewTest, TheRegexButtonRenamesOrSaysWhatIsWrong) {
  Load({"第1课 开场.mp4", "第12课 讲解.mp4"});
  Type(Control::编辑框_正则查找, "(第");
  Click(Control::按钮_正则替换);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text,
            Gbk("正则表达式有误：missing closing parenthesis（第3个字符）"));
  EXPECT_EQ(QApplication::focusWidget(), Find(Control::编辑框_正则查找));

  messages_.shown.clear();
  Find<QLineEdit>(Control::编辑框_正则查找)->clear();
  Type(Control::编辑框_正则查找, "第(\\d+)课");
  Type(Control::编辑框_正则替换为, "Lesson $1");
  Click(Control::按钮_正则替换);
  EXPECT_EQ(messages_.Texts(),
            (std::vector<GbkText>{Gbk("确定更名吗？"), Gbk("一共有2个文件将被更名")}));
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"Lesson 1 开场.mp4", "Lesson 12 讲解.mp4"}));
}

// With the preview open the regex button writes the preview column, and
// the commit renames.
TEST_F(LivePreviewTest, TheRegexButtonPreviewsWhenThePreviewIsOpen) {
  Load({"IMG_0001.JPG", "IMG_0002.JPG", "notes.txt"});
  Click(Control::按钮_打开预览);
  Type(Control::编辑框_正则查找, "^img_(\\d+)$");
  Type(Control::编辑框_正则替换为, "照片$1");
  Click(Control::选择框_正则区分大小写);  // off: IMG matches img
  Click(Control::按钮_正则替换);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"照片0001.JPG", "照片0002.JPG", ""}));
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"IMG_0001.JPG", "IMG_0002.JPG", "notes.txt"}));

  Click(Control::按钮_确认无误执行吧);
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"照片0001.JPG", "照片0002.JPG", "notes.txt"}));
}

}  // namespace
}  // namespace qm

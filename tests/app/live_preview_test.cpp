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

namespace qm {
namespace {

namespace fs = std::filesystem;

// The real main window over a real temporary folder; keys go to the focus
// widget and buttons are clicked, as a user does.
class LivePreviewTest : public ::testing::Test {
 protected:
  LivePreviewTest()
      : window_(undo_, {.messages = &messages_, .windows = &windows_, .failures = &failures_}) {
    std::string pattern = (fs::temp_directory_path() / "qm_draft_XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
  }
  ~LivePreviewTest() override { fs::remove_all(folder_); }

  void Load(const std::vector<std::string>& names) {
    for (const std::string& name : names) std::ofstream(folder_ / name) << name;
    windows_.chosen_folder = Gbk(folder_.string());
    Click(Control::按钮_手动读取);
    ASSERT_EQ(window_.list().RowCount(), static_cast<int>(names.size()));
  }
  template <class Widget = QWidget>
  Widget* Find(Control control) {
    return window_.findChild<Widget*>(QString::fromUtf8(ControlName(control)));
  }
  void Click(Control control) { Find<QAbstractButton>(control)->click(); }
  void Type(Control field, const char* text) {
    FocusControl(Find(field));
    TypeKeys(QString::fromUtf8(text));
  }
  static bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(2);
    }
    return done();
  }
  TextTableModel& Model() { return window_.list().Model(); }
  bool HasDraft() { return Model().HasDraft(); }
  // Long enough for a draft to come, were one coming.
  void Settle() {
    WaitFor([] { return false; }, 3 * DraftPreview::kQuietMs);
  }
  std::string Count() { return Find<QLabel>(Control::透明标签_草稿)->text().toStdString(); }
  bool CountShown() { return Find<QLabel>(Control::透明标签_草稿)->isVisible(); }
  // Column 1 as the user sees it.
  std::vector<std::string> Shown() {
    std::vector<std::string> shown;
    for (int row = 0; row < Model().rowCount(); ++row) {
      shown.push_back(Model().index(row, 1).data().toString().toStdString());
    }
    return shown;
  }
  std::set<std::string> OnDisk() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeWindowSystem windows_;
  FakeFailureList failures_;
  MainWindow window_;
  fs::path folder_;
};

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

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "fakes/fake_failure_list.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "keyboard.h"
#include "platform/form.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

// A real folder on disk, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "qm_buttons_XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchFolder() { fs::remove_all(path_); }
  void Add(const std::string& name, bool folder) {
    if (folder) {
      fs::create_directory(path_ / name);
    } else {
      std::ofstream(path_ / name) << name;
    }
  }
  // The names on disk, in the internal encoding, sorted.
  std::vector<GbkText> Names() const {
    std::vector<GbkText> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(Gbk(entry.path().filename().string()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Content(const std::string& name) const {
    std::ifstream in(path_ / name);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string path() const { return path_.string(); }

 private:
  fs::path path_;
};

// Sorted in the internal encoding, like the names read back.
std::vector<GbkText> Sorted(const std::vector<const char*>& utf8) {
  std::vector<GbkText> texts;
  for (const char* text : utf8) texts.push_back(Gbk(text));
  std::sort(texts.begin(), texts.end());
  return texts;
}

// The real main window over a real folder, its message boxes answered OK.
class Buttons {
 public:
  Buttons()
      : window_(undo_, {.messages = &messages_, .windows = &windows_, .failures = &failures_}) {}

  // Reads the folder into the list the way the user does, in files (0) or folders (1) mode.
  void Read(const ScratchFolder& folder, int mode) {
    window_.form().SetComboIndex(Control::组合框2, mode);
    windows_.chosen_folder = Gbk(folder.path());
    Click(Control::按钮_手动读取);
  }
  template <class W = QWidget>
  W* Find(Control control) {
    return window_.findChild<W*>(QString::fromUtf8(ControlName(control)));
  }
  void Click(Control control) { Find<QAbstractButton>(control)->click(); }
  void Enter(Control edit, const char* text) {
    Find<QLineEdit>(edit)->setText(QString::fromUtf8(text));
  }
  // Key by key into a combo, as typed.
  void Type(Control combo, const char* text) {
    FocusControl(Find<QComboBox>(combo));
    TypeKeys(QString::fromUtf8(text));
  }
  void Pick(Control combo, int index) { window_.form().SetComboIndex(combo, index); }
  // A column of the list, sorted: a folder scan delivers no fixed order.
  std::vector<GbkText> Column(int column) {
    std::vector<GbkText> cells;
    for (int row = 0; row < window_.list().RowCount(); ++row) {
      cells.push_back(window_.list().Cell(row, column));
    }
    std::sort(cells.begin(), cells.end());
    return cells;
  }
  std::vector<std::pair<GbkText, GbkText>> Shown() const {
    std::vector<std::pair<GbkText, GbkText>> shown;
    for (const auto& message : messages_.shown) shown.emplace_back(message.text, message.title);
    return shown;
  }
  Form& form() { return window_.form(); }
  ScriptedMessages& messages() { return messages_; }
  FakeFailureList& failures() { return failures_; }

 private:
  UndoHistory undo_;
  ScriptedMessages messages_;
  FakeFailureList failures_;
  FakeWindowSystem windows_;
  MainWindow window_;
};

// stem + "(Av" + nine digits + ",P" + position + ")" + extension.
bool IsTagged(const GbkText& name, const GbkText& stem, const std::string& position,
              const std::string& extension) {
  const GbkText head = stem + "(Av";
  const GbkText tail = GbkText(",P" + position + ")" + extension);
  if (name.size() != head.size() + 9 + tail.size()) return false;
  if (name.compare(0, head.size(), head) != 0 || !name.ends_with(tail)) return false;
  return std::all_of(name.begin() + head.size(), name.begin() + head.size() + 9,
                     [](char c) { return c >= '0' && c <= '9'; });
}

std::pair<GbkText, GbkText> Message(const char* text, const char* title) {
  return {Gbk(text), Gbk(title)};
}

TEST(RenameButtons, EachButtonRenamesTheRealFolderAsItsInputsSay) {
  const auto question = Message("确定更名吗？", "提示");
  struct Row {
    const char* name;
    Control button;
    int mode;  // 0 files, 1 folders
    bool preview;
    std::vector<const char*> before;
    std::function<void(Buttons&)> inputs;
    std::vector<const char*> on_disk;
    std::vector<const char*> column;  // column 0, or column 1 in preview
    std::vector<std::pair<GbkText, GbkText>> messages;
    std::function<void(Buttons&)> check = [](Buttons&) {};
  };
  const Row rows[] = {
      {"digits-to-numerals/files",
       Control::按钮_15改十五,
       0,
       false,
       {"第1课.mp4", "第15课.mp4", "a.txt"},
       [](Buttons&) {},
       {"a.txt", "第一课.mp4", "第十五课.mp4"},
       {"a.txt", "第一课.mp4", "第十五课.mp4"},
       {question, Message("总共更改2个", "更名数量")}},
      {"numerals-to-digits/folders",
       Control::按钮_十五改15,
       1,
       false,
       {"第三章", "第十章", "附录"},
       [](Buttons&) {},
       {"第10章", "第3章", "附录"},
       {"第10章", "第3章", "附录"},
       {question, Message("总共更改2个", "更名数量")}},
      {"front/preview",
       Control::按钮_最前面加,
       0,
       true,
       {"a.txt"},
       [](Buttons& b) { b.Enter(Control::编辑框6, "新_"); },
       {"a.txt"},
       {"新_a.txt"},
       {Message("提示：你开启了预览功能，所以没有直接更名，\r\n"
                "请看预览区结果，确认无误后点\"确认无误，执行吧\"！",
                "提示")}},
      {"end/folders-dotted-name",
       Control::按钮_最后面加,
       1,
       false,
       {"a.b"},
       [](Buttons& b) { b.Enter(Control::编辑框7, "T"); },
       {"a.bT"},
       {"a.bT"},
       {question, Message("一共有1个文件被改名成功", "修改成果提示")}},
      {"anchor/after-last",
       Control::按钮_在某物前后加,
       0,
       false,
       {"第1第2.txt", "abc.txt"},
       [](Buttons& b) {
         b.Click(Control::单选框4);
         b.Click(Control::单选框6);
         b.Enter(Control::编辑框11, "第");
         b.Enter(Control::编辑框12, "X");
       },
       {"abc.txt", "第1第X2.txt"},
       {"abc.txt", "第1第X2.txt"},
       {question, Message("一共有1个文件将被更名", "修改成果提示")}},
      {"after-extension",
       Control::按钮_扩展名后面加,
       0,
       false,
       {"a.txt", "README"},
       [](Buttons& b) { b.Enter(Control::编辑框18, ".bak"); },
       {"README.bak", "a.txt.bak"},
       {"README.bak", "a.txt.bak"},
       {question, Message("一共有2个文件被改名成功", "修改成果提示")}},
      {"after-leading-number",
       Control::按钮_数字后加符号,
       0,
       false,
       {"第12课.mp4", "abc.mp4"},
       [](Buttons& b) { b.Enter(Control::编辑框13, "、"); },
       {"abc.mp4", "第12、课.mp4"},
       {"abc.mp4", "第12、课.mp4"},
       {question, Message("一共有1个文件被改名成功", "修改成果提示")}},
      {"numbering/symbol",
       Control::按钮_加序号,
       0,
       false,
       {"a.txt", "b.txt", "c.txt"},
       [](Buttons& b) { b.Pick(Control::组合框5, 1); },
       {"01、a.txt", "02、b.txt", "03、c.txt"},
       {"01、a.txt", "02、b.txt", "03、c.txt"},
       {Message("将直接更名，确定吗？", "提示")}},
      {"numbering/zero-step-refused",
       Control::按钮_加序号,
       0,
       false,
       {"a.txt"},
       [](Buttons& b) {
         b.Enter(Control::编辑框17, "1");
         b.Enter(Control::编辑框19, "0");
       },
       {"a.txt"},
       {"a.txt"},
       {Message("将直接更名，确定吗？", "提示"), Message("每次递增不能为0！", "提醒：")}},
      {"extension/typed-gets-dot",
       Control::按钮_改扩展,
       0,
       false,
       {"a.wav", "b.mp3"},
       [](Buttons& b) { b.Type(Control::组合框_修改扩展, "mp3"); },
       {"a.mp3", "b.mp3"},
       {"a.mp3", "b.mp3"},
       {question, Message("一共有1个文件被改名", "修改成果提示")},
       [](Buttons& b) { EXPECT_EQ(b.form().Text(Control::组合框_修改扩展), ".mp3"); }},
      {"extension/never-over-an-existing-file",
       Control::按钮_改扩展,
       0,
       false,
       {"a.txt", "a.mp4"},
       [](Buttons& b) { b.Type(Control::组合框_修改扩展, ".mp4"); },
       {"a.mp4", "a.txt"},
       {"a.mp4", "a.txt"},
       {question, Message("没有任何改动", "没有改动")},
       [](Buttons& b) {
         ASSERT_EQ(b.failures().shown.size(), 1u);
         EXPECT_EQ(b.failures().shown[0].rows,
                   (std::vector<FailedRename>{
                       {"a.txt", "a.mp4", Gbk("新名称已被别的文件或文件夹占用")}}));
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ScratchFolder folder;
    for (const char* name : row.before) folder.Add(name, row.mode == 1);
    Buttons buttons;
    buttons.Read(folder, row.mode);
    ASSERT_EQ(buttons.Column(0).size(), row.before.size());
    if (row.preview) buttons.Click(Control::按钮_打开预览);
    row.inputs(buttons);

    buttons.Click(row.button);

    EXPECT_EQ(folder.Names(), Sorted(row.on_disk));
    EXPECT_EQ(buttons.Column(row.preview ? 1 : 0), Sorted(row.column));
    EXPECT_EQ(buttons.Shown(), row.messages);
    EXPECT_FALSE(buttons.form().IsVisible(Control::进度条1));
    row.check(buttons);
  }
}

TEST(RenameButtons, AvNumbersRenameDirectlyWithNineDigitsAndThePosition) {
  ScratchFolder folder;
  folder.Add("教程.mp4", false);
  folder.Add("README", false);
  Buttons buttons;
  buttons.Read(folder, 0);
  buttons.Click(Control::按钮_打开预览);  // no preview for this one: it renames anyway

  buttons.Click(Control::按钮_模拟B站AV);

  EXPECT_EQ(buttons.Shown(),
            (std::vector{Message("不提供预览功能，将直接改名，确定吗？", "提示")}));
  std::vector<GbkText> names = folder.Names();
  ASSERT_EQ(names.size(), 2u);
  // The padded order lists README first.
  EXPECT_TRUE(IsTagged(names[0], "README", "1", "")) << names[0];
  EXPECT_TRUE(IsTagged(names[1], Gbk("教程"), "2", ".mp4")) << names[1];
  EXPECT_EQ(buttons.Column(0), names);
  EXPECT_EQ(buttons.Column(1), (std::vector<GbkText>{"", ""}));
}

TEST(RenameButtons, SideRadiosCaptionTheAnchorButton) {
  Buttons buttons;
  auto* button = buttons.Find<QAbstractButton>(Control::按钮_在某物前后加);
  EXPECT_EQ(button->text(), QString::fromUtf8("前面加"));
  buttons.Click(Control::单选框4);
  EXPECT_EQ(button->text(), QString::fromUtf8("后面加"));
  buttons.Click(Control::单选框3);
  EXPECT_EQ(button->text(), QString::fromUtf8("前面加"));
}

TEST(RenameButtons, TheNewExtensionComboListsThePresetsLazilyAndTypedFirst) {
  Buttons buttons;
  auto* combo = buttons.Find<QComboBox>(Control::组合框_修改扩展);
  EXPECT_EQ(combo->count(), 0);
  for (int opening = 0; opening < 2; ++opening) {
    combo->showPopup();
    combo->hidePopup();
  }
  ASSERT_EQ(combo->count(), 58);
  EXPECT_EQ(combo->itemText(0), ".mp4");
  EXPECT_EQ(combo->itemText(57), ".cpp");

  buttons.Type(Control::组合框_修改扩展, "p");
  EXPECT_EQ(combo->currentText(), "p");
  EXPECT_EQ(buttons.form().ComboIndex(Control::组合框_修改扩展), -1);
  ASSERT_EQ(combo->count(), 58);
  const QStringList first = {".mp4", ".mp3", ".pptx", ".jpg", ".png", ".pdf", ".zip"};
  for (int i = 0; i < first.size(); ++i) EXPECT_EQ(combo->itemText(i), first[i]);
}

}  // namespace
}  // namespace qm

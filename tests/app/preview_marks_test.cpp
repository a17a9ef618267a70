#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAbstractButton>
#include <QBrush>
#include <QComboBox>
#include <QLineEdit>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "app/main_window.h"
#include "fakes/fake_failure_list.h"
#include "fakes/fake_window_system.h"
#include "fakes/scripted_messages.h"
#include "keyboard.h"
#include "platform/controls.h"
#include "base/encoding.h"
#include "platform/qt/file_list_view.h"
#include "qt_application.h"
#include "rename/undo_record.h"
#include "text/gbk_text.h"
#include "window_over_folder.h"

namespace qm {
namespace {

const std::string kLong = std::string(250, 'L') + ".mp4";  // 254 bytes; 259 as .markdown

// The real main window over a real temporary folder, with the preview open.
class PreviewMarksTest : public WindowOverFolder {
 protected:
  void Load(const std::vector<std::string>& names) {
    WindowOverFolder::Load(names);
    Click(Control::按钮_打开预览);
  }
  // Previews every listed file with a new extension, typed into the combo.
  void PreviewExtension(const char* extension) {
    FocusControl(window_.findChild<QComboBox*>(QString::fromUtf8("组合框_修改扩展")));
    TypeKeys(QString::fromUtf8(extension));
    Click(Control::按钮_改扩展);
  }
  // The preview column's marks by the name each row shows now: the reason
  // for a red cell, "" for a cell drawn as usual.
  std::map<std::string, std::string> Marks() {
    std::map<std::string, std::string> marks;
    const QAbstractItemModel& model = window_.list().Model();
    for (int row = 0; row < model.rowCount(); ++row) {
      QModelIndex cell = model.index(row, 1);
      QString tooltip = cell.data(Qt::ToolTipRole).toString();
      QString shown = cell.data(Qt::DisplayRole).toString();
      std::string name = model.index(row, 0).data().toString().toStdString();
      QVariant colour = cell.data(Qt::ForegroundRole);
      if (!colour.isValid()) {
        EXPECT_EQ(tooltip, shown) << name;
        marks[name] = "";
        continue;
      }
      EXPECT_EQ(colour.value<QBrush>().color().red(), 0xB0) << name;
      EXPECT_TRUE(tooltip.startsWith(shown + "\n")) << name;
      marks[name] = tooltip.mid(shown.size() + 1).toStdString();
    }
    return marks;
  }
};

const std::string kTaken = "新名称已被别的文件或文件夹占用";
const std::string kDuplicate = "和前面一项的名称重复";
const std::string kTooLong = "新名称太长，超过了文件系统允许的长度（255字节）";

// The marks say what the commit would do: a target taken by an unlisted
// file, a second row onto one target, a name past 255 bytes; clean rows stay
// plain. The commit counts from a check made when it is clicked.
TEST_F(PreviewMarksTest, RowsThatWouldFailAreMarkedAndTheCommitAsksAboutThem) {
  Load({"clean.txt", "clip.mp4", "clip.wav", "song.wav", kLong});
  std::ofstream(folder_ / "song.markdown") << "not listed";

  PreviewExtension("markdown");

  EXPECT_EQ(Marks(), (std::map<std::string, std::string>{{"clean.txt", ""},
                                                         {"clip.mp4", ""},
                                                         {"clip.wav", kDuplicate},
                                                         {"song.wav", kTaken},
                                                         {kLong, kTooLong}}));

  // Cancelled: nothing moves, the marks stay.
  messages_.shown.clear();
  messages_.answers = {Answer::Cancel};
  Click(Control::按钮_确认无误执行吧);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text,
            Gbk("其中3个预计会改名失败（已用红色标出），其余的照常更名。\r\n确定执行吗？"));
  EXPECT_EQ(messages_.shown[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(OnDisk().count("clean.markdown"), 0u);

  // The unlisted file goes: the question counts what fails now, not the old marks.
  fs::remove(folder_ / "song.markdown");
  messages_.shown.clear();
  Click(Control::按钮_确认无误执行吧);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text,
            Gbk("其中2个预计会改名失败（已用红色标出），其余的照常更名。\r\n确定执行吗？"));
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"clean.markdown", "clip.markdown", "clip.wav",
                                             "song.markdown", kLong}));
  ASSERT_EQ(failures_.shown.size(), 1u);
  EXPECT_EQ(failures_.shown[0].rows.size(), 2u);
  // The rows left are marked for what would fail now.
  EXPECT_EQ(Marks(), (std::map<std::string, std::string>{{"clean.markdown", ""},
                                                         {"clip.markdown", ""},
                                                         {"clip.wav", kTaken},
                                                         {"song.markdown", ""},
                                                         {kLong, kTooLong}}));

  // A new preview whose values all work clears every mark; a clean commit asks nothing.
  window_.findChild<QLineEdit*>(QString::fromUtf8("编辑框6"))->setText("x");
  Click(Control::按钮_最前面加);
  for (const auto& [name, mark] : Marks()) EXPECT_EQ(mark, "") << name;
  messages_.shown.clear();
  Click(Control::按钮_确认无误执行吧);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(OnDisk(), (std::set<std::string>{"xclean.markdown", "xclip.markdown", "xclip.wav",
                                             "xsong.markdown", "x" + kLong}));
}

}  // namespace
}  // namespace qm

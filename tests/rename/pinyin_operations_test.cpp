#include "rename/pinyin_operations.h"

#include <gtest/gtest.h>

#include "rename/operation_runs.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

// The button as the traditional/simplified one works: it asks, converts the
// stem and keeps the extension; in folder mode it takes the whole name. The
// combos pick the style.
TEST(ToPinyinRuns, ConvertsTheStemInTheStyleTheCombosPick) {
  struct Row {
    const char* name;
    int form, tone, separator, letter_case;
    std::vector<std::string> entries;
    std::vector<std::string> expected;
    bool folder_mode = false;
  };
  const Row rows[] = {
      {"plain", 0, 0, 0, 0, {"重庆银行.mp4", "abc.txt"}, {"chongqingyinhang.mp4", "abc.txt"}},
      {"spaced and capitalised", 0, 0, 1, 1, {"第3课 长城.mp4"}, {"Di 3 Ke Chang Cheng.mp4"}},
      {"marks and underscores", 0, 1, 2, 0, {"音乐.mp3"}, {"yīn_yuè.mp3"}},
      {"digit tones", 0, 2, 3, 0, {"绿色.jpg"}, {"lv4-se4.jpg"}},
      {"initials upper", 1, 0, 0, 2, {"中国.mp4"}, {"ZG.mp4"}},
      {"traditional", 0, 0, 1, 0, {"長城.png"}, {"chang cheng.png"}},
      {"folder keeps its dot", 0, 0, 0, 0, {"行长.v2"}, {"hangzhang.v2"}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RenameWorld world;
    StartState(world.form);
    // The items as the window lists them.
    for (auto [combo, count] : {std::pair{Control::组合框_拼音形式, 2},
                                {Control::组合框_拼音声调, 3},
                                {Control::组合框_拼音分隔, 4},
                                {Control::组合框_拼音大小写, 3}}) {
      for (int k = 0; k < count; ++k) world.form.AddComboItem(combo, ToText(k));
    }
    world.form.SetComboIndex(Control::组合框_拼音形式, row.form);
    world.form.SetComboIndex(Control::组合框_拼音声调, row.tone);
    world.form.SetComboIndex(Control::组合框_拼音分隔, row.separator);
    world.form.SetComboIndex(Control::组合框_拼音大小写, row.letter_case);
    std::vector<GbkText> names;
    for (const std::string& name : row.entries) names.push_back(Gbk(name));
    for (const GbkText& name : names) {
      if (row.folder_mode) {
        world.files.AddFolder("/w/" + name);
      } else {
        world.files.AddFile("/w/" + name);
      }
    }
    world.list.AppendRows(names);
    if (row.folder_mode) world.FolderMode();
    RunOperation(OperationId::ToPinyin, world.services);
    std::vector<GbkText> expected;
    for (const std::string& name : row.expected) expected.push_back(Gbk(name));
    EXPECT_EQ(world.list.Column(0), expected);
    EXPECT_EQ(world.Texts(),
              (std::vector<GbkText>{Gbk("确定更名吗？"), Gbk("一共有1个文件被改名")}));
  }
}

}  // namespace
}  // namespace qm

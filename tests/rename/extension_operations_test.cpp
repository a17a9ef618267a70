#include "rename/extension_operations.h"

#include <gtest/gtest.h>

#include "rename/operations.h"
#include "rename/rename_world.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

TEST(ChangeExtension, NormalisesTypedTextAndReplacesTheExtension) {
  struct Row {
    const char* name;
    int selection;
    const char* typed;
    const char* stem;
    const char* expected;
  };
  const Row rows[] = {
      {"picked/dotted", 3, ".mp4", "a", "a.mp4"},
      {"picked/no-extension-before", 3, ".mp4", "README", "README.mp4"},
      {"picked/last-dot-only", 3, ".mp4", "a.b", "a.b.mp4"},
      {"typed/dot-added", -1, "mp3", "a", "a.mp3"},
      {"typed/dot-inside-kept", -1, "tar.gz", "a", "atar.gz"},
      {"typed/dot-only", -1, ".", "a", "a."},
      {"typed/only-extension-name", -1, "mp4", "", ".mp4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ChangeExtension(NormalisedExtension(row.selection, row.typed), row.stem),
              row.expected);
  }
}

TEST(ExtensionRuns, TypedTextGetsItsDotInTheEditPartAndEveryEntryChanges) {
  RenameWorld world;
  world.AddFiles({"a.wav", "README", "b.mp3"});
  world.form.SetText(Control::组合框_修改扩展, Gbk("mp3"));
  RunOperation(OperationId::ChangeExtension, world.services);
  EXPECT_EQ(world.form.Text(Control::组合框_修改扩展), ".mp3");
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.mp3", "README.mp3", "b.mp3"}));
  ASSERT_EQ(world.messages.shown.size(), 2u);
  EXPECT_EQ(world.messages.shown[1].text, Gbk("一共有2个文件被改名"));
  EXPECT_EQ(world.messages.shown[1].title, Gbk("修改成果提示"));
  EXPECT_EQ(world.messages.shown[1].icon, Icon::None);
}

TEST(ExtensionRuns, APickedItemIsUsedAsItIs) {
  RenameWorld world;
  world.AddFiles({"a.b.c"});
  world.form.AddComboItem(Control::组合框_修改扩展, Gbk(".mp4"));
  world.form.SelectItem(Control::组合框_修改扩展, 0);
  world.OpenPreviewColumn();
  RunOperation(OperationId::ChangeExtension, world.services);
  EXPECT_EQ(world.list.Cell(0, 1), "a.b.mp4");
  EXPECT_EQ(world.form.Text(Control::组合框_修改扩展), ".mp4");
}

TEST(ExtensionRuns, RefusesFolderModeAfterTheFolderChecksEvenForAnEmptyList) {
  RenameWorld world;
  world.FolderMode();
  world.form.SetText(Control::组合框_修改扩展, Gbk("mp3"));
  RunOperation(OperationId::ChangeExtension, world.services);
  ASSERT_EQ(world.messages.shown.size(), 1u);
  EXPECT_EQ(world.messages.shown[0].text, Gbk("文件夹没有改后缀一说，请勾选文件"));
  EXPECT_EQ(world.messages.shown[0].title, Gbk("提示"));
  EXPECT_EQ(world.form.Text(Control::组合框_修改扩展), "mp3");
}

TEST(ExtensionRuns, NeverRenamesOntoAnExistingName) {
  RenameWorld world;
  world.AddFiles({"a.txt", "a.mp4"});
  world.form.SetText(Control::组合框_修改扩展, Gbk(".mp4"));
  RunOperation(OperationId::ChangeExtension, world.services);
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a.txt", "a.mp4"}));
  EXPECT_EQ(world.messages.shown.back().text, Gbk("没有任何改动"));
  EXPECT_EQ(world.messages.shown.back().title, Gbk("没有改动"));
}

}  // namespace
}  // namespace qm

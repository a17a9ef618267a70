#include "rename/preview_commit.h"

#include <gtest/gtest.h>

#include "rename/operations.h"
#include "rename/rename_world.h"
#include "workspace/workspace_handlers.h"

namespace qm {
namespace {

// The preview column open, and /w/ recorded as the folder of the values the
// tests write into it.
struct CommitWorld : RenameWorld {
  CommitWorld() {
    OpenPreviewColumn();
    RecordPreviewFolder(services, Gbk("/w/"));
    undo.Add({"/w/", {{"earlier", "earlier-new", {}}}, ""});
  }
  // The pairs of the newest rename in the undo history.
  std::vector<GbkText> OldNames() const {
    std::vector<GbkText> names;
    for (const UndoPair& pair : undo.Newest().pairs) names.push_back(pair.old_name);
    return names;
  }
  std::vector<GbkText> NewNames() const {
    std::vector<GbkText> names;
    for (const UndoPair& pair : undo.Newest().pairs) names.push_back(pair.new_name);
    return names;
  }
};

TEST(CommitPreview, RefusesWithoutPreviewValuesOrNames) {
  struct Row {
    const char* name;
    std::vector<std::pair<GbkText, GbkText>> cells;
    std::string message;
  };
  const Row rows[] = {
      {"no-preview-yet",
       {{"a.txt", ""}, {"b.txt", ""}},
       "开了预览界面以后，必须先预览，\r\n请重新点左边的按钮进行预览！"},
      {"no-rows", {}, "开了预览界面以后，必须先预览，\r\n请重新点左边的按钮进行预览！"},
      {"previews-without-names",
       {{"", "x.txt"}},
       "没有发生任何变化。\r\n请仔细排查问题，重新操作!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CommitWorld world;
    for (const auto& [name, preview] : row.cells) {
      world.list.AppendRows({name});
      world.list.SetCell(world.list.RowCount() - 1, 1, preview);
    }
    CommitPreview(world.services);
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, Gbk(row.message));
    EXPECT_EQ(world.messages.shown[0].title, Gbk("提醒："));
    EXPECT_EQ(world.OldNames(), std::vector<GbkText>{"earlier"});  // the last rename stays undoable
    EXPECT_TRUE(world.files.renames.empty());
  }
}

TEST(CommitPreview, RenamesOnlyPreviewedRowsAndRecordsThemInRowOrder) {
  CommitWorld world;
  world.AddFiles({"f1.txt", "f2.txt", "f3.txt", "f4.txt", "f5.txt", "f6.txt"});
  world.list.SetCell(1, 1, Gbk("two.txt"));
  world.list.SetCell(4, 1, Gbk("five.txt"));
  CommitPreview(world.services);
  EXPECT_EQ(world.list.Column(0),
            (std::vector<GbkText>{"f1.txt", "two.txt", "f3.txt", "f4.txt", "five.txt", "f6.txt"}));
  EXPECT_EQ(world.list.Column(1), std::vector<GbkText>(6));
  EXPECT_EQ(world.OldNames(), (std::vector<GbkText>{"f2.txt", "f5.txt"}));
  EXPECT_EQ(world.NewNames(), (std::vector<GbkText>{"two.txt", "five.txt"}));
  EXPECT_TRUE(world.files.Exists(Gbk("/w/two.txt")));
  EXPECT_TRUE(world.messages.shown.empty());
}

TEST(CommitPreview, SkipsNamelessRowsAndKeepsFailedRowsForARetry) {
  CommitWorld world;
  world.AddFiles({"a.txt"});
  world.list.AppendRows({""});
  world.AddFiles({"b.txt", "c.txt", "d.txt"});
  world.files.failing_renames.insert(Gbk("/w/b.txt"));
  world.list.SetCell(0, 1, Gbk("a2.txt"));
  world.list.SetCell(1, 1, Gbk("orphan.txt"));
  world.list.SetCell(2, 1, Gbk("b2.txt"));
  world.list.SetCell(3, 1, Gbk("same.txt"));
  world.list.SetCell(4, 1, Gbk("same.txt"));  // collides with the row above
  CommitPreview(world.services);
  EXPECT_EQ(world.list.Column(0),
            (std::vector<GbkText>{"a2.txt", "", "b.txt", "same.txt", "d.txt"}));
  EXPECT_EQ(world.list.Column(1),
            (std::vector<GbkText>{"", "orphan.txt", "b2.txt", "", "same.txt"}));
  EXPECT_EQ(world.OldNames(), (std::vector<GbkText>{"a.txt", "c.txt"}));
  EXPECT_FALSE(world.files.Exists(Gbk("/w/orphan.txt")));

  // A second commit retries what is left and records only its own rows.
  world.files.failing_renames.clear();
  CommitPreview(world.services);
  EXPECT_EQ(world.OldNames(), (std::vector<GbkText>{"b.txt"}));
  EXPECT_EQ(world.list.Cell(4, 0), "d.txt");
}

TEST(CommitPreview, AppliesTheValuesOfTwoPreviewRuns) {
  CommitWorld world;
  world.AddFiles({"a.txt", "b.txt"});
  RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), MappingOperation({{"b", std::nullopt}}),
            world.services);
  RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber),
            MappingOperation({{"a", std::nullopt}, {"b", GbkText("B")}}), world.services);
  CommitPreview(world.services);
  EXPECT_EQ(world.list.Column(0), (std::vector<GbkText>{"a-new.txt", "B.txt"}));
}

TEST(CommitPreview, RenamesOnlyInTheFolderThePreviewWasMadeIn) {
  const std::string refused =
      "现在的路径不是预览时的路径（或者路径已被清空），\r\n为了不改错文件，没有执行任何更名。"
      "\r\n请重新读取路径并预览后再执行！";
  enum class After { InputsCleared, DesktopGuard, OtherFolder, SecondRunInOtherFolder };
  struct Row {
    const char* name;
    After after;
  };
  const Row rows[] = {
      {"working-folder-emptied-by-clear-inputs", After::InputsCleared},
      {"working-folder-emptied-by-desktop-guard", After::DesktopGuard},
      {"working-folder-now-another", After::OtherFolder},
      {"values-made-in-two-folders", After::SecondRunInOtherFolder},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CommitWorld world;
    world.files.AddFolder(Gbk("/v"));
    world.files.AddFile(Gbk("/v/a.txt"));
    world.files.AddFolder(Gbk("/home/Desktop"));
    world.AddFiles({"a.txt"});
    RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), MappingOperation(), world.services);
    ASSERT_EQ(world.list.Cell(0, 1), "a-new.txt");
    switch (row.after) {
      case After::InputsCleared:
        ClearInputBoxes(world.services);
        break;
      case After::DesktopGuard:
        world.form.SetText(Control::标签2, Gbk("/home/Desktop/"));
        RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), MappingOperation(),
                  world.services);
        ASSERT_EQ(world.form.Text(Control::标签2), "");
        break;
      case After::OtherFolder:
        world.form.SetText(Control::标签2, Gbk("/v/"));
        break;
      case After::SecondRunInOtherFolder:
        // As after dropping an item of /v/ in the drop mode: the rows stay.
        world.form.SetText(Control::标签2, Gbk("/v/"));
        world.AddFiles({"b.txt"});
        world.files.AddFile(Gbk("/v/b.txt"));
        RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber),
                  MappingOperation({{"a", std::nullopt}}), world.services);
        ASSERT_EQ(world.list.Column(1), (std::vector<GbkText>{"a-new.txt", "b-new.txt"}));
        break;
    }
    world.messages.shown.clear();

    CommitPreview(world.services);

    EXPECT_TRUE(world.files.renames.empty());
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, Gbk(refused));
    EXPECT_EQ(world.messages.shown[0].title, Gbk("提醒："));
    EXPECT_EQ(world.list.Cell(0, 1), "a-new.txt");  // kept for a commit in the right folder
    EXPECT_EQ(world.OldNames(), std::vector<GbkText>{"earlier"});  // nothing was renamed

    // Back in the folder of the values, with values from that folder only, the commit runs.
    if (row.after != After::SecondRunInOtherFolder) {
      world.form.SetText(Control::标签2, Gbk("/w/"));
      CommitPreview(world.services);
      EXPECT_EQ(world.list.Cell(0, 0), "a-new.txt");
      EXPECT_TRUE(world.files.Exists(Gbk("/w/a-new.txt")));
      EXPECT_TRUE(world.files.Exists(Gbk("/v/a.txt")));
    }
  }
}

}  // namespace
}  // namespace qm

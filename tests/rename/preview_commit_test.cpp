#include "rename/preview_commit.h"

#include <gtest/gtest.h>

#include "rename/rename_world.h"
#include "rename/operations.h"
#include "workspace/workspace_handlers.h"

namespace qm {
namespace {

struct Layout {
  int window_width;
  int list_width;
  int columns;
  std::string column0_title;
  std::string caption;
  bool commit_visible;
  Geometry commit_at;
  bool undo_visible;
  Geometry undo_at;
  int txt_button_left;
  bool paste_visible;
};

Layout LayoutOf(RenameWorld& world) {
  FakeForm& form = world.form;
  auto at = [&form](Control control) {
    Geometry geometry = form.GeometryOf(control);
    return Geometry{geometry.left, geometry.top, 0, 0};
  };
  return {form.WindowWidth(),
          form.GeometryOf(Control::超级列表框1).width,
          world.list.ColumnCount(),
          world.list.ColumnTitle(0),
          form.Text(Control::按钮_打开预览),
          form.IsVisible(Control::按钮_确认无误执行吧),
          at(Control::按钮_确认无误执行吧),
          form.IsVisible(Control::按钮_撤回上一步),
          at(Control::按钮_撤回上一步),
          form.GeometryOf(Control::按钮_用我的txt修改).left,
          form.IsVisible(Control::按钮_直接粘贴txt)};
}

void ExpectLayout(RenameWorld& world, const Layout& expected) {
  Layout actual = LayoutOf(world);
  EXPECT_EQ(actual.window_width, expected.window_width);
  EXPECT_EQ(actual.list_width, expected.list_width);
  EXPECT_EQ(actual.columns, expected.columns);
  EXPECT_EQ(actual.column0_title, Gbk(expected.column0_title));
  EXPECT_EQ(actual.caption, Gbk(expected.caption));
  EXPECT_EQ(actual.commit_visible, expected.commit_visible);
  EXPECT_EQ(actual.commit_at.left, expected.commit_at.left);
  EXPECT_EQ(actual.commit_at.top, expected.commit_at.top);
  EXPECT_EQ(actual.undo_visible, expected.undo_visible);
  EXPECT_EQ(actual.undo_at.left, expected.undo_at.left);
  EXPECT_EQ(actual.undo_at.top, expected.undo_at.top);
  EXPECT_EQ(actual.txt_button_left, expected.txt_button_left);
  EXPECT_EQ(actual.paste_visible, expected.paste_visible);
}

TEST(TogglePreview, OpensAndClosesTheSecondColumnAndItsLayout) {
  RenameWorld world;
  FakeForm& form = world.form;
  form.SetGeometry(Control::超级列表框1, {11, 60, 407, 500});
  form.SetGeometry(Control::按钮_确认无误执行吧, {568, 432, 100, 30});
  form.SetGeometry(Control::按钮_用我的txt修改, {639, 120, 100, 30});
  form.SetVisible(Control::按钮_确认无误执行吧, false);
  form.SetVisible(Control::按钮_撤回上一步, false);
  form.SetVisible(Control::按钮_直接粘贴txt, false);
  world.list.SetColumnTitle(0, Gbk("当前的文件名"));
  world.AddFiles({"a.txt"});

  TogglePreview(form, world.list);
  ExpectLayout(
      world,
      {1150, 787, 2, "上一次的文件名", "关闭预览", true, {973, 590}, true, {850, 590}, 830, false});
  EXPECT_EQ(world.list.ColumnTitle(1), Gbk("更名后的效果"));
  EXPECT_EQ(world.list.widths[1], 380);
  EXPECT_EQ(form.GeometryOf(Control::超级列表框1).top, 60);  // only the width moves

  world.list.SetCell(0, 1, "b.txt");
  TogglePreview(form, world.list);
  // The undo button stays inside the closed window, below the list.
  ExpectLayout(
      world,
      {769, 400, 1, "最开始的文件名", "打开预览", false, {568, 432}, true, {647, 632}, 639, false});
  EXPECT_EQ(world.list.Cell(0, 1), "");  // closing discards the preview values
  EXPECT_EQ(world.list.Cell(0, 0), "a.txt");

  form.SetText(Control::按钮_打开预览, "other");
  TogglePreview(form, world.list);
  EXPECT_EQ(form.WindowWidth(), 769);
  EXPECT_EQ(world.list.ColumnCount(), 1);
}

// The preview column open, and /w/ recorded as the folder of the values the
// tests write into it.
struct CommitWorld : RenameWorld {
  CommitWorld() {
    OpenPreviewColumn();
    RecordPreviewFolder(services, "/w/");
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
  world.list.SetCell(1, 1, "two.txt");
  world.list.SetCell(4, 1, "five.txt");
  CommitPreview(world.services);
  EXPECT_EQ(world.list.Column(0),
            (std::vector<GbkText>{"f1.txt", "two.txt", "f3.txt", "f4.txt", "five.txt", "f6.txt"}));
  EXPECT_EQ(world.list.Column(1), std::vector<GbkText>(6));
  EXPECT_EQ(world.OldNames(), (std::vector<GbkText>{"f2.txt", "f5.txt"}));
  EXPECT_EQ(world.NewNames(), (std::vector<GbkText>{"two.txt", "five.txt"}));
  EXPECT_TRUE(world.files.Exists("/w/two.txt"));
  EXPECT_TRUE(world.messages.shown.empty());
}

TEST(CommitPreview, SkipsNamelessRowsAndKeepsFailedRowsForARetry) {
  CommitWorld world;
  world.AddFiles({"a.txt"});
  world.list.AppendRows({""});
  world.AddFiles({"b.txt", "c.txt", "d.txt"});
  world.files.failing_renames.insert("/w/b.txt");
  world.list.SetCell(0, 1, "a2.txt");
  world.list.SetCell(1, 1, "orphan.txt");
  world.list.SetCell(2, 1, "b2.txt");
  world.list.SetCell(3, 1, "same.txt");
  world.list.SetCell(4, 1, "same.txt");  // collides with the row above
  CommitPreview(world.services);
  EXPECT_EQ(world.list.Column(0),
            (std::vector<GbkText>{"a2.txt", "", "b.txt", "same.txt", "d.txt"}));
  EXPECT_EQ(world.list.Column(1),
            (std::vector<GbkText>{"", "orphan.txt", "b2.txt", "", "same.txt"}));
  EXPECT_EQ(world.OldNames(), (std::vector<GbkText>{"a.txt", "c.txt"}));
  EXPECT_FALSE(world.files.Exists("/w/orphan.txt"));

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
    world.files.AddFolder("/v");
    world.files.AddFile("/v/a.txt");
    world.files.AddFolder("/home/Desktop");
    world.AddFiles({"a.txt"});
    RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), MappingOperation(), world.services);
    ASSERT_EQ(world.list.Cell(0, 1), "a-new.txt");
    switch (row.after) {
      case After::InputsCleared:
        ClearInputBoxes(world.services);
        break;
      case After::DesktopGuard:
        world.form.SetText(Control::标签2, "/home/Desktop/");
        RenameRun(ProfileOf(OperationId::ZeroFillLeadingNumber), MappingOperation(),
                  world.services);
        ASSERT_EQ(world.form.Text(Control::标签2), "");
        break;
      case After::OtherFolder:
        world.form.SetText(Control::标签2, "/v/");
        break;
      case After::SecondRunInOtherFolder:
        // As after dropping an item of /v/ in the drop mode: the rows stay.
        world.form.SetText(Control::标签2, "/v/");
        world.AddFiles({"b.txt"});
        world.files.AddFile("/v/b.txt");
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
      world.form.SetText(Control::标签2, "/w/");
      CommitPreview(world.services);
      EXPECT_EQ(world.list.Cell(0, 0), "a-new.txt");
      EXPECT_TRUE(world.files.Exists("/w/a-new.txt"));
      EXPECT_TRUE(world.files.Exists("/v/a.txt"));
    }
  }
}

}  // namespace
}  // namespace qm

#include "app/preview_layout.h"

#include <gtest/gtest.h>

#include "rename/rename_world.h"

namespace qm {
namespace {

struct Layout {
  int window_width;
  int list_width;
  int columns;
  GbkText column0_title;
  GbkText caption;
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
  EXPECT_EQ(actual.column0_title, expected.column0_title);
  EXPECT_EQ(actual.caption, expected.caption);
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

  world.list.SetCell(0, 1, Gbk("b.txt"));
  TogglePreview(form, world.list);
  // The undo button stays inside the closed window, below the list.
  ExpectLayout(
      world,
      {769, 400, 1, "最开始的文件名", "打开预览", false, {568, 432}, true, {647, 632}, 639, false});
  EXPECT_EQ(world.list.Cell(0, 1), "");  // closing discards the preview values
  EXPECT_EQ(world.list.Cell(0, 0), "a.txt");

  form.SetText(Control::按钮_打开预览, Gbk("other"));
  TogglePreview(form, world.list);
  EXPECT_EQ(form.WindowWidth(), 769);
  EXPECT_EQ(world.list.ColumnCount(), 1);
}

}  // namespace
}  // namespace qm

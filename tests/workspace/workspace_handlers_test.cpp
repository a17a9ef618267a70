#include "workspace/workspace_handlers.h"

#include <gtest/gtest.h>

#include "fakes/fake_main_services.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

class WorkspaceHandlersTest : public ::testing::Test, public FakeMainServices {
 protected:
  IntakeGuard guard;
};

TEST_F(WorkspaceHandlersTest, WindowCreatedSetsStartState) {
  form.MutableState(Control::组合框2).items = {Gbk("处理文件"), Gbk("处理文件夹"),
                                               Gbk("拖几个改几个")};
  form.SelectItem(Control::组合框2, 2);
  form.MutableState(Control::组合框_跳过扩展).items = {Gbk("不跳")};
  form.SelectItem(Control::组合框_跳过扩展, 0);
  // Checked in the window's design.
  for (Control box : {Control::选择框_1头, Control::选择框_2头}) form.SetChecked(box, true);

  OnMainWindowCreated(services);

  EXPECT_EQ(form.Text(Control::组合框2), Gbk("处理文件"));
  EXPECT_EQ(form.ComboIndex(Control::组合框2), 0);
  EXPECT_FALSE(form.IsVisible(Control::进度条1));
  EXPECT_EQ(form.ComboIndex(Control::组合框_跳过扩展), -1);
  EXPECT_EQ(form.tab_page, 0);
  EXPECT_EQ(form.State(Control::编辑框14).text_color, 0x808080);
  const Control checked[] = {Control::选择框_窗口置顶, Control::选择框6,  Control::选择框_1头,
                             Control::选择框_2头,      Control::单选框2,  Control::单选框3,
                             Control::单选框5,         Control::单选框7,  Control::单选框9,
                             Control::单选框11,        Control::单选框13, Control::单选框15,
                             Control::单选框17};
  const Control unchecked[] = {Control::选择框_1尾, Control::选择框_2尾, Control::选择框3,
                               Control::选择框4,    Control::单选框1,    Control::单选框4,
                               Control::单选框6,    Control::单选框8,    Control::单选框10,
                               Control::单选框12,   Control::单选框14,   Control::单选框16,
                               Control::单选框18};
  for (Control box : checked) EXPECT_TRUE(form.IsChecked(box)) << ControlName(box);
  for (Control box : unchecked) EXPECT_FALSE(form.IsChecked(box)) << ControlName(box);
}

TEST_F(WorkspaceHandlersTest, AlwaysOnTopFollowsCheckBox) {
  form.SetChecked(Control::选择框_窗口置顶, false);
  OnAlwaysOnTopClicked(services);
  EXPECT_FALSE(form.always_on_top);
  form.SetChecked(Control::选择框_窗口置顶, true);
  OnAlwaysOnTopClicked(services);
  EXPECT_TRUE(form.always_on_top);
}

TEST_F(WorkspaceHandlersTest, ClearInputBoxesKeepsListAndLaterBoxes) {
  const Control cleared[] = {
      Control::编辑框1,  Control::编辑框2,  Control::编辑框3,  Control::编辑框4,  Control::编辑框5,
      Control::编辑框6,  Control::编辑框7,  Control::编辑框8,  Control::编辑框9,  Control::编辑框10,
      Control::编辑框11, Control::编辑框12, Control::编辑框13, Control::编辑框14, Control::标签2};
  const Control kept[] = {Control::编辑框15, Control::编辑框16, Control::编辑框17,
                          Control::编辑框18, Control::编辑框19, Control::组合框_仅检索};
  for (Control box : cleared) form.SetText(box, Gbk("x"));
  for (Control box : kept) form.SetText(box, Gbk("7"));
  list.AppendRows({"a.txt"});

  ClearInputBoxes(services);

  for (Control box : cleared) EXPECT_EQ(form.Text(box), "") << ControlName(box);
  for (Control box : kept) EXPECT_EQ(form.Text(box), "7") << ControlName(box);
  EXPECT_EQ(list.RowCount(), 1);

  form.SetText(Control::标签2, Gbk("/w/"));
  ClearFileList(services, guard);
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(form.Text(Control::标签2), "/w/");
}

}  // namespace
}  // namespace qm

#include "app/preview_layout.h"

#include "text/gbk_text.h"

namespace qm {
namespace {

constexpr int kPreviewColumnWidth = 380;

void Move(Form& form, Control control, int left, int top) {
  Geometry geometry = form.GeometryOf(control);
  geometry.left = left;
  geometry.top = top;
  form.SetGeometry(control, geometry);
}

void SetLeft(Form& form, Control control, int left) {
  Move(form, control, left, form.GeometryOf(control).top);
}

void SetWidth(Form& form, Control control, int width) {
  Geometry geometry = form.GeometryOf(control);
  geometry.width = width;
  form.SetGeometry(control, geometry);
}

}  // namespace

void TogglePreview(Form& form, ListView& list) {
  static const GbkText open_caption = Gbk("打开预览");
  static const GbkText close_caption = Gbk("关闭预览");
  GbkText caption = form.Text(Control::按钮_打开预览);
  if (caption == open_caption) {
    form.SetWindowWidth(1150);
    SetWidth(form, Control::超级列表框1,
             form.GeometryOf(Control::超级列表框1).width + kPreviewColumnWidth);
    form.SetText(Control::按钮_打开预览, close_caption);
    list.InsertColumn(1, Gbk("更名后的效果"), kPreviewColumnWidth);
    list.SetColumnTitle(0, Gbk("上一次的文件名"));
    form.SetVisible(Control::按钮_确认无误执行吧, true);
    form.SetVisible(Control::按钮_撤回上一步, true);
    Move(form, Control::按钮_确认无误执行吧, 973, 590);
    Move(form, Control::按钮_撤回上一步, 850, 590);
    SetLeft(form, Control::按钮_用我的txt修改, 830);
  } else if (caption == close_caption) {
    form.SetWindowWidth(769);
    SetWidth(form, Control::超级列表框1, 400);
    form.SetText(Control::按钮_打开预览, open_caption);
    list.RemoveColumn(1);
    list.SetColumnTitle(0, Gbk("最开始的文件名"));
    Move(form, Control::按钮_确认无误执行吧, 568, 432);
    SetLeft(form, Control::按钮_用我的txt修改, 639);
    // At 850 it would sit beyond the closed window's right edge: below the
    // list's right end, where the progress bar's row leaves room, is where
    // the window's own layout puts it too.
    Move(form, Control::按钮_撤回上一步, kUndoClosedLeft, kUndoClosedTop);
    form.SetVisible(Control::按钮_确认无误执行吧, false);
    // The undo button stays visible: the record survives closing the preview.
    form.SetVisible(Control::按钮_直接粘贴txt, false);
  }
}

}  // namespace qm

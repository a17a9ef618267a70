// The main window's controls: where each sits and what it starts with.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStringList>
#include <QTabWidget>
#include <functional>

#include "app/main_window.h"
#include "app/preview_layout.h"
#include "app/widget_placement.h"
#include "platform/qt/designed_layout.h"
#include "platform/qt/drop_down_combo_box.h"
#include "platform/qt/elided_label.h"
#include "platform/qt/file_list_view.h"
#include "platform/qt/qt_text.h"
#include "rename/info_naming.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

QPushButton* Button(QWidget* parent, Control id, const char* caption, int left, int top, int width,
                    int height = 28) {
  auto* button = new QPushButton(Utf8(caption), parent);
  button->setAutoDefault(false);
  return Place(button, id, left, top, width, height);
}

QPushButton* HelpButton(QWidget* parent, Control id, int left, int top) {
  return Button(parent, id, "?", left, top, 28);
}

QCheckBox* CheckBox(QWidget* parent, Control id, const char* caption, int left, int top, int width,
                    bool checked = false) {
  auto* box = new QCheckBox(Utf8(caption), parent);
  box->setChecked(checked);
  return Place(box, id, left, top, width, 22);
}

// Radio buttons are exclusive among the radio buttons of their group box.
QRadioButton* Radio(QWidget* parent, Control id, const char* caption, int left, int top, int width,
                    bool checked = false) {
  auto* radio = new QRadioButton(Utf8(caption), parent);
  radio->setChecked(checked);
  return Place(radio, id, left, top, width, 22);
}

QLabel* Label(QWidget* parent, Control id, const char* caption, int left, int top, int width,
              int height = 24) {
  auto* label = new QLabel(Utf8(caption), parent);
  label->setTextFormat(Qt::PlainText);
  return Place(label, id, left, top, width, height);
}

QLineEdit* Edit(QWidget* parent, Control id, int left, int top, int width) {
  return Place(new QLineEdit(parent), id, left, top, width, 24);
}

DropDownComboBox* Combo(QWidget* parent, Control id, int left, int top, int width,
                        const QStringList& items = {}) {
  auto* combo = new DropDownComboBox(parent);
  combo->addItems(items);
  return Place(combo, id, left, top, width, 24);
}

// Editable combos start empty, with no items and no selection.
DropDownComboBox* EditableCombo(QWidget* parent, Control id, int left, int top, int width) {
  auto* combo = Combo(parent, id, left, top, width);
  combo->MakeEditable();
  combo->setCurrentIndex(-1);
  return combo;
}

QGroupBox* Group(QWidget* parent, Control id, const char* caption, int left, int top, int width,
                 int height) {
  return Place(new QGroupBox(Utf8(caption), parent), id, left, top, width, height);
}

// A frameless scroll area that draws nothing of its own, so content shown in
// full looks as if it sat directly in its parent.
QScrollArea* ScrollingFrame(QWidget* content, QWidget* parent) {
  auto* frame = new QScrollArea(parent);
  frame->setFrameShape(QFrame::NoFrame);
  frame->setWidgetResizable(true);
  frame->setWidget(content);
  frame->viewport()->setAutoFillBackground(false);
  content->setAutoFillBackground(false);
  return frame;
}

QStringList Items(std::initializer_list<const char*> texts) {
  QStringList items;
  for (const char* text : texts) items << Utf8(text);
  return items;
}

}  // namespace

void MainWindow::BuildLayout() {
  // The area scrolls only when the window is narrower than designed or too
  // low for the list's floor; otherwise it fills the window.
  auto* area = new QWidget;
  area->resize(kDesignedWidth, kDesignedHeight);
  setCentralWidget(ScrollingFrame(area, this));
  BuildTopControls(area);

  auto* tabs = Place(new QTabWidget(area), Control::高级选择夹1, 8, 112, 340, 560);
  const char* page_titles[] = {" 删 除 ", " 替 换 ", " 添 加 ", "特殊功能", "高级"};
  const std::function<void(QWidget*)> builders[] = {
      [this](QWidget* page) { BuildDeletePage(page); },
      [this](QWidget* page) { BuildReplacePage(page); },
      [this](QWidget* page) { BuildInsertPage(page); },
      [this](QWidget* page) { BuildSpecialPage(page); },
      [this](QWidget* page) { BuildAdvancedPage(page); }};
  for (int i = 0; i < 5; ++i) {
    // A page scrolls when a low screen makes the tabs shorter than designed.
    auto* page = new QWidget;
    builders[i](page);
    page->setMinimumSize(page->childrenRect().bottomRight().x() + 1,
                         page->childrenRect().bottomRight().y() + 1);
    tabs->addTab(ScrollingFrame(page, tabs), Utf8(page_titles[i]));
  }

  layout_ = new DesignedLayout(area, list_, QSize(kDesignedWidth, kDesignedHeight));
  // Widened for the preview, the window may still shrink to its closed width.
  layout_->SetNarrowestWidth(kDesignedWidth);
  layout_->SetStretchWide(findChild<QWidget*>(Utf8(ControlName(Control::标签2))));
  layout_->SetStretchTall(tabs);
  layout_->CaptureDesign();
}

void MainWindow::BuildTopControls(QWidget* area) {
  using C = Control;
  CheckBox(area, C::选择框_窗口置顶, "窗口置顶", 10, 10, 82);
  Button(area, C::按钮_手动读取, "手动读取", 96, 8, 80);
  Combo(area, C::组合框2, 182, 10, 112, Items({"处理文件", "处理文件夹", "拖几个改几个"}));
  auto* folder = Place(new ElidedLabel(area), C::标签2, 300, 10, 460, 24);
  folder->setTextFormat(Qt::PlainText);
  folder->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  folder->setIndent(4);

  Label(area, C::透明标签3, "仅检索扩展名：", 10, 44, 92);
  EditableCombo(area, C::组合框_仅检索, 102, 44, 90);
  Label(area, C::透明标签4, "跳过扩展名：", 200, 44, 80);
  EditableCombo(area, C::组合框_跳过扩展, 280, 44, 90);
  Button(area, C::按钮_打开预览, "打开预览", 380, 42, 90);
  Button(area, C::超级按钮1, "使用教程", 476, 42, 80);
  Label(area, C::透明标签8, "", 564, 44, 196);

  auto* target = Edit(area, C::编辑框14, 10, 78, 240);
  target->setText(Utf8("将在这里创建"));
  Label(area, C::透明标签1, "+", 254, 78, 12);
  EditableCombo(area, C::组合框_创建扩展, 268, 78, 90);
  Button(area, C::按钮14, "创建文件", 364, 76, 80);
  Button(area, C::按钮_直接粘贴txt, "直接粘贴欲改文件名", 480, 76, 150)->hide();

  Button(area, C::按钮_顺序颠倒, "顺序颠倒", 355, 120, 135);
  Button(area, C::按钮_多种重新排序, "多种重新排序", 495, 120, 139);
  Button(area, C::按钮_用我的txt修改, "导入txt对应修改", 639, 120, 123);

  list_ = Place(new FileListView(area), C::超级列表框1, 355, 154, 407, 430);
  list_->InsertColumn(0, Gbk("当前的文件名"), 380);

  Button(area, C::按钮_清空输入框, "清空所有输入框", 355, 592, 131, 30);
  Button(area, C::按钮_清空列表框, "清空列表框", 493, 592, 131, 30);
  Button(area, C::按钮_保存到txt, "保存原文件名到txt", 631, 592, 131, 30);
  Button(area, C::按钮_确认无误执行吧, "确认无误，执行吧", 568, 432, 140, 30)->hide();
  Button(area, C::按钮_撤回上一步, "撤回上一步", kUndoClosedLeft, kUndoClosedTop, 115, 30)->hide();
  Place(new QProgressBar(area), C::进度条1, 355, 632, 407, 20);
  // The progress bar shows during runs with the preview closed, a draft only
  // while it is open: they share a place.
  Label(area, C::透明标签_草稿, "", 355, 632, 407, 20)->hide();
}

void MainWindow::BuildDeletePage(QWidget* page) {
  using C = Control;
  QGroupBox* middle = Group(page, C::分组框6, "删除中间的内容", 6, 6, 324, 190);
  Label(middle, C::标签5, "半角全角", 10, 24, 56);
  Combo(middle, C::组合框1, 68, 24, 100, Items({"英文符号", "中文符号", "B站括号"}));
  CheckBox(middle, C::选择框6, "框里内容一起删", 182, 25, 134);
  Label(middle, C::标签3, "从", 10, 58, 18);
  Edit(middle, C::编辑框2, 30, 58, 120);
  Label(middle, C::标签4, "到", 162, 58, 18);
  Edit(middle, C::编辑框3, 182, 58, 120);
  CheckBox(middle, C::选择框_1头, "首次出现", 30, 86, 110, true);
  CheckBox(middle, C::选择框_1尾, "最后出现", 30, 108, 110);
  CheckBox(middle, C::选择框_2头, "首次出现", 182, 86, 110, true);
  CheckBox(middle, C::选择框_2尾, "最后出现", 182, 108, 110);
  Button(middle, C::按钮_一键删除, "一键删除", 10, 136, 110);
  HelpButton(middle, C::按钮8, 126, 136);
  Label(middle, C::标签13, "主要删除B站下载的视频末尾Av号", 10, 164, 306, 22);

  QGroupBox* before = Group(page, C::分组框1, "删除左边全部", 6, 202, 324, 100);
  QGroupBox* before_which = Group(before, C::分组框15, "", 10, 22, 190, 36);
  Radio(before_which, C::单选框11, "首次出现", 8, 7, 86);
  Radio(before_which, C::单选框12, "最后出现", 98, 7, 86);
  CheckBox(before, C::选择框3, "框里内容一起删", 206, 29, 114);
  Label(before, C::标签14, "删掉", 10, 66, 30);
  Edit(before, C::编辑框8, 42, 66, 158);
  Button(before, C::按钮_删前面, "前面的东西", 206, 64, 108);

  QGroupBox* after = Group(page, C::分组框2, "删除右边全部", 6, 308, 324, 100);
  QGroupBox* after_which = Group(after, C::分组框3, "", 10, 22, 190, 36);
  Radio(after_which, C::单选框1, "首次出现", 8, 7, 86);
  Radio(after_which, C::单选框2, "最后出现", 98, 7, 86);
  CheckBox(after, C::选择框4, "框里内容一起删", 206, 29, 114);
  Label(after, C::标签15, "删掉", 10, 66, 30);
  Edit(after, C::编辑框9, 42, 66, 158);
  Button(after, C::按钮_删后面, "后面的东西", 206, 64, 108);

  QGroupBox* times =
      Group(page, C::分组框5, "空着默认是删除1次，也可填具体删除次数", 6, 414, 324, 90);
  Radio(times, C::单选框13, "从左到右", 10, 24, 90);
  Radio(times, C::单选框14, "从右到左", 104, 24, 90);
  Edit(times, C::编辑框1, 10, 54, 150);
  Button(times, C::按钮_删掉N次, "删掉", 166, 52, 56);
  Edit(times, C::编辑框10, 228, 54, 50);
  Label(times, C::标签8, "次", 284, 54, 20);
}

void MainWindow::BuildReplacePage(QWidget* page) {
  using C = Control;
  QGroupBox* replace = Group(page, C::分组框7, "替换", 6, 6, 324, 186);
  QGroupBox* scope = Group(replace, C::分组框13, "", 10, 22, 148, 54);
  Radio(scope, C::单选框7, "只改数字后符号", 8, 5, 136);
  Radio(scope, C::单选框8, "不限制", 8, 27, 136);
  QGroupBox* direction = Group(replace, C::分组框14, "", 166, 22, 148, 54);
  Radio(direction, C::单选框9, "从最左边开始", 8, 5, 136);
  Radio(direction, C::单选框10, "从最右边开始", 8, 27, 136);
  Label(replace, C::透明标签5, "被替换的", 10, 82, 120, 20);
  Label(replace, C::透明标签6, "替换后的", 184, 82, 120, 20);
  Edit(replace, C::编辑框4, 10, 104, 136);
  Label(replace, C::标签9, "换成", 152, 104, 30);
  Edit(replace, C::编辑框5, 184, 104, 130);
  Label(replace, C::透明标签7, "替换次数", 10, 142, 56);
  Edit(replace, C::编辑框16, 68, 142, 56);
  Button(replace, C::按钮_替换, "全部替换", 184, 140, 96);
  HelpButton(replace, C::按钮7, 286, 140);

  QGroupBox* script = Group(page, C::分组框16, "繁简体之间的转换", 6, 198, 324, 62);
  Radio(script, C::单选框15, "繁转简", 10, 28, 80);
  Radio(script, C::单选框16, "简转繁", 96, 28, 80);
  Button(script, C::按钮_繁简, "繁转简", 206, 24, 108);

  QGroupBox* extension = Group(page, C::分组框4, "批量修改扩展名", 6, 266, 324, 62);
  Label(extension, C::透明标签2, "修改成", 10, 28, 44);
  EditableCombo(extension, C::组合框_修改扩展, 56, 28, 130);
  Button(extension, C::按钮_改扩展, "开始修改", 206, 24, 108);

  QGroupBox* zero_fill = Group(page, C::分组框9, "强迫症功能", 6, 334, 324, 62);
  Button(zero_fill, C::按钮_改01, "1替换成01", 10, 24, 150);
  HelpButton(zero_fill, C::按钮4, 166, 24);

  QGroupBox* numerals = Group(page, C::分组框10, "", 6, 402, 324, 50);
  Button(numerals, C::按钮_十五改15, "第一课改第1课", 10, 11, 148);
  Button(numerals, C::按钮_15改十五, "第1课改第一课", 166, 11, 148);
}

void MainWindow::BuildInsertPage(QWidget* page) {
  using C = Control;
  QGroupBox* anchor = Group(page, C::分组框21, "前面加、后面加", 6, 6, 324, 124);
  QGroupBox* occurrence = Group(anchor, C::分组框12, "", 10, 22, 148, 54);
  Radio(occurrence, C::单选框5, "首次出现", 8, 5, 136);
  Radio(occurrence, C::单选框6, "最后出现", 8, 27, 136);
  QGroupBox* side = Group(anchor, C::分组框11, "", 166, 22, 148, 54);
  Radio(side, C::单选框3, "在前面加", 8, 5, 136);
  Radio(side, C::单选框4, "在后面加", 8, 27, 136);
  Label(anchor, C::标签16, "在", 10, 86, 16);
  Edit(anchor, C::编辑框11, 28, 86, 100);
  Button(anchor, C::按钮_在某物前后加, "前面加", 134, 84, 70);
  Edit(anchor, C::编辑框12, 210, 86, 104);

  QGroupBox* ends = Group(page, C::分组框8, "不影响扩展名", 6, 136, 324, 92);
  Edit(ends, C::编辑框6, 10, 26, 190);
  Button(ends, C::按钮_最前面加, "最前面加", 206, 24, 108);
  Edit(ends, C::编辑框7, 10, 58, 190);
  Button(ends, C::按钮_最后面加, "最尾部加", 206, 56, 108);

  QGroupBox* after_extension = Group(page, C::分组框20, "在扩展名后面加", 6, 234, 324, 62);
  Edit(after_extension, C::编辑框18, 10, 28, 150);
  Button(after_extension, C::按钮_扩展名后面加, "扩展名后面加", 166, 26, 114);
  HelpButton(after_extension, C::按钮6, 286, 26);

  QGroupBox* after_number = Group(page, C::分组框22, "", 6, 302, 324, 48);
  Edit(after_number, C::编辑框13, 10, 12, 120);
  Button(after_number, C::按钮_数字后加符号, "数字编号后面加符号", 136, 10, 144);
  HelpButton(after_number, C::按钮5, 286, 10);

  QGroupBox* numbering = Group(page, C::分组框23, "", 6, 356, 324, 86);
  Label(numbering, C::透明标签10, "起始序号", 10, 12, 56);
  Edit(numbering, C::编辑框17, 68, 12, 60);
  Label(numbering, C::透明标签11, "序号后符号", 146, 12, 70);
  Combo(numbering, C::组合框5, 218, 12, 96, Items({"不加", "、", ".", "-", "，", "："}));
  Label(numbering, C::透明标签12, "每次递增", 10, 48, 56);
  Edit(numbering, C::编辑框19, 68, 48, 60);
  Button(numbering, C::按钮_加序号, "开始执行", 146, 46, 100);
  HelpButton(numbering, C::按钮3, 286, 46);

  Button(page, C::按钮_模拟B站AV, "加模拟B站AV号", 6, 450, 150, 30);
}

void MainWindow::BuildSpecialPage(QWidget* page) {
  using C = Control;
  QGroupBox* leading = Group(page, C::分组框19, "", 6, 6, 324, 50);
  Button(leading, C::按钮1, "删除序号", 10, 11, 90);
  Edit(leading, C::编辑框15, 106, 13, 50);
  Label(leading, C::透明标签9, "位字符以内", 160, 13, 80);
  HelpButton(leading, C::按钮2, 286, 11);

  QGroupBox* removal =
      Group(page, C::分组框17, "慎用！会直接删除原文件，显示的都删除！", 6, 64, 324, 116);
  QGroupBox* how = Group(removal, C::分组框18, "", 10, 24, 304, 40);
  Radio(how, C::单选框17, "直接删除", 10, 9, 100, true);
  Radio(how, C::单选框18, "删除到回收站", 130, 9, 130);
  Button(removal, C::按钮_删除文件, "删除右边列表框中显示的所有文件", 10, 74, 304, 30);
}

void MainWindow::BuildAdvancedPage(QWidget* page) {
  using C = Control;
  page->setObjectName(Utf8("高级页"));
  QGroupBox* regex = Group(page, C::分组框_正则, "正则表达式替换", 6, 6, 324, 168);
  Label(regex, C::透明标签_正则查找, "查找", 10, 26, 44);
  Edit(regex, C::编辑框_正则查找, 56, 26, 258);
  Label(regex, C::透明标签_正则替换为, "替换为", 10, 56, 44);
  Edit(regex, C::编辑框_正则替换为, 56, 56, 258);
  auto* error = Label(regex, C::透明标签_正则错误, "", 10, 82, 304, 20);
  QPalette warning = error->palette();
  warning.setColor(QPalette::WindowText, QColor(0xC0, 0x39, 0x2B));
  error->setPalette(warning);
  CheckBox(regex, C::选择框_正则区分大小写, "区分大小写", 10, 106, 100, true);
  CheckBox(regex, C::选择框_正则含扩展名, "连扩展名一起", 112, 106, 110);
  CheckBox(regex, C::选择框_正则只换第一个, "只替换第一处", 10, 134, 110);
  Button(regex, C::按钮_正则替换, "正则替换", 184, 132, 96);
  HelpButton(regex, C::按钮_正则帮助, 286, 132);

  QGroupBox* info = Group(page, C::分组框_信息, "按文件信息命名", 6, 180, 324, 170);
  Label(info, C::透明标签_信息模板, "模板", 10, 26, 44);
  QLineEdit* pattern = Edit(info, C::编辑框_信息模板, 56, 26, 258);
  Label(info, C::透明标签_信息字段, "插入", 10, 56, 44);
  QStringList fields;
  for (const InfoFieldName& field : InfoFieldNames()) fields << QString::fromUtf8(field.utf8);
  DropDownComboBox* field_list = Combo(info, C::组合框_信息字段, 56, 56, 130, fields);
  // A picked field goes into the template where the cursor is.
  connect(field_list, &QComboBox::activated, pattern, [pattern, field_list] {
    pattern->insert(field_list->currentText());
    pattern->setFocus(Qt::OtherFocusReason);
  });
  Label(info, C::透明标签_日期格式, "日期格式", 10, 86, 56);
  Edit(info, C::编辑框_日期格式, 68, 86, 118);
  CheckBox(info, C::选择框_无日期用修改时间, "没有拍摄日期时用修改时间", 10, 112, 220);
  Button(info, C::按钮_按信息命名, "按信息命名", 184, 136, 96);
  HelpButton(info, C::按钮_信息帮助, 286, 136);

  QGroupBox* pinyin = Group(page, C::分组框_拼音, "汉字转拼音", 6, 356, 324, 124);
  Label(pinyin, C::透明标签_拼音形式, "形式", 10, 26, 32);
  Combo(pinyin, C::组合框_拼音形式, 44, 26, 110, Items({"全拼", "首字母"}));
  Label(pinyin, C::透明标签_拼音声调, "声调", 162, 26, 40);
  Combo(pinyin, C::组合框_拼音声调, 204, 26, 110, Items({"不带声调", "声调符号", "数字声调"}));
  Label(pinyin, C::透明标签_拼音分隔, "分隔", 10, 58, 32);
  Combo(pinyin, C::组合框_拼音分隔, 44, 58, 110, Items({"无", "空格", "_", "-"}));
  Label(pinyin, C::透明标签_拼音大小写, "大小写", 162, 58, 40);
  Combo(pinyin, C::组合框_拼音大小写, 204, 58, 110, Items({"小写", "首字母大写", "全大写"}));
  Button(pinyin, C::按钮_转拼音, "转拼音", 184, 90, 96);
  HelpButton(pinyin, C::按钮_拼音帮助, 286, 90);
}

}  // namespace qm

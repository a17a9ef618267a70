#include "app/mapped_rename_window.h"

#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "app/mapped_controls.h"
#include "app/name_windows.h"
#include "app/widget_placement.h"
#include "mapped/mapped_rename.h"
#include "mapped/name_editing.h"
#include "platform/main_services.h"
#include "platform/mapped_services.h"
#include "platform/qt/file_list_view.h"
#include "platform/qt/qt_drop_target.h"
#include "platform/qt/qt_job_progress.h"
#include "platform/qt/qt_messages.h"
#include "text/gbk_text.h"
#include "workspace/list_ordering.h"

namespace qm {

MappedRenameWindow::MappedRenameWindow(QWidget* main_window, MainServices& main,
                                       const std::vector<GbkText>& names, Messages* messages)
    : QWidget(main_window, Qt::Window), main_window_(main_window), main_(main) {
  using C = MappedControl;
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(Utf8("MappedRenameWindow"));
  setWindowTitle(Utf8("按设定的文件名一对一对应修改"));
  setFixedSize(700, 560);

  auto* hint = Place(
      new QLabel(Utf8("按下执行按钮后，右边的将直接替换左边的，请仔细核对是不是一一对应"), this),
      C::透明标签1, 10, 8, 680, 24);
  hint->setTextFormat(Qt::PlainText);
  list_ = Place(new FileListView(this), C::超级列表框1, 10, 36, 680, 420);
  list_->InsertColumn(0, Gbk("被更名的文件名"), 330);
  list_->InsertColumn(1, Gbk("更名后的效果"), 330);

  auto button = [this](C id, const char* caption, int left, int top, int width) {
    auto* made = new QPushButton(Utf8(caption), this);
    made->setAutoDefault(false);
    return Place(made, id, left, top, width, 32);
  };
  QPushButton* run = button(C::按钮_执行改名, "确认无误，执行", 10, 468, 160);
  with_extension_ =
      Place(new QCheckBox(Utf8("连后缀一起改"), this), C::选择框_连后缀一起改, 180, 473, 130, 22);
  QPushButton* paste = button(C::按钮_手动粘贴, "直接粘贴进来", 320, 468, 120);
  QPushButton* clear = button(C::按钮_手动粘贴1, "清空以上列表", 450, 468, 120);
  QPushButton* sort = button(C::按钮_重新排序2, "重新排序", 10, 512, 160);
  QPushButton* reverse = button(C::按钮_顺序颠倒2, "顺序颠倒", 180, 512, 130);
  QPushButton* close_button = button(C::按钮_关闭窗口2, "关闭此窗口", 580, 512, 110);

  if (messages == nullptr) messages = (own_messages_ = std::make_unique<QtMessages>(this)).get();
  progress_ = std::make_unique<QtJobProgress>(this);
  services_ =
      std::make_unique<MappedServices>(MappedServices{*list_, *messages, main_, *progress_});

  menu_ = new QMenu(this);
  menu_->setObjectName(Utf8("右键功能2"));
  connect(menu_->addAction(Utf8("上移")), &QAction::triggered, this,
          [this] { MoveCell(*list_, services_->messages, -1); });
  connect(menu_->addAction(Utf8("下移")), &QAction::triggered, this,
          [this] { MoveCell(*list_, services_->messages, +1); });
  connect(menu_->addAction(Utf8("删除")), &QAction::triggered, this,
          [this] { ClearCell(*list_, list_->CurrentRow(), list_->ClickedColumn()); });
  connect(menu_->addAction(Utf8("手动修改这个")), &QAction::triggered, this,
          [this] { OpenEditor(); });
  connect(list_, &FileListView::RightClicked, this, [this] { PopUpMenu(); });

  connect(run, &QPushButton::clicked, this,
          [this] { MappedRename(*services_, with_extension_->isChecked()); });
  connect(paste, &QPushButton::clicked, this, [this] { OpenNamePasteWindow(this, *list_); });
  connect(clear, &QPushButton::clicked, this, [this] { ClearNewNames(*list_); });
  connect(sort, &QPushButton::clicked, this, [this] { SortNewNames(*list_, services_->messages); });
  connect(reverse, &QPushButton::clicked, this,
          [this] { ReverseNewNames(*list_, services_->messages); });
  connect(close_button, &QPushButton::clicked, this, &QWidget::close);

  drops_ = std::make_unique<QtDropTarget>(this);
  drops_->Register([this](const GbkText& path) {
    ImportNameFile(main_.files, *list_, services_->messages, path);
  });

  show();
  FillMappedList(*list_, names);
  // A window owned by a disabled one is disabled with it unless enabled again.
  if (main_window_) main_window_->setEnabled(false);
  setEnabled(true);
}

MappedRenameWindow::~MappedRenameWindow() {
  WriteBack(*list_, main_.list);
  drops_->Unregister();
  if (main_window_) main_window_->setEnabled(true);
}

void MappedRenameWindow::PopUpMenu() {
  if (list_->CurrentRow() < 0) return;
  menu_->popup(QCursor::pos());
}

void MappedRenameWindow::OpenEditor() {
  OpenSingleNameEditor(this, EditSource{*list_, services_->messages, *progress_}, main_);
}

}  // namespace qm

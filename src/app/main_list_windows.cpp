#include "app/main_list_windows.h"

#include <QCursor>
#include <QMenu>

#include "app/main_handlers.h"
#include "app/mapped_rename_window.h"
#include "app/name_windows.h"
#include "mapped/name_editing.h"
#include "platform/qt/file_list_view.h"

namespace qm {
namespace {

QMenu* Menu(QWidget* owner, const char* name, std::initializer_list<const char*> items) {
  auto* menu = new QMenu(owner);
  menu->setObjectName(QString::fromUtf8(name));
  for (const char* item : items) menu->addAction(QString::fromUtf8(item));
  return menu;
}

}  // namespace

MainListWindows::MainListWindows(QWidget* main_window, FileListView& list, MainServices& services)
    : main_window_(main_window), list_(list), services_(services) {
  list_menu_ = Menu(main_window, "右键功能1", {"上移", "下移", "删除已选中文件名", "手动修改这个"});
  sort_menu_ = Menu(main_window, "多种重新排序",
                    {"按数字大小排序", "按文件创建时间排序", "按文件最后修改时间排序"});
}

MainListWindows::~MainListWindows() { delete mapped_window_.data(); }

void MainListWindows::Connect(MainHandlers& handlers) {
  MainHandlers* target = &handlers;
  const QList<QAction*> list_items = list_menu_->actions();
  for (int i = 0; i < list_items.size(); ++i) {
    QObject::connect(list_items[i], &QAction::triggered, list_menu_,
                     [target, i] { target->ListMenuChosen(static_cast<ListMenuItem>(i)); });
  }
  const QList<QAction*> sort_items = sort_menu_->actions();
  for (int i = 0; i < sort_items.size(); ++i) {
    QObject::connect(sort_items[i], &QAction::triggered, sort_menu_,
                     [target, i] { target->SortMenuChosen(static_cast<SortMenuItem>(i)); });
  }
  QObject::connect(&list_, &FileListView::RightClicked, list_menu_,
                   [target] { target->ListRightClicked(); });
  QObject::connect(&list_, &FileListView::ItemDoubleClicked, list_menu_,
                   [target] { target->ListItemDoubleClicked(); });
}

MappedRenameWindow* MainListWindows::mapped_window() const { return mapped_window_.data(); }

void MainListWindows::PopUpListMenu() { list_menu_->popup(QCursor::pos()); }

void MainListWindows::PopUpSortMenu() { sort_menu_->popup(QCursor::pos()); }

void MainListWindows::OpenMappedRename(const std::vector<GbkText>& names) {
  // MainWindow is disabled while one is open, so a second cannot be asked for.
  if (!mapped_window_.isNull()) return;
  mapped_window_ = new MappedRenameWindow(main_window_, services_, names);
}

void MainListWindows::OpenNameEditor() {
  OpenSingleNameEditor(
      main_window_, EditSource{services_.list, services_.messages, services_.progress}, services_);
}

}  // namespace qm

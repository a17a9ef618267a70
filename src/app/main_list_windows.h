#pragma once

#include <QPointer>
#include <vector>

#include "platform/main_services.h"

class QMenu;
class QWidget;

namespace qm {

class FileListView;
class MainHandlers;
class MappedRenameWindow;

// MainWindow's two menus and the secondary windows it opens from its list.
class MainListWindows {
 public:
  MainListWindows(QWidget* main_window, FileListView& list, MainServices& services);
  // Destroys an open MappedRenameWindow while MainWindow can still take its names.
  ~MainListWindows();

  // The handlers that receive the chosen menu items; set once they exist.
  void Connect(MainHandlers& handlers);

  // Pops a menu up at the pointer; its items come back as ListMenuChosen and
  // SortMenuChosen of the handlers.
  void PopUpListMenu();
  void PopUpSortMenu();
  // Opens the MappedRenameWindow over these names, with MainWindow disabled
  // until it is destroyed.
  void OpenMappedRename(const std::vector<GbkText>& names);
  // Opens the SingleNameEditor on FileListView.
  void OpenNameEditor();

  // The open MappedRenameWindow, or nullptr.
  MappedRenameWindow* mapped_window() const;

 private:
  QWidget* main_window_;
  FileListView& list_;
  MainServices& services_;
  QMenu* list_menu_ = nullptr;
  QMenu* sort_menu_ = nullptr;
  QPointer<MappedRenameWindow> mapped_window_;
};

}  // namespace qm

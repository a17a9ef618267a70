#pragma once

#include <vector>

#include "base/gbk_text_type.h"

namespace qm {

// The items of FileListView's right-click menu "右键功能1", in menu order.
enum class ListMenuItem { MoveUp, MoveDown, DeleteSelected, EditThis };
// The items of the menu "多种重新排序", in menu order.
enum class SortMenuItem { ByNumber, ByCreationTime, ByLastWriteTime };

// The menus and secondary windows MainWindow's list handlers open.
class ListWindows {
 public:
  virtual ~ListWindows() = default;
  // Pops a menu up at the pointer; its items come back as ListMenuChosen and
  // SortMenuChosen of the handlers.
  virtual void PopUpListMenu() = 0;
  virtual void PopUpSortMenu() = 0;
  // Opens the MappedRenameWindow over these names, with MainWindow disabled
  // until it is destroyed.
  virtual void OpenMappedRename(const std::vector<GbkText>& names) = 0;
  // Opens the SingleNameEditor on FileListView.
  virtual void OpenNameEditor() = 0;
};

}  // namespace qm

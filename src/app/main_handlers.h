#pragma once

#include "platform/controls.h"
#include "platform/main_services.h"
#include "platform/shell.h"
#include "rename/undo_record.h"
#include "workspace/intake_guard.h"

namespace qm {

class MainListWindows;
class QtDropTarget;

// The items of FileListView's right-click menu "右键功能1", in menu order.
enum class ListMenuItem { MoveUp, MoveDown, DeleteSelected, EditThis };
// The items of the menu "多种重新排序", in menu order.
enum class SortMenuItem { ByNumber, ByCreationTime, ByLastWriteTime };

// The list's menus, secondary windows, the clipboard (of the shell) and drops; a handler whose
// service is missing does nothing.
struct MainListServices {
  MainListWindows* windows = nullptr;
  Shell* shell = nullptr;
  QtDropTarget* drops = nullptr;
};

// Routes MainWindow's control events to the Qt-free handlers. The window
// only translates Qt signals into these calls.
class MainHandlers {
 public:
  MainHandlers(MainServices& services, UndoHistory& undo, MainListServices list_services = {})
      : services_(services), undo_(undo), list_services_(list_services) {}
  ~MainHandlers();

  // The window-created steps, before the window is shown.
  void WindowCreated();
  // Once the window is shown: names of an interrupted run are offered back,
  // the last finished rename becomes undoable.
  void ResumeAfterStart();
  // A click on a button, check box or radio button.
  void Clicked(Control control);
  // A list item of a combo was picked.
  void ComboItemSelected(Control combo);
  // A key was pressed in a combo's edit part (13 = Enter).
  void ComboKeyPressed(Control combo, int key);
  // A combo's drop-down list is about to open.
  void ComboDropDown(Control combo);
  // The user typed in a combo's edit part.
  void ComboTextEdited(Control combo);
  // An edit box received the input focus.
  void EditFocused(Control edit);
  // A folder named when the program starts, read as the folder button reads
  // the folder chosen in its dialog.
  void FolderGiven(const GbkText& folder);

  // FileListView was right-clicked, after its hit test.
  void ListRightClicked();
  // An item of FileListView was double-clicked, after its hit test.
  void ListItemDoubleClicked();
  void ListMenuChosen(ListMenuItem item);
  void SortMenuChosen(SortMenuItem item);
  // One dropped path (MainWindow's DropCallback).
  void TakeDropped(const GbkText& path);

 private:
  MainServices& services_;
  UndoHistory& undo_;
  MainListServices list_services_;
  // Keeps a scan interrupted by a newer intake or a clear out of the list.
  IntakeGuard intake_guard_;
};

}  // namespace qm

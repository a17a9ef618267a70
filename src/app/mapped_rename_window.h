#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "base/gbk_text_type.h"

class QCheckBox;
class QMenu;

namespace qm {

// Only declared: the Qt meta-object compiler reads this header and does not
// follow the control names.
class FileListView;
class Messages;
class QtDropTarget;
class QtJobProgress;
struct MainServices;
struct MappedServices;

// MappedRenameWindow: renames FileListView's entries one to one after a list
// of new names. Owned by MainWindow, which stays disabled until this window is
// destroyed; destroying it writes its old-name column back to FileListView.
class MappedRenameWindow : public QWidget {
  Q_OBJECT

 public:
  // Shows the window over names; messages replaces its own message boxes in tests.
  MappedRenameWindow(QWidget* main_window, MainServices& main, const std::vector<GbkText>& names,
                     Messages* messages = nullptr);
  ~MappedRenameWindow() override;

  FileListView& list() { return *list_; }

 private:
  void PopUpMenu();
  void OpenEditor();

  QPointer<QWidget> main_window_;
  MainServices& main_;
  FileListView* list_ = nullptr;
  QCheckBox* with_extension_ = nullptr;
  QMenu* menu_ = nullptr;
  std::unique_ptr<Messages> own_messages_;
  // The window's own: MainWindow is disabled while this one is open.
  std::unique_ptr<QtJobProgress> progress_;
  std::unique_ptr<QtDropTarget> drops_;
  std::unique_ptr<MappedServices> services_;
};

}  // namespace qm

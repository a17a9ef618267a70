#pragma once

#include <QWidget>

#include "base/gbk_text_type.h"
#include "platform/name_editor.h"

class QCheckBox;
class QLineEdit;
class QTextEdit;

namespace qm {

// Only declared: the Qt meta-object compiler reads this header and does not
// follow the control names.
class ListView;
class Messages;
class JobProgress;
struct EditSource;
struct MainServices;

// SingleNameEditor: edits the cell of the source list that was current (row)
// and clicked (column) when it was opened; clicks in the list after that do
// not change which cell it edits. Owned by the window of that list, not modal.
class SingleNameEditor : public QWidget, public NameEditor {
  Q_OBJECT

 public:
  SingleNameEditor(QWidget* owner, const EditSource& source, MainServices& main);

  GbkText EditedText() const override;
  bool ConfirmsSuccess() const override;
  void Close() override { close(); }

  // Edits the source list's current cell from now on, starting from its text.
  void BindToCurrentCell();

 private:
  void Confirm();

  ListView& list_;
  Messages& messages_;
  JobProgress& progress_;
  MainServices& main_;
  int row_ = -1;
  int column_ = 0;
  QLineEdit* edit_ = nullptr;
  QCheckBox* confirm_box_ = nullptr;
};

// NamePasteWindow: pasted lines become the new names of a list. Owned by the
// window of that list, not modal.
class NamePasteWindow : public QWidget {
  Q_OBJECT

 public:
  NamePasteWindow(QWidget* owner, ListView& target);

 private:
  ListView& target_;
  QTextEdit* text_ = nullptr;
};

// Opens the editor on the source list's current cell, or binds the one already
// open to that cell and brings it to the front.
void OpenSingleNameEditor(QWidget* owner, const EditSource& source, MainServices& main);
// Opens the paste window, or brings the one already open to the front.
void OpenNamePasteWindow(QWidget* owner, ListView& target);

}  // namespace qm

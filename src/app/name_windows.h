#pragma once

#include <QWidget>

#include "platform/gbk_text_type.h"
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

// SingleNameEditor: edits the cell of the source list's current row in its
// clicked column. Owned by the window of that list, not modal.
class SingleNameEditor : public QWidget, public NameEditor {
  Q_OBJECT

 public:
  SingleNameEditor(QWidget* owner, const EditSource& source, MainServices& main);

  GbkText EditedText() const override;
  bool ConfirmsSuccess() const override;
  void Close() override { close(); }

 private:
  ListView& list_;
  Messages& messages_;
  JobProgress& progress_;
  MainServices& main_;
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

// Opens the editor, or brings the one already open to the front.
void OpenSingleNameEditor(QWidget* owner, const EditSource& source, MainServices& main);
// Opens the paste window, or brings the one already open to the front.
void OpenNamePasteWindow(QWidget* owner, ListView& target);

}  // namespace qm

#include "app/name_windows.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>

#include "app/name_editor_controls.h"
#include "app/name_paste_controls.h"
#include "app/widget_placement.h"
#include "mapped/name_editing.h"
#include "platform/main_services.h"
#include "platform/qt/qt_text.h"

namespace qm {
namespace {

QPushButton* Button(QWidget* parent, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setAutoDefault(false);
  return button;
}

// A secondary window: its own top-level window, owned by the opening one and
// destroyed when closed.
void MakeOwnedWindow(QWidget* window, QWidget* owner, const char* class_name, const char* title,
                     int width, int height) {
  window->setParent(owner, Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setObjectName(QString::fromUtf8(class_name));
  window->setWindowTitle(QString::fromUtf8(title));
  window->setFixedSize(width, height);
}

void BringToFront(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

QPointer<SingleNameEditor>& OpenEditor() {
  static QPointer<SingleNameEditor> editor;
  return editor;
}

QPointer<NamePasteWindow>& OpenPaste() {
  static QPointer<NamePasteWindow> paste;
  return paste;
}

}  // namespace

SingleNameEditor::SingleNameEditor(QWidget* owner, const EditSource& source, MainServices& main)
    : list_(source.list), messages_(source.messages), progress_(source.progress), main_(main) {
  using C = EditorControl;
  MakeOwnedWindow(this, owner, "SingleNameEditor", "执行单个修改", 420, 104);
  edit_ = Place(new QLineEdit(this), C::编辑框1, 10, 12, 400, 26);
  Place(Button(this, "确认修改"), C::按钮1, 10, 56, 110, 30);
  auto* close_button = Place(Button(this, "关闭"), C::按钮2, 130, 56, 80, 30);
  confirm_box_ =
      Place(new QCheckBox(QString::fromUtf8("修改后弹出提示"), this), C::选择框1, 230, 60, 170, 22);

  BindToCurrentCell();
  connect(findChild<QPushButton*>(QString::fromUtf8(ControlName(C::按钮1))), &QPushButton::clicked,
          this, [this] { Confirm(); });
  connect(close_button, &QPushButton::clicked, this, &QWidget::close);
  // Enter in the edit box confirms, as the button does.
  connect(edit_, &QLineEdit::returnPressed, this, [this] { Confirm(); });
}

void SingleNameEditor::BindToCurrentCell() {
  const EditedCell cell = CellToEdit(list_);
  row_ = cell.row;
  column_ = cell.column;
  edit_->setText(ToQString(list_.Cell(row_, column_)));
  edit_->setFocus();
  edit_->end(false);
}

void SingleNameEditor::Confirm() {
  ConfirmEdit(*this, EditSource{list_, messages_, progress_}, EditedCell{row_, column_}, main_);
}

GbkText SingleNameEditor::EditedText() const { return FromQString(edit_->text()); }

bool SingleNameEditor::ConfirmsSuccess() const { return confirm_box_->isChecked(); }

NamePasteWindow::NamePasteWindow(QWidget* owner, ListView& target) : target_(target) {
  using C = PasteControl;
  MakeOwnedWindow(this, owner, "NamePasteWindow", "直接粘贴欲改文件名", 420, 400);
  text_ = Place(new QTextEdit(this), C::超级编辑框1, 10, 10, 400, 334);
  // Names are plain text; pasted formatting would only hide what is pasted.
  text_->setAcceptRichText(false);
  text_->setLineWrapMode(QTextEdit::NoWrap);
  QFont font = text_->font();
  font.setFamilies({QString::fromUtf8("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
  font.setPointSize(12);
  text_->setFont(font);
  auto* confirm = Place(Button(this, "确认"), C::按钮_确认4, 10, 354, 120, 34);
  auto* close_button = Place(Button(this, "关闭此窗口"), C::按钮_关闭4, 290, 354, 120, 34);
  connect(confirm, &QPushButton::clicked, this, [this] {
    // The text box reports a line break as a bare LF; the names split at CR LF.
    QString pasted = text_->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n"));
    ConfirmPaste(FromQString(pasted), target_);
    close();
  });
  connect(close_button, &QPushButton::clicked, this, &QWidget::close);
}

void OpenSingleNameEditor(QWidget* owner, const EditSource& source, MainServices& main) {
  QPointer<SingleNameEditor>& editor = OpenEditor();
  // One opened on the other list gives way: its owner may be disabled now
  // (MainWindow while the mapped window is open), which would leave it dead.
  if (!editor.isNull() && editor->parentWidget() != owner) editor->close();
  if (editor.isNull() || !editor->isVisible()) {
    editor = new SingleNameEditor(owner, source, main);
  } else {
    editor->BindToCurrentCell();
  }
  BringToFront(editor);
}

void OpenNamePasteWindow(QWidget* owner, ListView& target) {
  QPointer<NamePasteWindow>& paste = OpenPaste();
  if (paste.isNull() || !paste->isVisible()) paste = new NamePasteWindow(owner, target);
  BringToFront(paste);
}

}  // namespace qm

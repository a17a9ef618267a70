#include "platform/qt/drop_down_combo_box.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace qm {

DropDownComboBox::DropDownComboBox(QWidget* parent) : QComboBox(parent) {
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(20);
}

void DropDownComboBox::MakeEditable() {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  // Qt picks the item whose text equals the typed one when the user presses
  // Enter or leaves the box; here an item is picked only from the list.
  setDuplicatesEnabled(true);
  disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
  setCompleter(nullptr);
}

void DropDownComboBox::showPopup() {
  if (on_drop_down) on_drop_down();
  QComboBox::showPopup();
}

void DropDownComboBox::keyPressEvent(QKeyEvent* event) {
  if (on_key) on_key(HandlerKeyCode(event->key()));
  QComboBox::keyPressEvent(event);
}

int HandlerKeyCode(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Delete:
      return 46;
    default:
      // Space, digits and capital letters share their codes with the system's.
      return qt_key;
  }
}

}  // namespace qm

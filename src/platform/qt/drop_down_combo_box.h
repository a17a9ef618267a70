#pragma once

#include <QComboBox>
#include <functional>

namespace qm {

// A combo that reports its drop-down opening before the list is shown, so a
// handler can fill the items first, and the keys typed into its edit part.
// Those keys are watched on the combo itself: the keyboard delivers them to
// the focused combo, which hands them to its line edit directly, past any
// event filter there.
class DropDownComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DropDownComboBox(QWidget* parent = nullptr);

  // An editable combo like the system's own: no completion, and Enter never
  // adds the typed text as an item.
  void MakeEditable();

  void showPopup() override;

  std::function<void()> on_drop_down;
  // Receives the key (13 for Enter), which then reaches the edit part as usual.
  std::function<void(int key)> on_key;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The key code handlers see: the system's virtual key codes for Enter,
// Backspace, Tab, Escape, Delete, Space, digits and letters.
int HandlerKeyCode(int qt_key);

}  // namespace qm

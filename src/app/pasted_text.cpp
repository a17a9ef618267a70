#include "app/pasted_text.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <cstdlib>

#include "app/widget_placement.h"
#include "platform/messages.h"
#include "platform/qt/qt_text.h"
#include "text/gbk_text.h"

namespace qm {

QString FieldName(QWidget* field) {
  const QRect place = field->geometry();
  for (auto* label : field->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    const QRect caption = label->geometry();
    bool same_line = caption.top() < place.bottom() && caption.bottom() > place.top();
    bool just_left = caption.right() < place.left() && place.left() - caption.right() <= 12;
    if (same_line && just_left && !label->text().isEmpty()) {
      QString name = label->text();
      if (name.endsWith(QChar(0xFF1A))) name.chop(1);  // the full-width colon
      return name;
    }
  }
  for (auto* label : field->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    const QRect caption = label->geometry();
    bool same_column = std::abs(caption.left() - place.left()) <= 4;
    bool just_above = caption.bottom() < place.top() && place.top() - caption.bottom() <= 8;
    if (same_column && just_above && !label->text().isEmpty()) return label->text();
  }
  for (QWidget* around = field->parentWidget(); around != nullptr;
       around = around->parentWidget()) {
    if (auto* group = qobject_cast<QGroupBox*>(around); group && !group->title().isEmpty()) {
      return group->title();
    }
  }
  return field->objectName();
}

void RefuseTextWithoutInternalForm(QLineEdit* edit, QWidget* field, Messages& messages) {
  const QString text = edit->text();
  if (CharactersWithoutInternalForm(text).isEmpty()) return;
  const QString kept = WithoutCharactersLackingInternalForm(text);
  const int cursor = edit->cursorPosition();
  const int removed_before =
      static_cast<int>(CharactersWithoutInternalForm(text.left(cursor)).size());
  edit->setText(kept);
  edit->setCursorPosition(cursor - removed_before);
  const QString message =
      Utf8("“%1”里有无法处理的字符（例如复制来的半个字符），已经去掉，请检查后再操作。")
          .arg(FieldName(field));
  messages.Show(FromQString(message), Gbk("提示"), Icon::Information, Buttons::Ok);
}

}  // namespace qm

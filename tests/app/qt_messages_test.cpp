#include "platform/qt/qt_messages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "qt_application.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

QMessageBox* OpenMessageBox() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
      return box;
    }
  }
  return nullptr;
}

TEST(QtMessages, ShowsTheTextTitleIconAndButtonsAndReportsTheAnswer) {
  struct Row {
    const char* name;
    const char* title;
    Icon icon;
    Buttons buttons;
    std::function<void(QMessageBox*)> answer;
    const char* shown_title;
    QMessageBox::Icon shown_icon;
    int button_count;
    Answer expected;
  } rows[] = {
      {"ok-only/default-title", "", Icon::Information, Buttons::Ok,
       [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); }, "信息：",
       QMessageBox::Information, 1, Answer::Ok},
      {"ok-cancel/ok", "提示", Icon::None, Buttons::OkCancel,
       [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); }, "提示", QMessageBox::NoIcon,
       2, Answer::Ok},
      {"ok-cancel/cancel", "提醒：", Icon::Information, Buttons::OkCancel,
       [](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); }, "提醒：",
       QMessageBox::Information, 2, Answer::Cancel},
      {"ok-cancel/closed", "提示", Icon::Information, Buttons::OkCancel,
       [](QMessageBox* box) { box->close(); }, "提示", QMessageBox::Information, 2, Answer::Cancel},
  };
  QWidget owner;
  QtMessages messages(&owner);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
      QMessageBox* box = OpenMessageBox();
      if (box == nullptr) return;
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = static_cast<int>(box->buttons().size());
      row.answer(box);
    });
    Answer answer = messages.Show(Gbk("第一行\r\n第二行"), Gbk(row.title), row.icon, row.buttons);
    EXPECT_EQ(answer, row.expected);
    EXPECT_EQ(title, QString::fromUtf8(row.shown_title));
    EXPECT_EQ(text, QString::fromUtf8("第一行\n第二行"));
    EXPECT_EQ(icon, row.shown_icon);
    EXPECT_EQ(buttons, row.button_count);
  }
}

}  // namespace
}  // namespace qm

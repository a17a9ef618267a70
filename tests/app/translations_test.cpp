#include "app/translations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <functional>

#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_window_system.h"
#include "qt_application.h"
#include "text/gbk_text.h"

namespace qm {
namespace {

template <class Dialog>
Dialog* OpenDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<Dialog*>(widget); dialog != nullptr && dialog->isVisible()) {
      return dialog;
    }
  }
  return nullptr;
}

// The translations stay for one test only: other tests see Qt's own texts.
class InstalledTranslations {
 public:
  explicit InstalledTranslations(const char* locale)
      : translator_(InstallQtTranslations(QLocale(QString::fromLatin1(locale)))) {}
  ~InstalledTranslations() {
    if (translator_ != nullptr) QCoreApplication::removeTranslator(translator_);
    delete translator_;
  }
  bool installed() const { return translator_ != nullptr; }

 private:
  QTranslator* translator_;
};

TEST(QtTranslations, MessageBoxButtonsFollowTheLocale) {
  struct Row {
    const char* locale;
    const char* ok;
    const char* cancel;
  } rows[] = {{"zh_CN", "确定", "取消"}, {"de_DE", "OK", "Abbrechen"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.locale);
    InstalledTranslations translations(row.locale);
    ASSERT_TRUE(translations.installed());
    QString ok, cancel;
    QTimer::singleShot(0, [&] {
      QMessageBox* box = OpenDialog<QMessageBox>();
      if (box == nullptr) return;
      ok = box->button(QMessageBox::Ok)->text().remove(QChar('&'));
      cancel = box->button(QMessageBox::Cancel)->text().remove(QChar('&'));
      box->button(QMessageBox::Cancel)->click();
    });
    QWidget owner;
    QtMessages(&owner).Show(Gbk("要继续吗？"), Gbk("提示"), Icon::Information, Buttons::OkCancel);
    EXPECT_EQ(ok, QString::fromUtf8(row.ok));
    EXPECT_EQ(cancel, QString::fromUtf8(row.cancel));
  }
}

TEST(QtTranslations, FolderDialogIsChineseAndOpensAtTheGivenFolderOrHome) {
  InstalledTranslations translations("zh_CN");
  ASSERT_TRUE(translations.installed());
  QTemporaryDir working;
  struct Row {
    const char* name;
    GbkText start;
    QString opened_at;
  } rows[] = {
      {"working-folder", FromQString(working.path() + "/"), working.path()},
      {"none-gives-home", "", QDir::homePath()},
      {"gone-gives-home", "/no/such/folder/", QDir::homePath()},
  };
  QWidget owner;
  QtWindowSystem windows(&owner);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QString opened_at, accept_text;
    QTimer::singleShot(0, [&] {
      QFileDialog* dialog = OpenDialog<QFileDialog>();
      if (dialog == nullptr) return;
      opened_at = dialog->directory().absolutePath();
      if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
        accept_text = buttons->button(QDialogButtonBox::Open)->text();
      }
      dialog->reject();
    });
    EXPECT_EQ(windows.ChooseFolderDialog(Gbk("选择目录"), row.start), "");
    EXPECT_EQ(opened_at, QDir(row.opened_at).absolutePath());
    EXPECT_EQ(accept_text, QString::fromUtf8("选择(&C)"));  // with its shortcut key
  }
}

}  // namespace
}  // namespace qm

#pragma once

#include <QLocale>

class QTranslator;

namespace qm {

// Installs Qt's own translations for locale (from the distribution's Qt
// translation package), so the standard dialogs and buttons speak the user's
// language: 确定/取消 and a Chinese folder dialog in a Chinese locale.
// Returns the installed translator (owned by the application), or nullptr
// when Qt has no translation for the locale.
QTranslator* InstallQtTranslations(const QLocale& locale = QLocale());

}  // namespace qm

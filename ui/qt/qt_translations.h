// Qt's own texts (the message box's OK button, the edit boxes' context menu)
// in the language of the desktop, from Qt's translations.
#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>

namespace vantrel {

// Installs Qt's translation for the locale on the application for as long as
// the returned translator lives; null when there is none for that language
// (Qt's texts then stay English). Looks in Qt's translations folder, then in
// the folder "translations" beside the executable (where a Windows build's
// deployment puts them).
std::unique_ptr<QTranslator> installQtTranslations(const QLocale& locale = QLocale::system());

}  // namespace vantrel

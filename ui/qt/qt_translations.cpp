#include "ui/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>

namespace vantrel {

std::unique_ptr<QTranslator> installQtTranslations(const QLocale& locale) {
  const QString folders[] = {
      QLibraryInfo::path(QLibraryInfo::TranslationsPath),
      QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
  };
  // "qtbase" holds the widgets' texts; "qt" is the catalogue that names it and
  // the other modules' ones, which is what some deployments carry instead.
  const QString catalogues[] = {QStringLiteral("qtbase"), QStringLiteral("qt")};
  for (const QString& folder : folders) {
    for (const QString& catalogue : catalogues) {
      auto translator = std::make_unique<QTranslator>();
      if (translator->load(locale, catalogue, QStringLiteral("_"), folder) &&
          QCoreApplication::installTranslator(translator.get())) {
        return translator;
      }
    }
  }
  return nullptr;
}

}  // namespace vantrel

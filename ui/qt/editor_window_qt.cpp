// The editor window on Linux: the Qt application and its event loop.
#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "ui/editor_window.h"
#include "ui/qt/editor_lifecycle.h"
#include "ui/qt/qt_translations.h"

namespace vantrel {

int runEditorWindow(RulesDocument& document) {
  int argc = 1;
  char programName[] = "vantrel-editor";
  char* argv[] = {programName, nullptr};
  QApplication application(argc, argv);
  const auto qtTranslations = installQtTranslations();
  const auto window = openMainWindow(document);
  if (std::getenv("VANTREL_EXIT_WHEN_SHOWN")) {
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
  }
  return QApplication::exec();
}

}  // namespace vantrel

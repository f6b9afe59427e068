// The editor's entry: creates the one rules document, opens the window, runs
// the event loop until the window is closed, then releases the document.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "rules/rules_document.h"
#include "ui/editor_lifecycle.h"
#include "ui/qt_translations.h"

int main(int argc, char* argv[]) {
  auto document = std::make_unique<vantrel::RulesDocument>();
  QApplication application(argc, argv);
  const auto qtTranslations = vantrel::installQtTranslations();
  int result = 0;
  {
    const auto window = vantrel::openMainWindow(*document);
    // For timing the start-up from outside: quit as soon as the window is shown.
    if (std::getenv("VANTREL_EXIT_WHEN_SHOWN")) {
      QTimer::singleShot(0, &application, &QCoreApplication::quit);
    }
    result = QApplication::exec();
  }
  document.reset();
  return result;
}

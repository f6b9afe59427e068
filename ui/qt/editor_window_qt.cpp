// The editor window on Linux: the Qt application and its event loop.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "ui/editor_window.h"
#include "ui/qt/editor_lifecycle.h"
#include "ui/qt/front_request_server.h"
#include "ui/qt/qt_translations.h"

namespace vantrel {

int runEditorWindow(RulesDocument& document, const WorkingCopyClaim& claim) {
  // Qt is given the program's name alone, so that options such as -platform
  // or -stylesheet typed after it do nothing.
  int argc = 1;
  char programName[] = "vantrel-editor";
  char* argv[] = {programName, nullptr};
  QApplication application(argc, argv);
  const auto qtTranslations = installQtTranslations();
  const auto window = openMainWindow(document, claim.paths);
  std::unique_ptr<FrontRequestServer> frontRequests;
  if (claim.lock) {
    frontRequests = std::make_unique<FrontRequestServer>(*window, claim.paths.workingFolder);
  }
  if (std::getenv("VANTREL_EXIT_WHEN_SHOWN")) {
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
  }
  return QApplication::exec();
}

}  // namespace vantrel

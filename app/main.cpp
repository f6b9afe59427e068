// The editor's entry: takes the working folder for this run, creates the one
// rules document, opens the window, runs the event loop until the window is
// closed, then releases the document.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "rules/rules_document.h"
#include "ui/editor_lifecycle.h"
#include "ui/front_request_server.h"
#include "ui/working_copy_claim.h"

int main(int argc, char* argv[]) {
  auto document = std::make_unique<vantrel::RulesDocument>();
  // The program has no command line: Qt is given its name alone, so that
  // options such as -platform or -stylesheet typed after it do nothing.
  static char fallbackName[] = "vantrel-editor";
  int qtArgumentCount = 1;
  char* qtArguments[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr};
  QApplication application(qtArgumentCount, qtArguments);

  const vantrel::GamePaths standardPaths = vantrel::standardGamePaths();
  vantrel::WorkingCopyClaim claim = vantrel::claimWorkingCopy(standardPaths);
  if (claim.anotherEditorRunning) {
    vantrel::bringRunningEditorToFront(standardPaths.workingFolder);
    return 0;
  }
  int result = 0;
  {
    const auto window = vantrel::openMainWindow(*document, claim.paths);
    std::unique_ptr<vantrel::FrontRequestServer> frontRequests;
    if (claim.lock) {
      frontRequests =
          std::make_unique<vantrel::FrontRequestServer>(*window, claim.paths.workingFolder);
    }
    // For timing the start-up from outside: quit as soon as the window is shown.
    if (std::getenv("VANTREL_EXIT_WHEN_SHOWN")) {
      QTimer::singleShot(0, &application, &QCoreApplication::quit);
    }
    result = QApplication::exec();
  }
  document.reset();
  return result;
}

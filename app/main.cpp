// The editor's entry: takes the working folder for this run, creates the one
// rules document, opens the window, runs the event loop until the window is
// closed, then releases the document. The program has no command line.
#include <memory>

#include "rules/rules_document.h"
#include "ui/editor_window.h"
#include "ui/game_paths.h"
#include "ui/working_copy_claim.h"

int main() {
  const vantrel::GamePaths standardPaths = vantrel::standardGamePaths();
  vantrel::WorkingCopyClaim claim = vantrel::claimWorkingCopy(standardPaths);
  if (claim.anotherEditorRunning) {
    vantrel::bringRunningEditorToFront(standardPaths.workingFolder);
    return 0;
  }
  auto document = std::make_unique<vantrel::RulesDocument>();
  const int result = vantrel::runEditorWindow(*document, claim);
  document.reset();
  return result;
}

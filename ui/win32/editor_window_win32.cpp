// The editor window on Windows: the native window and its event loop.
#include <cstdlib>

#include "ui/editor_window.h"
#include "ui/win32/main_window.h"

namespace vantrel {

int runEditorWindow(RulesDocument& document, const WorkingCopyClaim& claim) {
  const auto window = win32::openMainWindow(document, claim.paths);
  if (std::getenv("VANTREL_EXIT_WHEN_SHOWN")) {
    window->processPendingEvents();  // what the start left waiting (the info box's rest)
    return 0;
  }
  return window->runMessageLoop();
}

}  // namespace vantrel

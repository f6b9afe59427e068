// The editor window on Windows: the native window and its event loop.
#include <windows.h>

#include <cstdlib>

#include "ui/control_table.h"
#include "ui/editor_window.h"
#include "ui/win32/main_window.h"
#include "ui/win32/wide_text.h"

namespace vantrel {

int runEditorWindow(RulesDocument& document, const WorkingCopyClaim& claim) {
  const auto window = win32::openMainWindow(document, claim.paths);
  if (std::getenv("VANTREL_EXIT_WHEN_SHOWN")) {
    window->processPendingEvents();  // the first paint
    return 0;
  }
  return window->runMessageLoop();
}

// The running editor is found by its window's title; the new start is the
// foreground process, so it may hand the foreground on.
bool bringRunningEditorToFront(const Text&) {
  HWND running = FindWindowW(nullptr, win32::fromUtf8(kWindowTitle).c_str());
  if (!running) return false;
  if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
  return SetForegroundWindow(running) != 0;
}

}  // namespace vantrel

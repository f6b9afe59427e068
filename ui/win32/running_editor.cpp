// A second start finds the running editor by its window's title. The new start
// is the foreground process, so it may hand the foreground on.
#include <windows.h>

#include "ui/control_table.h"
#include "ui/win32/wide_text.h"
#include "ui/working_copy_claim.h"

namespace vantrel {

bool bringRunningEditorToFront(const Text&) {
  HWND running = FindWindowW(nullptr, win32::fromUtf8(kWindowTitle).c_str());
  if (!running) return false;
  if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
  return SetForegroundWindow(running) != 0;
}

}  // namespace vantrel

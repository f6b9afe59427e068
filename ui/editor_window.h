// The platform's editor window, as the program's entry sees it: the Qt window
// on Linux (ui/qt/), the native window on Windows (ui/win32/).
#pragma once

#include "rules/rules_document.h"
#include "ui/working_copy_claim.h"

namespace vantrel {

// Opens the main window on the claimed game paths (created hidden, filled
// while hidden, then shown with the focus on the entity list) and runs the
// event loop until the window is closed. While the run holds the working
// folder's lock, a later start's request brings the window to the front. The
// document must outlive the call. Returns the process's exit code. With
// VANTREL_EXIT_WHEN_SHOWN set in the environment, returns as soon as the
// window is shown (start-up timing).
int runEditorWindow(RulesDocument& document, const WorkingCopyClaim& claim);

}  // namespace vantrel

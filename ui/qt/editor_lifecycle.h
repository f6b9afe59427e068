// The program's start, from an existing document to the window on screen.
#pragma once

#include <memory>

#include "rules/rules_document.h"
#include "ui/game_paths.h"
#include "ui/qt/main_window.h"

namespace vantrel {

// Creates the main window hidden, runs its created event (unpack the game's
// archive, load the working file) while it is still hidden, then shows and
// activates it with the focus on the entity list. The user therefore first
// sees the window with both lists filled. The document must outlive the window;
// a missing archive or rules text leaves the lists empty.
std::unique_ptr<MainWindow> openMainWindow(RulesDocument& document,
                                           const GamePaths& paths = standardGamePaths());

}  // namespace vantrel

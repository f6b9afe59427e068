// The start of a run: one editor at a time on the working folder. A start that
// finds it locked by another editor ends without touching it; a start that
// can't lock it runs without a working copy.
#pragma once

#include <memory>

#include "archive/working_folder_lock.h"
#include "ui/game_paths.h"

namespace vantrel {

struct WorkingCopyClaim {
  // Held for the whole run; null when the working folder could not be locked.
  std::unique_ptr<WorkingFolderLock> lock;
  // Another editor holds the working folder: bring it to the front and end.
  bool anotherEditorRunning = false;
  // The paths this run works with: without a working copy when it holds no lock.
  GamePaths paths;
};

WorkingCopyClaim claimWorkingCopy(const GamePaths& paths);

// Asks the editor that holds the working folder to bring its window to the
// front. False when none answered. Implemented by the window layer.
bool bringRunningEditorToFront(const Text& workingFolder);

}  // namespace vantrel

// The three paths the window works with: the game's rules archive, the working
// folder it is unpacked into and the working file loaded from there.
#pragma once

#include "text/text.h"

namespace vantrel {

struct GamePaths {
  Text gameArchive;
  Text workingFolder;
  Text workingFile;
};

// The program's fixed paths: beside the executable and in the temporary directory.
GamePaths standardGamePaths();

// True when this run must neither load nor pack the working copy: its paths
// are unknown, or the working folder or working file is a symbolic link or
// belongs to another user (planted, e.g. in a shared temporary directory).
bool workingCopyRefused(const GamePaths& paths);

// The same paths without a working copy: for a run that could not lock the
// working folder, which then loads nothing and writes nothing out.
GamePaths withoutWorkingCopy(GamePaths paths);

}  // namespace vantrel

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

}  // namespace vantrel

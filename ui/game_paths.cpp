#include "ui/game_paths.h"

#include "archive/paths.h"

namespace vantrel {

GamePaths standardGamePaths() { return {gameArchive(), workingFolder(), workingFile()}; }

}  // namespace vantrel

#include "ui/game_paths.h"

#include "archive/folder_levels.h"
#include "archive/paths.h"

namespace vantrel {

GamePaths standardGamePaths() { return {gameArchive(), workingFolder(), workingFile()}; }

bool workingCopyRefused(const GamePaths& paths) {
  return paths.workingFolder.empty() || paths.workingFile.empty() ||
         folder_levels::isPlanted(paths.workingFolder) ||
         folder_levels::isPlanted(paths.workingFile);
}

GamePaths withoutWorkingCopy(GamePaths paths) {
  paths.workingFolder.clear();
  paths.workingFile.clear();
  return paths;
}

}  // namespace vantrel

#include "ui/working_copy_claim.h"

namespace vantrel {

WorkingCopyClaim claimWorkingCopy(const GamePaths& paths) {
  WorkingCopyClaim claim;
  claim.lock = WorkingFolderLock::acquire(paths.workingFolder, claim.anotherEditorRunning);
  claim.paths = claim.lock ? paths : withoutWorkingCopy(paths);
  return claim;
}

}  // namespace vantrel

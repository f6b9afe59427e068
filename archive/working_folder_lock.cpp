#include "archive/working_folder_lock.h"

#include "archive/folder_levels.h"
#include "archive/paths.h"

namespace vantrel {

Text WorkingFolderLock::lockFilePath(const Text& workingFolder) {
  if (workingFolder.empty()) return Text();
  return workingFolder + pathSeparator() + "vantrel-editor.lock";
}

std::unique_ptr<WorkingFolderLock> WorkingFolderLock::acquire(const Text& workingFolder) {
  bool heldElsewhere = false;
  return acquire(workingFolder, heldElsewhere);
}

std::unique_ptr<WorkingFolderLock> WorkingFolderLock::acquire(const Text& workingFolder,
                                                              bool& heldElsewhere) {
  heldElsewhere = false;
  if (workingFolder.empty() || !folder_levels::createWithParents(workingFolder) ||
      folder_levels::isPlanted(workingFolder)) {
    return nullptr;
  }
  os::LockRefusal refusal = os::LockRefusal::None;
  std::unique_ptr<os::FileLock> lock = os::lockFile(lockFilePath(workingFolder), refusal);
  if (!lock) {
    heldElsewhere = refusal == os::LockRefusal::HeldElsewhere;
    return nullptr;
  }
  return std::unique_ptr<WorkingFolderLock>(new WorkingFolderLock(std::move(lock)));
}

}  // namespace vantrel

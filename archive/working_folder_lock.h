// One editor at a time on the working folder: a lock taken at start and held
// for the whole run, so that two editors can't overwrite each other's edits
// through the one working file.
#pragma once

#include <memory>

#include "os/os.h"
#include "text/text.h"

namespace vantrel {

class WorkingFolderLock {
 public:
  // Takes the lock on workingFolder; null when another process holds it or it can't be taken.
  static std::unique_ptr<WorkingFolderLock> acquire(const Text& workingFolder);
  // As above; heldElsewhere is true when the lock is null because another
  // process holds it, false when it could not be taken at all (an empty path,
  // a folder that can't be created, or one planted by someone else).
  static std::unique_ptr<WorkingFolderLock> acquire(const Text& workingFolder,
                                                    bool& heldElsewhere);

  // The lock file inside workingFolder. It is never packed: write-out packs
  // the working file alone.
  static Text lockFilePath(const Text& workingFolder);

  WorkingFolderLock(const WorkingFolderLock&) = delete;
  WorkingFolderLock& operator=(const WorkingFolderLock&) = delete;

 private:
  explicit WorkingFolderLock(std::unique_ptr<os::FileLock> lock) : lock_(std::move(lock)) {}

  std::unique_ptr<os::FileLock> lock_;
};

}  // namespace vantrel

// A private folder in the temporary directory for one command, removed with
// everything in it when the command is done.
#pragma once

#include "text/text.h"

namespace vantrel {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Empty when no folder could be created.
  const Text& path() const { return path_; }
  // path() followed by a separator and name.
  Text file(const Text& name) const;

 private:
  Text path_;
};

}  // namespace vantrel

#include "app/rules_tool/scratch_folder.h"

#include <random>

#include "archive/paths.h"
#include "os/os.h"

namespace vantrel {
namespace {

void removeTree(const Text& folder) {
  for (const os::FolderEntry& entry : os::listFolder(folder)) {
    const Text path = folder + pathSeparator() + entry.name;
    if (entry.isFolder && !os::inspect(path).isSymbolicLink) {
      removeTree(path);
    } else {
      os::removeFile(path);
    }
  }
  os::removeFolder(folder);
}

}  // namespace

ScratchFolder::ScratchFolder() {
  const Text temporary = specialFolderPath(11);
  if (temporary.empty()) return;
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const Text candidate = temporary + "vantrel-rules-" + std::to_string(random());
    if (os::createPrivateFolder(candidate)) {
      path_ = candidate;
      return;
    }
  }
}

ScratchFolder::~ScratchFolder() {
  if (!path_.empty()) removeTree(path_);
}

Text ScratchFolder::file(const Text& name) const { return path_ + pathSeparator() + name; }

}  // namespace vantrel

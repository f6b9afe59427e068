#include "archive/folder_levels.h"

#include <vector>

#include "archive/paths.h"
#include "os/os.h"

namespace vantrel::folder_levels {
namespace {

// The lengths of the leading parts of path that end just before a separator,
// then the whole path. A separator byte that is the second byte of a two-byte
// character is none.
std::vector<std::size_t> levelEnds(const Text& path) {
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (os::isLeadByte(path[i])) {
      ++i;
      continue;
    }
    if (path[i] == pathSeparator() && i > 0) ends.push_back(i);
  }
  if (ends.empty() || ends.back() != path.size()) ends.push_back(path.size());
  return ends;
}

// True when path is, or has now been made, a folder that is not planted.
bool ensureFolder(const Text& path, bool createMissing) {
  const os::PathFacts facts = os::inspect(path);
  if (!facts.exists) return createMissing && os::createFolder(path);
  return facts.isFolder && !isPlanted(path);
}

}  // namespace

bool isPlanted(const Text& path) {
  const os::PathFacts facts = os::inspect(path);
  return facts.isSymbolicLink || facts.ownedByOtherUser;
}

bool createWithParents(const Text& path) {
  for (std::size_t end : levelEnds(path)) {
    const Text level = path.substr(0, end);
    if (os::isFolder(level)) continue;
    if (!os::createFolder(level)) return false;
  }
  return true;
}

bool prepareEntryPath(const Text& destination, std::string_view name, bool isDirectory) {
  Text path = destination;
  if (path.empty() || path.back() != pathSeparator()) path += pathSeparator();
  // On Windows a backslash inside a name separates folders as well.
  const std::string_view separators = pathSeparator() == '\\' ? "/\\" : "/";
  std::size_t start = 0;
  for (;;) {
    const auto slash = name.find_first_of(separators, start);
    const bool last = slash == std::string_view::npos || slash + 1 == name.size();
    const std::string_view component =
        name.substr(start, slash == std::string_view::npos ? name.npos : slash - start);
    path.append(component);
    if (!last || isDirectory) {
      if (!ensureFolder(path, isDirectory)) return false;
    } else {
      const os::PathFacts facts = os::inspect(path);
      if (facts.exists && (facts.isFolder || isPlanted(path))) return false;
    }
    if (last) return true;
    path += pathSeparator();
    start = slash + 1;
  }
}

}  // namespace vantrel::folder_levels

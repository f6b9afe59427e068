#include "archive/paths.h"

#include "os/os.h"

namespace vantrel {

namespace {

constexpr const char* kArchiveName = "VUVazur.dat";
constexpr std::int32_t kTemporaryDirectory = 11;

}  // namespace

Text rulesFileName() { return kArchiveName; }

char pathSeparator() { return os::separator(); }

std::size_t lastSeparator(const Text& path) {
  std::size_t found = Text::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (os::isLeadByte(path[i])) {
      ++i;  // the next byte is part of this character
    } else if (path[i] == pathSeparator()) {
      found = i;
    }
  }
  return found;
}

Text programDirectory() {
  const Text executable = os::executablePath();
  const auto separator = lastSeparator(executable);
  if (separator == Text::npos) return Text();
  return executable.substr(0, separator);
}

namespace {

// True when the executable's folder is known. On POSIX an executable in the
// root gives an empty programDirectory that is still a valid folder, so the
// emptiness of that text alone can't tell.
bool programDirectoryKnown() { return lastSeparator(os::executablePath()) != Text::npos; }

}  // namespace

Text specialFolderPath(std::int32_t kind) {
  if (kind == 0) kind = 3;
  if (kind < 1 || kind > 12) return Text();
  Text folder = os::systemFolder(kind);
  if (folder.empty()) return Text();
  // A last byte that only looks like a separator, the second byte of a
  // two-byte character, still needs one after it.
  if (lastSeparator(folder) != folder.size() - 1) folder += pathSeparator();
  return folder;
}

// The paths below are empty when the folder they hang from is unknown: a
// relative path would land in the current directory, where the game's own
// archive of the same name may be.
Text gameArchive() {
  if (!programDirectoryKnown()) return Text();
  return programDirectory() + pathSeparator() + kArchiveName;
}

Text workingFolder() {
  const Text temporaryDirectory = specialFolderPath(kTemporaryDirectory);
  if (temporaryDirectory.empty()) return Text();
  return temporaryDirectory + kArchiveName;
}

Text workingFile() {
  const Text folder = workingFolder();
  if (folder.empty()) return Text();
  return folder + pathSeparator() + kArchiveName;
}

}  // namespace vantrel

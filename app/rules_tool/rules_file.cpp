#include "app/rules_tool/rules_file.h"

#include <algorithm>

#include "app/rules_tool/scratch_folder.h"
#include "archive/original_archive.h"
#include "archive/zip_archive.h"
#include "os/os.h"

namespace vantrel {
namespace {

// The one entry of a game archive, which holds the rules text.
const Text kEntryName = "VUVazur.dat";

bool beginsLikeZip(const Bytes& bytes) {
  static constexpr std::uint8_t kLocalHeader[] = {0x50, 0x4B, 0x03, 0x04};
  return bytes.size() >= 4 &&
         std::equal(std::begin(kLocalHeader), std::end(kLocalHeader), bytes.begin());
}

bool fail(Text& error, Text reason) {
  error = std::move(reason);
  return false;
}

}  // namespace

bool readRulesFile(const Text& path, RulesFile& file, Text& error) {
  file = RulesFile();
  file.path = path;
  const os::PathFacts facts = os::inspect(path);
  if (!facts.exists) return fail(error, path + ": no such file");
  if (facts.isFolder) return fail(error, path + ": is a folder");
  Bytes bytes = readWholeFile(path);
  if (bytes.empty() && !os::openForReading(path)) return fail(error, path + ": can't be read");

  if (beginsLikeZip(bytes)) {
    file.isArchive = true;
    const ScratchFolder scratch;
    if (scratch.path().empty()) return fail(error, "can't create a temporary folder");
    if (unpackArchive(path, scratch.path()) != 1) {
      return fail(error, path + ": not a ZIP archive that can be unpacked");
    }
    const Text entry = scratch.file(kEntryName);
    const os::PathFacts entryFacts = os::inspect(entry);
    if (!entryFacts.exists || entryFacts.isFolder) {
      return fail(error, path + ": the archive holds no " + kEntryName);
    }
    file.hasOtherEntries = os::listFolder(scratch.path()).size() != 1;
    bytes = readWholeFile(entry);
  }
  if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) {
    return fail(error, path + ": holds a zero byte, which no rules text has");
  }
  file.text.assign(bytes.begin(), bytes.end());
  return true;
}

bool writeRulesFile(const RulesFile& file, const Text& text, Text& error) {
  const Bytes bytes = textToBytes(text);
  if (!file.isArchive) {
    if (!writeWholeFile(file.path, bytes)) {
      return fail(error, "can't write " + file.path + "; it is unchanged");
    }
    return true;
  }
  if (file.hasOtherEntries) {
    return fail(error, file.path + " holds other entries besides " + kEntryName + "; not changed");
  }
  const ScratchFolder scratch;
  if (scratch.path().empty()) return fail(error, "can't create a temporary folder");
  // Packing one file gives an archive of exactly that one entry.
  const Text entry = scratch.file(kEntryName);
  if (!writeWholeFile(entry, bytes, /*flushToDisk=*/false)) {
    return fail(error, "can't write a temporary copy of the rules text");
  }
  if (!keepOriginalArchive(file.path)) {
    return fail(error, "can't keep the original as " + originalArchivePath(file.path) +
                           "; nothing written");
  }
  if (packFolder(entry, file.path) != 1) {
    return fail(error, "can't write " + file.path + "; it is unchanged");
  }
  return true;
}

}  // namespace vantrel

#include "archive/original_archive.h"

#include "os/os.h"

namespace vantrel {
namespace {

// All bytes of the file; false when it can't be opened or read to its end.
// (readWholeFile can't tell an empty file from one it could not read.)
bool readAll(const Text& path, Bytes& data) {
  const std::unique_ptr<os::File> file = os::openForReading(path);
  if (!file) return false;
  std::uint8_t chunk[64 * 1024];
  for (;;) {
    const std::int64_t got = file->read(chunk, sizeof chunk);
    if (got < 0) return false;
    if (got == 0) return true;
    data.insert(data.end(), chunk, chunk + got);
  }
}

}  // namespace

Text originalArchivePath(const Text& gameArchive) { return gameArchive + ".orig"; }

bool keepOriginalArchive(const Text& gameArchive) {
  if (gameArchive.empty()) return true;
  const Text original = originalArchivePath(gameArchive);
  if (os::inspect(original).exists) return true;
  if (!os::inspect(gameArchive).exists) return true;
  Bytes data;
  return readAll(gameArchive, data) && writeWholeFile(original, data, /*flushToDisk=*/true);
}

}  // namespace vantrel

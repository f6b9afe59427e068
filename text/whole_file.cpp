// readWholeFile, readWholeFileAsText and writeWholeFile: whole files through
// the platform layer.
#include "os/os.h"
#include "text/text.h"

namespace vantrel {

namespace {

// All bytes of the file in a Buffer (Bytes or Text); empty when there is
// nothing to read or more than largest bytes.
template <typename Buffer>
Buffer readWholeFileInto(const Text& path, std::int64_t largest) {
  if (path.empty()) return Buffer();
  const std::unique_ptr<os::File> file = os::openForReading(path);
  if (!file) return Buffer();
  const std::int64_t size = file->size();
  if (size <= 0 || size > largest) return Buffer();
  Buffer buffer(static_cast<std::size_t>(size), 0);
  std::int64_t delivered = 0;
  while (delivered < size) {
    const std::int64_t got = file->read(buffer.data() + delivered, size - delivered);
    // A file that got shorter gives the bytes delivered so far; a read error
    // gives nothing, never a cut-off text that could be written back as whole.
    if (got < 0) return Buffer();
    if (got == 0) break;
    delivered += got;
  }
  buffer.resize(static_cast<std::size_t>(delivered));
  file->close();
  return buffer;
}

}  // namespace

Bytes readWholeFile(const Text& path) { return readWholeFileInto<Bytes>(path, INT64_MAX); }

Text readWholeFileAsText(const Text& path) {
  Text text = readWholeFileInto<Text>(path, kLargestText);
  // As bytesToText: the text stops at the first zero byte.
  const std::size_t zero = text.find('\0');
  if (zero != Text::npos) text.resize(zero);
  return text;
}

bool writeWholeFile(const Text& path, const Bytes& data, bool flushToDisk) {
  if (path.empty()) return false;
  const os::Path target = os::replacementTarget(path);
  os::Path temporaryPath;
  std::unique_ptr<os::File> file = os::createTemporaryBeside(target, temporaryPath);
  if (!file) return false;
  bool written = data.empty() || file->write(data.data(), static_cast<std::int64_t>(data.size()));
  if (written && flushToDisk) written = file->flushToDisk();
  const bool closed = file->close();
  file.reset();
  // The target is touched only by the rename, so any failure leaves it whole.
  if (!written || !closed || !os::replaceWith(temporaryPath, target)) {
    os::removeFile(temporaryPath);
    return false;
  }
  return !flushToDisk || os::flushFolderOf(target);
}

}  // namespace vantrel

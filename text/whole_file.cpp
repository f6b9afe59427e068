// readWholeFile and writeWholeFile: whole files through the platform layer.
#include "os/os.h"
#include "text/text.h"

namespace vantrel {

Bytes readWholeFile(const Text& path) {
  if (path.empty()) return Bytes();
  const std::unique_ptr<os::File> file = os::openForReading(path);
  if (!file) return Bytes();
  const std::int64_t size = file->size();
  if (size <= 0) return Bytes();
  Bytes bytes(static_cast<std::size_t>(size));
  std::int64_t delivered = 0;
  while (delivered < size) {
    const std::int64_t got = file->read(bytes.data() + delivered, size - delivered);
    if (got <= 0) break;  // a short file gives the bytes delivered so far
    delivered += got;
  }
  bytes.resize(static_cast<std::size_t>(delivered));
  file->close();
  return bytes;
}

bool writeWholeFile(const Text& path, const Bytes& data, bool flushToDisk) {
  if (path.empty()) return false;
  os::Path temporaryPath;
  std::unique_ptr<os::File> file = os::createTemporaryBeside(path, temporaryPath);
  if (!file) return false;
  bool written = data.empty() || file->write(data.data(), static_cast<std::int64_t>(data.size()));
  if (written && flushToDisk) written = file->flushToDisk();
  const bool closed = file->close();
  file.reset();
  // The target is touched only by the rename, so any failure leaves it whole.
  if (written && closed && os::replaceWith(temporaryPath, path)) return true;
  os::removeFile(temporaryPath);
  return false;
}

}  // namespace vantrel

#include "archive/pristine_archive.h"

#include <cstddef>
#include <cstdint>

namespace vantrel {

namespace embedded {
// Defined in the source generated from the archive file at build time.
extern const std::uint8_t kPristineArchive[];
extern const std::size_t kPristineArchiveSize;
}  // namespace embedded

const Bytes& pristineArchive() {
  static const Bytes bytes(embedded::kPristineArchive,
                           embedded::kPristineArchive + embedded::kPristineArchiveSize);
  return bytes;
}

}  // namespace vantrel

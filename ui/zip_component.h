// The window's ZIP component: a member without any presence on screen through
// which the window unpacks and packs archives. Results as unpackArchive and
// packFolder give them: 1 done, 0 failed, -1 nothing to read.
#pragma once

#include <cstdint>

#include "archive/zip_archive.h"
#include "text/text.h"

namespace vantrel {

class ZipComponent {
 public:
  std::int32_t unpack(const Text& archive, const Text& destination) {
    return unpackArchive(archive, destination);
  }
  std::int32_t pack(const Text& source, const Text& archive) { return packFolder(source, archive); }
};

}  // namespace vantrel

// Unpacking a ZIP archive into a folder and packing a folder into a ZIP archive.
// Results: 1 done, 0 failed, -1 when the archive (unpack) or the folder (pack)
// to be read does not exist or its path is empty.
#pragma once

#include <cstdint>

#include "text/text.h"

namespace vantrel {

std::int32_t unpackArchive(const Text& archive, const Text& destination);
std::int32_t packFolder(const Text& source, const Text& archive);

}  // namespace vantrel

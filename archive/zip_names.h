// Entry names inside ZIP archives and the paths they map to on disk.
#pragma once

#include <string_view>

#include "text/text.h"

namespace vantrel::zip_names {

// True when name may be unpacked: relative, no drive or other colon, and made
// of components that are neither empty, "." nor ".." (with "/" or "\" as
// separator). A directory entry's one trailing "/" is allowed.
bool isSafeEntryName(std::string_view name);

// True for a directory entry's name, which ends with "/".
bool isDirectoryName(std::string_view name);

// destination, the separator unless destination ends with one, then name with
// every "/" turned into the separator and a trailing "/" left out.
Text targetPath(const Text& destination, std::string_view name);

// True when a file of this name is stored rather than deflated: its suffix from
// the last "." is one of the already-compressed kinds, in any letter case.
bool isStoredName(std::string_view fileName);

// The part of path after its last separator; the whole path when it has none.
Text lastComponent(const Text& path);

}  // namespace vantrel::zip_names

// Entry names inside ZIP archives and the paths they map to on disk.
#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace vantrel::zip_names {

// True when name may be unpacked: relative, no drive or other colon, no
// control byte, and made of components that are neither empty, "." nor ".."
// (with "/" or "\" as separator). A directory entry's one trailing "/" is
// allowed.
bool isSafeEntryName(std::string_view name);

// True when two of the names would land on the same file or folder, where a
// file system may ignore letter case and "\" separates folders as "/" does:
// the same name twice, names differing only in letter case, a directory entry
// and a file entry of one name, or a file entry whose name is also a folder
// above another entry.
bool haveClashingNames(const std::vector<std::string_view>& names);

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

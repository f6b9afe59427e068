// Folders that unpacking creates or passes through, and the guard against
// writing through something planted in their place.
#pragma once

#include <string_view>

#include "text/text.h"

namespace vantrel::folder_levels {

// True when path is something unpacking must not write through: a symbolic
// link, or a file or folder that belongs to another user.
bool isPlanted(const Text& path);

// Creates path and every missing folder above it, one level at a time from
// the top, cutting at the separators (on Windows a separator byte that is the
// second byte of a two-byte character is none). False when a level can't be
// created or is not a folder.
bool createWithParents(const Text& path);

// Checks, below destination, the path of the entry named name (components
// separated by "/"). For a directory entry every component is a folder: each
// must be a folder that is not planted, and missing ones are created. For a
// file entry the folders above it must already exist, unplanted, and the file
// itself must be neither planted nor a folder. False on any refusal or failure.
bool prepareEntryPath(const Text& destination, std::string_view name, bool isDirectory);

}  // namespace vantrel::folder_levels

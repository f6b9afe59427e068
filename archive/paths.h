// Where the game keeps its rules archive and where the editor keeps its working
// copy. Paths are built afresh on every call; this is the one place that knows
// the path separator.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/text.h"

namespace vantrel {

// '\\' on Windows, '/' elsewhere.
char pathSeparator();

// The index of the last separator in path, or Text::npos when it has none. A
// separator byte that is the second byte of a two-byte character of the code
// page (Windows, e.g. GBK) belongs to that character and is not counted.
std::size_t lastSeparator(const Text& path);

// The directory of the running executable, without a trailing separator.
Text programDirectory();
// A special folder ending with exactly one separator, or the empty text.
// Kind 11 is the user's temporary directory; 0 means 3; see the kinds table.
Text specialFolderPath(std::int32_t kind);

// "VUVazur.dat": the name of the game's archive, the working folder and the
// working file (the archive's one entry) alike.
Text rulesFileName();

Text gameArchive();    // programDirectory + "VUVazur.dat"
Text workingFolder();  // temporary directory + "VUVazur.dat"
Text workingFile();    // workingFolder + "VUVazur.dat"

}  // namespace vantrel

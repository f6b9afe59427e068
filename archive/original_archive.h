// The game's own archive, kept once before the editor first replaces it, so
// that neither a write-out nor a restore with the carried archive can lose
// the game's rules for good.
#pragma once

#include "text/text.h"

namespace vantrel {

// Before gameArchive is replaced: copies it, as it is, to gameArchive +
// ".orig" beside it, unless that file exists already (it is never
// overwritten). True when the replacement may go ahead: the copy exists now,
// or there is no archive to keep. False when the copy failed; then the
// archive must not be replaced.
bool keepOriginalArchive(const Text& gameArchive);

// The path of that copy.
Text originalArchivePath(const Text& gameArchive);

}  // namespace vantrel

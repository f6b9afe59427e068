// What the editor keeps for a game, respected by every change this tool
// makes: the lock on the editor's working folder, and the one-time copy of
// the game's original archive.
#pragma once

#include <memory>

#include "text/text.h"

namespace vantrel {

// The editor's working-folder lock, held by this tool.
class EditorLockOut;
struct EditorLockOutDeleter {
  void operator()(EditorLockOut* lock) const;
};
using EditorLock = std::unique_ptr<EditorLockOut, EditorLockOutDeleter>;

// Held while a command changes rules, so that an editor can't start on its
// working folder meanwhile. Null while an editor holds it.
EditorLock lockOutEditor();

// Copies the game's archive to VUVazur.dat.orig beside it, once. True when
// replacing the archive may go ahead.
bool keepOriginalCopy(const Text& gameArchive);

}  // namespace vantrel

#include "app/rules_tool/editor_guard.h"

namespace vantrel {

// Interim until the editor's working-folder lock and original copy land.
class EditorLockOut {};

void EditorLockOutDeleter::operator()(EditorLockOut* lock) const { delete lock; }

EditorLock lockOutEditor() { return EditorLock(new EditorLockOut); }

bool keepOriginalCopy(const Text&) { return true; }

}  // namespace vantrel

// The handlers of the window's user events: selecting a row fills the edit
// boxes bound to lines of that row, confirming writes them back, and the
// write-out and restore buttons replace the game's archive. They reach the
// controls only through WindowOperations, so a fake window can drive them.
// No handler reports a failure; the only messages are "写出完成" and "还原完成".
#pragma once

#include "rules/rules_document.h"
#include "rules/window_operations.h"
#include "ui/game_paths.h"
#include "ui/zip_component.h"

namespace vantrel {

class EditorCommands {
 public:
  EditorCommands(RulesDocument& document, WindowOperations& window, ZipComponent& zip,
                 GamePaths paths);

  // The window's created event: removes temporary files that an earlier run
  // left in the working folder, unpacks the game's archive into it and loads
  // the working file. Nothing is loaded, and write-out will do nothing, when
  // the working copy is refused (planted) or the archive exists but could not
  // be unpacked; a missing archive loads whatever working file an earlier run
  // left.
  void onWindowCreated();

  // A row was selected in the entity list: fills the unit or the building
  // boxes (line 16 not empty means a unit), empties the other set, then fills
  // the boxes that both kinds share.
  void onEntitySelected();
  // A row was selected in the command list: fills the three command boxes.
  void onCommandSelected();
  // Writes every bound box of the selected entity's kind back to its line,
  // changed or not (an emptied box empties its value). Nothing without a
  // selected entity row.
  void onConfirmEntity();
  // Writes the three command boxes back to the selected command row. Nothing
  // without a selected command row.
  void onConfirmCommand();
  // Makes sure the working file holds the document's text (rewriting it when
  // it differs), then packs the working file alone into the game's archive;
  // "写出完成" only when all of it is done. Nothing after a start that loaded
  // no working copy.
  void onWriteOut();
  // Writes the carried unedited archive over the game's archive, flushed to
  // disk; "还原完成" when done. The document and working folder stay as they are.
  void onRestore();

 private:
  bool selectedEntityIsUnit();
  // True when the working file now holds the loaded document's text.
  bool workingFileHoldsDocument();
  // Keeps the game's original archive and clears away temporary files of an
  // earlier, killed replacement; false when the archive must not be replaced.
  bool prepareArchiveReplacement();

  RulesDocument& document_;
  WindowOperations& window_;
  ZipComponent& zip_;
  GamePaths paths_;
  bool workingCopyLoaded_ = false;  // set by a start that loaded the working copy
};

}  // namespace vantrel

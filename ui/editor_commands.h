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
  // Packs the working folder into the game's archive; "写出完成" when done.
  void onWriteOut();
  // Writes the carried unedited archive over the game's archive, flushed to
  // disk; "还原完成" when done. The document and working folder stay as they are.
  void onRestore();

 private:
  bool selectedEntityIsUnit();

  RulesDocument& document_;
  WindowOperations& window_;
  ZipComponent& zip_;
  GamePaths paths_;
};

}  // namespace vantrel

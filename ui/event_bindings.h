// Which handler each control's event runs, for every window: a selection that
// the user made in a list, and a click on a button. 按钮2 confirms the
// command boxes.
#pragma once

#include "rules/window_operations.h"
#include "ui/editor_commands.h"

namespace vantrel {

using Handler = void (EditorCommands::*)();

struct EventBinding {
  const char* control;  // the control's object name
  Handler handler;
};

inline constexpr EventBinding kListSelectionHandlers[] = {
    {kEntityList, &EditorCommands::onEntitySelected},
    {kCommandList, &EditorCommands::onCommandSelected},
};

inline constexpr EventBinding kButtonClickHandlers[] = {
    {"按钮1", &EditorCommands::onConfirmEntity},
    {"按钮2", &EditorCommands::onConfirmCommand},
    {"按钮3", &EditorCommands::onRestore},
    {"按钮4", &EditorCommands::onWriteOut},
};

}  // namespace vantrel

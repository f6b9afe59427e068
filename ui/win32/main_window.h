// The editor's one window on Windows, with the native controls: every control
// of the control table at its place, the window operations through which the
// engine reaches the controls, the window's keyboard rules and the binding of
// the controls' notifications to the handlers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "rules/rules_document.h"
#include "rules/window_operations.h"
#include "ui/control_table.h"
#include "ui/editor_commands.h"
#include "ui/game_paths.h"
#include "ui/zip_component.h"

namespace vantrel::win32 {

class MainWindow : public WindowOperations {
 public:
  // Creates the window hidden, centred on the primary screen, with all its
  // controls in focus order. The document must outlive the window.
  explicit MainWindow(RulesDocument& document, GamePaths paths = standardGamePaths());
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The created event: unpacks the game's archive into the working folder
  // (result not looked at), then loads the working file, which fills both
  // lists and the info box. Runs while the window is still hidden.
  void onWindowCreated();
  // Shows and activates the window, with the focus on the entity list.
  void show();
  // Runs the event loop until the window is destroyed; returns the exit code.
  int runMessageLoop();

  // The window's keyboard rules, applied to a message before it is
  // translated and dispatched: Esc closes the window, Tab and Shift+Tab follow
  // the focus order and wrap, Enter does nothing outside the info box. True
  // when the message was handled here and must not reach the control.
  bool handleKeyboard(const MSG& message);

  HWND handle() const { return window_; }
  // A control by its name; null for an unknown name.
  HWND control(std::string_view name) const;

  Text getEditText(const Text& editBox) override;
  void setEditText(const Text& editBox, const Text& text) override;
  std::int32_t getListSelection(const Text& listBox) override;
  std::int32_t insertListItem(const Text& listBox, std::int32_t position,
                              const Text& text) override;
  void showMessage(std::string_view utf8Message) override;
  void processPendingEvents() override;

  // Lines of a text that the info box takes at once: more than the box shows,
  // and more than a row text has, so that only texts like the Commands
  // section go in two steps (see setInfoText).
  static constexpr int kInfoBoxFirstLines = 256;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void createControls();
  void onCommand(HWND control, WORD notification);
  // An arrow key in a list with nothing selected selects the first row, as
  // the user made that selection; true when it did.
  bool selectFirstRowIfNoneSelected(HWND list);
  void dispatch(MSG& message);
  // The control of that name when it is of a kind that the test accepts.
  HWND controlOf(std::string_view name, bool (*isKind)(ControlKind)) const;
  bool isListBox(HWND control) const;
  // Start-up puts the whole Commands section (some hundred kilobytes) into the
  // info box, and laying out a text that long takes longer than showing the
  // rest of the window. So a long text goes in two steps: the first lines at
  // once, and the rest on the next turn of the event loop after the window
  // was first painted, or at once when the box takes the focus or receives
  // input. getEditText always returns the whole text.
  void setInfoText(HWND box, std::wstring text);
  // Puts in the lines not put in yet, if any; the caret and the scroll
  // position stay where they are, and it is no step to undo.
  void completeInfoText();
  void postInfoTextCompletion();

  struct Control {
    HWND handle;
    ControlKind kind;
  };

  RulesDocument& document_;
  GamePaths paths_;
  ZipComponent zip_;
  EditorCommands commands_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HWND lastFocus_ = nullptr;  // given back when the window is activated again
  std::unordered_map<std::string, Control> controls_;  // by UTF-8 name
  // The info box's lines not put in yet.
  std::wstring infoRest_;
  bool infoCompletionPosted_ = false;
};

// Creates the window, runs its created event while it is hidden, then shows
// it: the user first sees the window with both lists filled.
std::unique_ptr<MainWindow> openMainWindow(RulesDocument& document,
                                           const GamePaths& paths = standardGamePaths());

}  // namespace vantrel::win32

// The editor's one window: every control of the control table at its place,
// the window operations through which the engine reaches the controls, the
// window's keyboard rules and the binding of user events to the handlers.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "rules/rules_document.h"
#include "rules/window_operations.h"
#include "ui/editor_commands.h"
#include "ui/game_paths.h"
#include "ui/zip_component.h"

class QListWidget;

namespace vantrel {

class MainWindow : public QWidget, public WindowOperations {
  Q_OBJECT

 public:
  // Creates the window hidden, centred on the primary screen, with all its
  // controls and their focus order. The document must outlive the window.
  explicit MainWindow(RulesDocument& document, GamePaths paths = standardGamePaths());

  // The created event: unpacks the game's archive into the working folder,
  // then loads the working file, which fills both lists and the info box
  // (EditorCommands::onWindowCreated). Runs while the window is still hidden.
  void onWindowCreated();

  Text getEditText(const Text& editBox) override;
  void setEditText(const Text& editBox, const Text& text) override;
  std::int32_t getListSelection(const Text& listBox) override;
  std::int32_t insertListItem(const Text& listBox, std::int32_t position,
                              const Text& text) override;
  void showMessage(const Text& message) override;
  void processPendingEvents() override;

 protected:
  // The window's keyboard rules, applied before a key reaches the focused
  // control: Esc closes the window, Tab and Shift+Tab follow the focus order
  // and wrap, Enter does nothing outside the info box.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  // Handles an arrow key in a list with no selection; true when it did.
  bool selectFirstRowIfNoneSelected(QObject* watched);
  void connectHandlers();
  QWidget* control(const Text& name) const;
  QListWidget* listBox(const Text& name) const;

  RulesDocument& document_;
  GamePaths paths_;
  ZipComponent zip_;
  EditorCommands commands_;
  std::unordered_map<std::string, QWidget*> controls_;  // by UTF-8 object name
  bool insertingListItem_ = false;  // items inserted by the program fire no handler
};

}  // namespace vantrel

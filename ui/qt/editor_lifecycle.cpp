#include "ui/qt/editor_lifecycle.h"

#include <QWidget>

#include "rules/window_operations.h"

namespace vantrel {

std::unique_ptr<MainWindow> openMainWindow(RulesDocument& document, const GamePaths& paths) {
  auto window = std::make_unique<MainWindow>(document, paths);
  window->onWindowCreated();
  window->show();
  window->activateWindow();
  if (QWidget* entityList = window->findChild<QWidget*>(QString::fromUtf8(kEntityList))) {
    entityList->setFocus(Qt::ActiveWindowFocusReason);
  }
  return window;
}

}  // namespace vantrel

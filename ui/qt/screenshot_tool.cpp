// Saves a picture of the editor window on the sample game with the first
// building selected, as the user sees it after clicking that row:
//   QT_QPA_PLATFORM=offscreen screenshot_tool docs/screenshot.png
#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <cstdio>

#include "rules/rules_document.h"
#include "ui/qt/editor_lifecycle.h"
#include "ui/qt/sample_game_folder.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshot_tool OUTPUT.png\n");
    return 2;
  }
  const vantrel::SampleGameFolder folder;
  if (!folder.isValid()) {
    std::fprintf(stderr, "screenshot_tool: could not prepare the sample game folder\n");
    return 1;
  }
  vantrel::RulesDocument document;
  const auto window = vantrel::openMainWindow(document, folder.paths());
  auto* entities = window->findChild<QListWidget*>(QString::fromUtf8(vantrel::kEntityList));
  if (!entities || entities->count() == 0) {
    std::fprintf(stderr, "screenshot_tool: the sample rules listed no entities\n");
    return 1;
  }
  entities->setCurrentRow(0);  // selects it as a click would, running the handler
  QApplication::processEvents();
  if (!window->grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "screenshot_tool: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

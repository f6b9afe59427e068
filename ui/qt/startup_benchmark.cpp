// Times the editor on the sample game under the current Qt platform (run it
// with QT_QPA_PLATFORM=offscreen on a machine without a display):
//  - start-up: from creating the document to the window shown with both lists
//    filled, the unpacking of the game's archive and the loading included;
//  - confirm: a click on the entity confirm button with a building selected.
// Each start uses a fresh game folder and working folder. Prints the minimum,
// median and maximum of each in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "rules/rules_document.h"
#include "ui/qt/editor_lifecycle.h"
#include "ui/qt/sample_game_folder.h"

namespace {

constexpr int kRuns = 20;

void report(const char* what, std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("%-8s min %7.2f ms   median %7.2f ms   max %7.2f ms   (%zu runs)\n", what,
              milliseconds.front(), milliseconds[milliseconds.size() / 2], milliseconds.back(),
              milliseconds.size());
}

double elapsedMilliseconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  std::vector<double> startUps;
  std::vector<double> confirms;
  for (int run = 0; run < kRuns; ++run) {
    const vantrel::SampleGameFolder folder;
    if (!folder.isValid()) {
      std::fprintf(stderr, "startup_benchmark: could not prepare the sample game folder\n");
      return 1;
    }
    QElapsedTimer timer;
    timer.start();
    auto document = std::make_unique<vantrel::RulesDocument>();
    const auto window = vantrel::openMainWindow(*document, folder.paths());
    QApplication::processEvents();  // the first paint
    startUps.push_back(elapsedMilliseconds(timer));

    auto* entities = window->findChild<QListWidget*>(QString::fromUtf8(vantrel::kEntityList));
    auto* confirm = window->findChild<QPushButton*>(QStringLiteral("按钮1"));
    if (!entities || entities->count() == 0 || !confirm) {
      std::fprintf(stderr, "startup_benchmark: the sample rules listed no entities\n");
      return 1;
    }
    entities->setCurrentRow(0);
    QApplication::processEvents();
    timer.restart();
    confirm->click();
    QApplication::processEvents();
    confirms.push_back(elapsedMilliseconds(timer));
  }
  report("start-up", startUps);
  report("confirm", confirms);
  return 0;
}

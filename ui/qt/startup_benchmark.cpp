// Times the editor on the sample game under the current Qt platform (run it
// with QT_QPA_PLATFORM=offscreen on a machine without a display):
//  - launch: from starting a process to its window first painted, for the
//    editor's start on a fresh sample game and, as the reference, for a bare
//    Qt window of the same size; both run as child processes of this tool,
//    taking turns, so that they share the machine's load. A bare window with
//    one Chinese caption shows what drawing any text costs on its own (the
//    font database, the glyphs). "editor ready" is
//    the editor's launch until it has also handled the events its start left
//    waiting (the rest of the info box's text).
//  - start-up: in this process, from creating the document to the window shown
//    with both lists filled, the unpacking of the game's archive and the
//    loading included;
//  - confirm: a click on the entity confirm button with a building selected.
// Each start uses a fresh game folder and working folder. Prints the minimum,
// median and maximum of each in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "rules/rules_document.h"
#include "ui/control_table.h"
#include "ui/qt/editor_lifecycle.h"
#include "ui/qt/qt_translations.h"
#include "ui/qt/sample_game_folder.h"

namespace {

constexpr int kRuns = 20;
constexpr const char* kLaunchEditor = "--launch-editor";
constexpr const char* kLaunchBareWindow = "--launch-bare-window";
constexpr const char* kLaunchCaptionedWindow = "--launch-captioned-window";

double median(std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  return milliseconds[milliseconds.size() / 2];
}

void report(const char* what, std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("%-20s min %7.2f ms   median %7.2f ms   max %7.2f ms   (%zu runs)\n", what,
              milliseconds.front(), median(milliseconds), milliseconds.back(), milliseconds.size());
}

double elapsedMilliseconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

// ---- The child processes -----------------------------------------------------

void say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

// Says "shown" once the window and its controls have been painted for the
// first time (they are painted in one pass, the window first), then "ready"
// once the events waiting after that have been handled, and quits.
class ShownReporter : public QObject {
 public:
  explicit ShownReporter(QWidget* window) { window->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      QTimer::singleShot(0, this, [this] {
        say("shown");
        QTimer::singleShot(0, this, [] {
          say("ready");
          QCoreApplication::quit();
        });
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool painted_ = false;
};

// The editor's start as the program makes it, on the given game paths.
int launchEditor(int argc, char* argv[]) {
  if (argc != 5) return 2;
  auto document = std::make_unique<vantrel::RulesDocument>();
  QApplication application(argc, argv);
  const auto qtTranslations = vantrel::installQtTranslations();
  const auto window = vantrel::openMainWindow(*document, {argv[2], argv[3], argv[4]});
  const ShownReporter reporter(window.get());
  return QApplication::exec();
}

// A bare window of the editor's size; with a caption, one label on it.
int launchBareWindow(int argc, char* argv[], bool withCaption) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(vantrel::kClientWidth, vantrel::kClientHeight);
  if (withCaption) new QLabel(QStringLiteral("建筑信息"), &window);
  window.show();
  const ShownReporter reporter(&window);
  return QApplication::exec();
}

// ---- The timing process ------------------------------------------------------

struct Launch {
  double shown = -1;
  double ready = -1;
};

// Starts this tool again with the arguments and times its "shown" and "ready".
Launch launch(const QStringList& arguments) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  Launch result;
  QElapsedTimer timer;
  timer.start();
  child.start(QCoreApplication::applicationFilePath(), arguments);
  while (result.ready < 0 && child.waitForReadyRead(30000)) {
    while (child.canReadLine()) {
      const QByteArray line = child.readLine().trimmed();
      if (line == "shown") result.shown = elapsedMilliseconds(timer);
      if (line == "ready") result.ready = elapsedMilliseconds(timer);
    }
  }
  child.waitForFinished();
  return result;
}

QString pathArgument(const vantrel::Text& path) {
  return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

bool timeLaunches() {
  std::vector<double> bareShown;
  std::vector<double> captionedShown;
  std::vector<double> editorShown;
  std::vector<double> editorReady;
  for (int run = 0; run < kRuns; ++run) {
    const Launch bare = launch({kLaunchBareWindow});
    const Launch captioned = launch({kLaunchCaptionedWindow});
    const vantrel::SampleGameFolder folder;
    const vantrel::GamePaths paths = folder.paths();
    const Launch editor =
        launch({kLaunchEditor, pathArgument(paths.gameArchive), pathArgument(paths.workingFolder),
                pathArgument(paths.workingFile)});
    if (!folder.isValid() || bare.ready < 0 || captioned.ready < 0 || editor.ready < 0) {
      std::fprintf(stderr, "startup_benchmark: a launched window was never shown\n");
      return false;
    }
    bareShown.push_back(bare.shown);
    captionedShown.push_back(captioned.shown);
    editorShown.push_back(editor.shown);
    editorReady.push_back(editor.ready);
  }
  report("launch bare window", bareShown);
  report("launch with caption", captionedShown);
  report("launch editor shown", editorShown);
  report("launch editor ready", editorReady);
  std::printf("editor shown / bare window: %.2f, / window with caption: %.2f (medians)\n",
              median(editorShown) / median(bareShown),
              median(editorShown) / median(captionedShown));
  return true;
}

bool timeInProcess() {
  std::vector<double> startUps;
  std::vector<double> confirms;
  for (int run = 0; run < kRuns; ++run) {
    const vantrel::SampleGameFolder folder;
    if (!folder.isValid()) {
      std::fprintf(stderr, "startup_benchmark: could not prepare the sample game folder\n");
      return false;
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
      return false;
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
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1 && std::strcmp(argv[1], kLaunchEditor) == 0) return launchEditor(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], kLaunchBareWindow) == 0) {
    return launchBareWindow(argc, argv, false);
  }
  if (argc > 1 && std::strcmp(argv[1], kLaunchCaptionedWindow) == 0) {
    return launchBareWindow(argc, argv, true);
  }
  QApplication application(argc, argv);
  return timeLaunches() && timeInProcess() ? 0 : 1;
}

// Times the Windows editor on the sample game (run it under Wine with a
// display):
//  - shown, in this process: from creating the document to the window shown
//    and painted with both lists filled and the info box's first lines,
//    unpacking and loading included;
//  - start-up: the same until the event loop's first turn has also put the
//    rest of a long info box text in;
//  - confirm: a click on the entity confirm button with a building selected;
//  - with the path of vantrel-editor.exe as argument, also the whole program:
//    from starting its process to its exit as soon as its window is shown
//    (VANTREL_EXIT_WHEN_SHOWN), in a folder holding only it and the archive.
// Each run uses a fresh game folder and working folder. Prints the minimum,
// median and maximum of each in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "rules/rules_document.h"
#include "ui/win32/main_window.h"
#include "ui/win32/sample_game_folder.h"

namespace {

constexpr int kRuns = 20;

class Stopwatch {
 public:
  Stopwatch() { restart(); }
  void restart() { QueryPerformanceCounter(&start_); }
  double milliseconds() const {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
  }

 private:
  LARGE_INTEGER start_{};
};

void report(const char* what, std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("%-10s min %8.2f ms   median %8.2f ms   max %8.2f ms   (%zu runs)\n", what,
              milliseconds.front(), milliseconds[milliseconds.size() / 2], milliseconds.back(),
              milliseconds.size());
}

void drainMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// Starts the program in the game folder and waits for it to end; -1 on failure.
double timeProgram(const std::string& executable, const vantrel::win32::SampleGameFolder& folder) {
  const std::string copy = folder.gameFolder() + "\\vantrel-editor.exe";
  if (!CopyFileA(executable.c_str(), copy.c_str(), FALSE)) return -1;
  std::string commandLine = "\"" + copy + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  Stopwatch stopwatch;
  if (!CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.gameFolder().c_str(), &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  const double elapsed = stopwatch.milliseconds();
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode == 0 ? elapsed : -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<double> shown;
  std::vector<double> startUps;
  std::vector<double> confirms;
  std::vector<double> programs;
  SetEnvironmentVariableA("VANTREL_EXIT_WHEN_SHOWN", "1");  // for the started programs only
  for (int run = 0; run < kRuns; ++run) {
    const vantrel::win32::SampleGameFolder folder;
    if (!folder.isValid()) {
      std::fprintf(stderr, "startup_timing: could not prepare the sample game folder\n");
      return 1;
    }
    Stopwatch stopwatch;
    auto document = std::make_unique<vantrel::RulesDocument>();
    auto window = vantrel::win32::openMainWindow(*document, folder.paths());
    shown.push_back(stopwatch.milliseconds());
    window->processPendingEvents();
    startUps.push_back(stopwatch.milliseconds());

    HWND entities = window->control(vantrel::kEntityList);
    if (SendMessageW(entities, LB_GETCOUNT, 0, 0) <= 0) {
      std::fprintf(stderr, "startup_timing: the sample rules listed no entities\n");
      return 1;
    }
    SendMessageW(entities, LB_SETCURSEL, 0, 0);
    SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(entities), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(entities));
    window->processPendingEvents();
    stopwatch.restart();
    SendMessageW(window->control("按钮1"), BM_CLICK, 0, 0);
    window->processPendingEvents();
    confirms.push_back(stopwatch.milliseconds());
    window.reset();
    drainMessages();

    if (argc == 2) {
      const double program = timeProgram(argv[1], folder);
      if (program < 0) {
        std::fprintf(stderr, "startup_timing: could not run %s\n", argv[1]);
        return 1;
      }
      programs.push_back(program);
    }
  }
  report("shown", shown);
  report("start-up", startUps);
  report("confirm", confirms);
  if (!programs.empty()) report("program", programs);
  return 0;
}

// The Windows window end to end, in this process, with the native controls:
// one window per test, keys posted to the focused control and handled by the
// window's own event handling, message boxes answered from a hook.
#include "ui/win32/main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "text/text.h"
#include "ui/control_table.h"
#include "ui/win32/sample_game_folder.h"
#include "ui/win32/wide_text.h"
#include "ui/working_copy_claim.h"

namespace vantrel::win32 {
namespace {

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring listItem(HWND list, int row) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// `lines` numbered lines, each ended by CR LF, as the rules text has them.
Text numberedLines(int lines, const char* prefix) {
  Text text;
  for (int line = 0; line < lines; ++line) text += prefix + std::to_string(line) + "\r\n";
  return text;
}

std::vector<Text> fileLines(const std::string& path) {
  const Bytes bytes = readWholeFile(path);
  std::vector<Text> lines(1);
  for (std::uint8_t byte : bytes) {
    if (byte == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(byte);
    }
  }
  return lines;
}

// Everything a message box showed, recorded while it was up.
struct ShownBox {
  std::wstring caption;
  std::wstring text;
  int buttons = 0;
  bool icon = false;
  bool ownerEnabled = true;
};

// Answers every message box of this thread with OK as soon as it is
// activated, recording what it showed and whether the main window took input.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(HWND mainWindow) {
    current_ = this;
    mainWindow_ = mainWindow;
    hook_ = SetWindowsHookExW(WH_CBT, &hookProcedure, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  const std::vector<ShownBox>& boxes() const { return boxes_; }

 private:
  static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current_) current_->answer(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  void answer(HWND box) {
    wchar_t className[32] = {};
    GetClassNameW(box, className, 32);
    if (std::wstring(className) != L"#32770") return;
    ShownBox shown{windowText(box), {}, 0, false, IsWindowEnabled(mainWindow_) != FALSE};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      GetClassNameW(child, className, 32);
      if (std::wstring(className) == L"Button") ++shown.buttons;
      const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
      if (std::wstring(className) == L"Static" && (style & SS_TYPEMASK) == SS_ICON &&
          (style & WS_VISIBLE) && SendMessageW(child, STM_GETICON, 0, 0)) {
        shown.icon = true;
      }
      if (std::wstring(className) == L"Static" && GetWindowTextLengthW(child) > 0) {
        shown.text = windowText(child);
      }
    }
    boxes_.push_back(shown);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }

  static inline MessageBoxAnswerer* current_ = nullptr;
  HWND mainWindow_ = nullptr;
  HHOOK hook_ = nullptr;
  std::vector<ShownBox> boxes_;
};

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.emplace(archive_);
    ASSERT_TRUE(folder_->isValid());
  }

  void TearDown() override {
    window_.reset();
    // The destroyed window asked the loop to end; no loop runs here.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  void open() { window_ = openMainWindow(document_, folder_->paths()); }

  HWND control(const char* name) const { return window_->control(name); }

  // A key pressed and released on the focused control, handled as the event
  // loop handles it. Shift is held through the thread's keyboard state.
  void press(WPARAM key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND target = GetFocus();
    const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, key, 1 | (scanCode << 16));
    PostMessageW(target, WM_KEYUP, key, 1 | (scanCode << 16) | (3u << 30));
    window_->processPendingEvents();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }

  // Selects a row as a click would: the list notifies the window.
  void selectRow(const char* list, int row) {
    HWND box = control(list);
    SendMessageW(box, LB_SETCURSEL, row, 0);
    SendMessageW(window_->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
  }

  void click(const char* button) {
    SendMessageW(control(button), BM_CLICK, 0, 0);
    window_->processPendingEvents();
  }

  Text text(const char* editBox) { return window_->getEditText(editBox); }

  SampleGameFolder::Archive archive_ = SampleGameFolder::Archive::Sample;
  std::optional<SampleGameFolder> folder_;
  RulesDocument document_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(Win32WindowTest, ClientAreaHoldsTheControlsAndWindowIsCentred) {
  open();
  RECT client{};
  GetClientRect(window_->handle(), &client);
  EXPECT_EQ(client.right, kClientWidth);
  EXPECT_EQ(client.bottom, kClientHeight);
  RECT outer{};
  GetWindowRect(window_->handle(), &outer);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

  const LONG_PTR style = GetWindowLongPtrW(window_->handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetWindow(window_->handle(), GW_OWNER), nullptr);  // a task bar entry of its own
  EXPECT_EQ(windowText(window_->handle()), fromUtf8(kWindowTitle));

  const WPARAM font = SendMessageW(control(kEntityList), WM_GETFONT, 0, 0);
  EXPECT_NE(font, 0u);
  for (const ControlSpec& spec : controlTable()) {
    SCOPED_TRACE(spec.name);
    HWND box = control(spec.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(SendMessageW(box, WM_GETFONT, 0, 0), static_cast<LRESULT>(font));
    RECT place{};
    GetWindowRect(box, &place);
    MapWindowPoints(nullptr, window_->handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, spec.x);
    EXPECT_EQ(place.top, spec.y);
    EXPECT_EQ(place.right - place.left, spec.width);
    EXPECT_EQ(place.bottom - place.top, spec.height);  // lists too: no whole rows
    if (spec.kind == ControlKind::Label || spec.kind == ControlKind::PushButton) {
      EXPECT_EQ(windowText(box), fromUtf8(spec.caption));
    }
    const LONG_PTR controlStyle = GetWindowLongPtrW(box, GWL_STYLE);
    if (spec.kind == ControlKind::ListBox) {
      EXPECT_FALSE(controlStyle & LBS_SORT);
    }
    if (spec.kind == ControlKind::PushButton) {
      EXPECT_EQ(controlStyle & BS_TYPEMASK, BS_PUSHBUTTON);  // never a default button
    }
    if (spec.kind == ControlKind::LineEdit || spec.kind == ControlKind::InfoBox) {
      EXPECT_GT(SendMessageW(box, EM_GETLIMITTEXT, 0, 0), 0x7FFF0000);
    }
  }
}

// While the window is filled, no insertion of a list sees it on screen.
class VisibilityAtInsertRecorder {
 public:
  VisibilityAtInsertRecorder() {
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &hookProcedure, nullptr, GetCurrentThreadId());
  }
  ~VisibilityAtInsertRecorder() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  int inserts = 0;
  int insertsWhileVisible = 0;

 private:
  static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current_ && call->message == LB_INSERTSTRING) {
      ++current_->inserts;
      if (IsWindowVisible(GetAncestor(call->hwnd, GA_ROOT))) ++current_->insertsWhileVisible;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline VisibilityAtInsertRecorder* current_ = nullptr;
  HHOOK hook_ = nullptr;
};

TEST_F(Win32WindowTest, ListsAreFilledWhileHiddenThenShownWithFocusOnEntityList) {
  VisibilityAtInsertRecorder recorder;
  open();
  EXPECT_GT(recorder.inserts, 0);
  EXPECT_EQ(recorder.insertsWhileVisible, 0);
  EXPECT_TRUE(IsWindowVisible(window_->handle()));
  EXPECT_GT(SendMessageW(control(kEntityList), LB_GETCOUNT, 0, 0), 0);
  EXPECT_GT(SendMessageW(control(kCommandList), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(GetFocus(), control(kEntityList));
  EXPECT_EQ(GetActiveWindow(), window_->handle());
  EXPECT_EQ(window_->getListSelection(kEntityList), -1);
  EXPECT_EQ(window_->getListSelection(kCommandList), -1);
}

TEST_F(Win32WindowTest, TabAndShiftTabFollowTheFocusOrderAndWrap) {
  open();
  std::vector<HWND> order;
  for (const ControlSpec& spec : controlTable()) {
    if (takesFocus(spec)) order.push_back(control(spec.name));
  }
  ASSERT_EQ(GetFocus(), order.front());
  for (std::size_t step = 1; step <= order.size(); ++step) {
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), order[step % order.size()]) << "Tab number " << step;
  }
  for (std::size_t step = 1; step <= order.size(); ++step) {
    press(VK_TAB, /*shift=*/true);
    EXPECT_EQ(GetFocus(), order[(order.size() - step) % order.size()]) << "Shift+Tab " << step;
  }
  // No tab character reaches the info box.
  SetFocus(control(kInfoBox));
  press(VK_TAB);
  EXPECT_EQ(text(kInfoBox).find('\t'), Text::npos);
}

TEST_F(Win32WindowTest, EscWithAModifierHeldKeepsTheWindow) {
  open();
  press(VK_ESCAPE, /*shift=*/true);
  EXPECT_TRUE(IsWindow(window_->handle()));
  EXPECT_TRUE(IsWindowVisible(window_->handle()));
}

TEST_F(Win32WindowTest, EscClosesTheWindowFromAnyControl) {
  for (const char* name : {kEntityList, "编辑框_生命", kInfoBox, "按钮4"}) {
    SCOPED_TRACE(name);
    open();
    SetFocus(control(name));
    HWND handle = window_->handle();
    const UINT scanCode = MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1 | (scanCode << 16));
    // The loop must end by itself; the timer only stops a hanging test.
    const UINT_PTR guard = SetTimer(nullptr, 0, 10000, nullptr);
    EXPECT_EQ(window_->runMessageLoop(), 0);
    KillTimer(nullptr, guard);
    EXPECT_FALSE(IsWindow(handle));
    window_.reset();
  }
}

TEST_F(Win32WindowTest, EnterStartsALineOnlyInTheInfoBox) {
  open();
  HWND edit = control("编辑框_生命");
  SetFocus(edit);
  window_->setEditText("编辑框_生命", "12");
  press(VK_RETURN);
  EXPECT_EQ(text("编辑框_生命"), "12");
  EXPECT_EQ(GetFocus(), edit);

  HWND info = control(kInfoBox);
  window_->setEditText(kInfoBox, "ab");
  SetFocus(info);
  SendMessageW(info, EM_SETSEL, 2, 2);
  press(VK_RETURN);
  EXPECT_EQ(text(kInfoBox), "ab\r\n");
  EXPECT_EQ(GetFocus(), info);
}

TEST_F(Win32WindowTest, DownKeyInListRunsItsHandlerButProgramChangesRunNone) {
  open();
  HWND entities = control(kEntityList);
  const Text infoAtStart = text(kInfoBox);
  for (int row = 0; row < 3; ++row) {
    press(VK_DOWN);  // the first Down selects the first row
    ASSERT_EQ(window_->getListSelection(kEntityList), row);
    // The handler showed the selected row, whose first line holds its key.
    const Text info = text(kInfoBox);
    EXPECT_NE(info, infoAtStart);
    const std::wstring firstLine = fromAnsiText(info.substr(0, info.find('\r')));
    EXPECT_NE(firstLine.find(L"\"" + listItem(entities, row) + L"\""), std::wstring::npos)
        << "row " << row;
  }

  // The same row notified again shows the same.
  const Text shown = text(kInfoBox);
  const Text life = text("编辑框_生命") + text("编辑框_人物生命");
  SendMessageW(window_->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(entities), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(entities));
  EXPECT_EQ(text(kInfoBox), shown);
  EXPECT_EQ(text("编辑框_生命") + text("编辑框_人物生命"), life);

  EXPECT_EQ(window_->insertListItem(kEntityList, 0, "new row"), 0);
  window_->setEditText("编辑框_生命", "7");
  window_->processPendingEvents();
  EXPECT_EQ(text(kInfoBox), shown);
  EXPECT_EQ(window_->getListSelection(kEntityList), 3);  // moved down with its row
}

// A game folder without an archive: the window opens with empty lists.
class Win32EmptyGameTest : public Win32WindowTest {
 protected:
  Win32EmptyGameTest() { archive_ = SampleGameFolder::Archive::None; }
};

TEST_F(Win32EmptyGameTest, ListsKeepInsertionOrderAndRefusePositionsOutside) {
  open();
  EXPECT_EQ(GetFocus(), control(kEntityList));
  EXPECT_EQ(text(kInfoBox), "");
  HWND commands = control(kCommandList);
  ASSERT_EQ(SendMessageW(commands, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(window_->insertListItem(kCommandList, 0, "zeta"), 0);
  EXPECT_EQ(window_->insertListItem(kCommandList, 1, "alpha"), 1);
  EXPECT_EQ(window_->insertListItem(kCommandList, 1, "mid"), 1);
  EXPECT_EQ(window_->insertListItem(kCommandList, -1, "below"), -1);
  EXPECT_EQ(window_->insertListItem(kCommandList, 4, "beyond"), -1);
  EXPECT_EQ(window_->insertListItem(kCommandList, 3, "end"), 3);
  const std::vector<std::wstring> expected = {L"zeta", L"mid", L"alpha", L"end"};
  ASSERT_EQ(SendMessageW(commands, LB_GETCOUNT, 0, 0), 4);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(listItem(commands, row), expected[row]);
  EXPECT_EQ(window_->getListSelection(kCommandList), -1);
  EXPECT_EQ(window_->insertListItem("编辑框_生命", 0, "not a list"), -1);
  EXPECT_EQ(window_->getListSelection("编辑框_生命"), -1);
  EXPECT_EQ(window_->getEditText(kCommandList), "");
  window_->setEditText(kCommandList, "not a box");
  EXPECT_EQ(SendMessageW(commands, LB_GETCOUNT, 0, 0), 4);
}

TEST_F(Win32EmptyGameTest, ArrowKeysInAnEmptyListSelectNothing) {
  open();
  press(VK_DOWN);
  press(VK_UP);
  EXPECT_EQ(window_->getListSelection(kEntityList), -1);
  EXPECT_EQ(GetFocus(), control(kEntityList));
}

TEST_F(Win32WindowTest, SelectingBuildingAndUnitFillsAndEmptiesTheirBoxes) {
  const char* buildingBoxes[] = {"编辑框_生命", "编辑框_防御", "编辑框_视野", "编辑框_电网"};
  const char* unitBoxes[] = {"编辑框_人物生命", "编辑框_人物防御", "编辑框_人物视野",
                             "编辑框_人物移速"};
  open();
  const int rows = static_cast<int>(SendMessageW(control(kEntityList), LB_GETCOUNT, 0, 0));
  int buildings = 0;
  int units = 0;
  for (int row = 0; row < rows && (buildings == 0 || units == 0); ++row) {
    selectRow(kEntityList, row);
    const bool unit = !text("编辑框_人物防御").empty();  // line 16 holds a value
    (unit ? units : buildings) += 1;
    for (const char* box : unit ? buildingBoxes : unitBoxes) {
      EXPECT_EQ(text(box), "") << box << " row " << row;
    }
    EXPECT_NE(text(unit ? "编辑框_人物生命" : "编辑框_生命"), "") << "row " << row;
    EXPECT_NE(text("编辑框_需求工人"), "") << "row " << row;
  }
  EXPECT_GT(buildings, 0);
  EXPECT_GT(units, 0);

  selectRow(kCommandList, 0);
  EXPECT_NE(text("编辑框_距离") + text("编辑框_伤害") + text("编辑框_间隔"), "");
}

TEST_F(Win32WindowTest, ConfirmAfterOneChangedBoxChangesExactlyThatLine) {
  open();
  selectRow(kEntityList, 0);
  const std::vector<Text> before = fileLines(folder_->paths().workingFile);
  SetWindowTextW(control("编辑框_生命"), L"4242");  // as the user types it
  click("按钮1");
  const std::vector<Text> after = fileLines(folder_->paths().workingFile);
  ASSERT_EQ(after.size(), before.size());
  int changed = 0;
  for (std::size_t line = 0; line < before.size(); ++line) {
    if (before[line] == after[line]) continue;
    ++changed;
    EXPECT_NE(after[line].find("\"4242\""), Text::npos) << after[line];
  }
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(text("编辑框_生命"), "4242");
}

TEST_F(Win32WindowTest, WriteOutAndRestoreShowTheirMessageAndGiveTheFocusBack) {
  open();
  MessageBoxAnswerer answerer(window_->handle());
  selectRow(kEntityList, 0);
  window_->setEditText("编辑框_生命", "4242");
  click("按钮1");

  HWND writeOut = control("按钮4");
  SetFocus(writeOut);
  press(VK_SPACE);  // Space clicks the focused button
  ASSERT_EQ(answerer.boxes().size(), 1u);
  EXPECT_EQ(GetFocus(), writeOut);
  EXPECT_EQ(GetActiveWindow(), window_->handle());
  const Bytes written = readWholeFile(folder_->paths().gameArchive);
  EXPECT_NE(written, readWholeFile(SampleGameFolder::sampleArchive()));

  HWND restore = control("按钮3");
  SetFocus(restore);
  press(VK_SPACE);
  ASSERT_EQ(answerer.boxes().size(), 2u);
  EXPECT_EQ(GetFocus(), restore);
  EXPECT_EQ(readWholeFile(folder_->paths().gameArchive),
            readWholeFile(SampleGameFolder::sampleArchive()));

  const std::wstring expectedTexts[] = {fromUtf8("写出完成"), fromUtf8("还原完成")};
  for (std::size_t shown = 0; shown < 2; ++shown) {
    const ShownBox& box = answerer.boxes()[shown];
    EXPECT_EQ(box.caption, fromUtf8("信息："));
    EXPECT_EQ(box.text, expectedTexts[shown]);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_FALSE(box.icon);
    EXPECT_FALSE(box.ownerEnabled);  // the window took no input meanwhile
  }
  EXPECT_TRUE(IsWindowEnabled(window_->handle()));

  // The written archive unpacks to the edited rules on the next start.
  window_.reset();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  ASSERT_TRUE(writeWholeFile(folder_->paths().gameArchive, written, false));
  RulesDocument reopened;
  window_ = openMainWindow(reopened, folder_->paths());
  selectRow(kEntityList, 0);
  EXPECT_EQ(text("编辑框_生命"), "4242");
}

TEST_F(Win32WindowTest, PendingEventsLeaveTheQuitRequestForTheLoop) {
  open();
  PostQuitMessage(3);
  window_->processPendingEvents();
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

// A second start finds the running window by its title and brings it back
// from the task bar to the front; with no editor running it finds nothing.
TEST_F(Win32WindowTest, SecondStartBringsTheRunningWindowToTheFront) {
  EXPECT_FALSE(bringRunningEditorToFront(Text()));
  open();
  ShowWindow(window_->handle(), SW_MINIMIZE);
  window_->processPendingEvents();
  ASSERT_TRUE(IsIconic(window_->handle()));

  EXPECT_TRUE(bringRunningEditorToFront(Text()));
  window_->processPendingEvents();
  EXPECT_FALSE(IsIconic(window_->handle()));
  EXPECT_EQ(GetForegroundWindow(), window_->handle());
}

// Start-up puts the Commands section into the info box: the box shows its
// first lines at once and takes the rest on the event loop's next turn, and
// its text is the whole text throughout.
TEST_F(Win32WindowTest, LongInfoTextIsWholeBeforeAndAfterItsRestGoesIn) {
  open();
  HWND info = control(kInfoBox);
  const Text whole = text(kInfoBox);
  ASSERT_GT(std::count(whole.begin(), whole.end(), '\n'), MainWindow::kInfoBoxFirstLines);
  const std::wstring wholeWide = fromAnsiText(whole);
  const std::wstring firstLines = windowText(info);
  EXPECT_LT(firstLines.size(), wholeWide.size());
  EXPECT_EQ(wholeWide.substr(0, firstLines.size()), firstLines);

  window_->processPendingEvents();
  EXPECT_EQ(windowText(info), wholeWide);
  EXPECT_EQ(text(kInfoBox), whole);
  // Still shown from the start, and putting the rest in is no step to undo.
  DWORD start = 1;
  DWORD end = 1;
  SendMessageW(info, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
  EXPECT_EQ(SendMessageW(info, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_FALSE(SendMessageW(info, EM_CANUNDO, 0, 0));
}

TEST_F(Win32WindowTest, OnlyTextsLongerThanTheFirstLinesGoInTwoSteps) {
  open();
  window_->processPendingEvents();
  HWND info = control(kInfoBox);
  for (const int lines : {MainWindow::kInfoBoxFirstLines, MainWindow::kInfoBoxFirstLines + 1}) {
    SCOPED_TRACE(lines);
    const Text whole = numberedLines(lines, "line ");
    window_->setEditText(kInfoBox, whole);
    EXPECT_EQ(windowText(info) == fromAnsiText(whole), lines <= MainWindow::kInfoBoxFirstLines);
    EXPECT_EQ(text(kInfoBox), whole);
    window_->processPendingEvents();
    EXPECT_EQ(windowText(info), fromAnsiText(whole));
  }
}

// Typing reaches the whole text: the rest goes in before the box takes the
// focus or any input, with the caret still at the start.
TEST_F(Win32WindowTest, TypingBeforeTheRestIsInTypesIntoTheWholeText) {
  struct Case {
    const char* name;
    bool focusFirst;  // else a key reaches the box of a hidden window, unfocused
  };
  for (const Case& tried : {Case{"focus, then a key", true}, Case{"a key, unfocused", false}}) {
    SCOPED_TRACE(tried.name);
    open();
    window_->processPendingEvents();
    HWND info = control(kInfoBox);
    // A hidden window asks for no rest by itself.
    if (!tried.focusFirst) ShowWindow(window_->handle(), SW_HIDE);
    const Text whole = numberedLines(1000, "command ");
    window_->setEditText(kInfoBox, whole);
    ASSERT_NE(windowText(info), fromAnsiText(whole));
    if (tried.focusFirst) {
      SetFocus(info);
      EXPECT_EQ(windowText(info), fromAnsiText(whole));  // at once, no event loop turn
    }
    PostMessageW(info, WM_CHAR, L'x', 1);
    window_->processPendingEvents();
    EXPECT_EQ(text(kInfoBox), "x" + whole);
    EXPECT_EQ(windowText(info), fromAnsiText("x" + whole));
    window_.reset();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
}

// A text set while the rest of a long one is still to come replaces it all;
// the same whole text again changes nothing.
TEST_F(Win32WindowTest, NewInfoTextDropsThePendingRest) {
  struct Case {
    const char* name;
    Text (*next)(const Text& whole, const Text& firstLines);
  };
  const Case cases[] = {
      {"short", [](const Text&, const Text&) { return Text("short"); }},
      {"the first lines alone", [](const Text&, const Text& firstLines) { return firstLines; }},
      {"another long", [](const Text&, const Text&) { return numberedLines(1000, "other "); }},
      {"the same", [](const Text& whole, const Text&) { return whole; }},
  };
  for (const Case& tried : cases) {
    SCOPED_TRACE(tried.name);
    open();
    HWND info = control(kInfoBox);
    const Text whole = text(kInfoBox);
    const Text firstLines = toAnsiText(windowText(info));
    ASSERT_NE(firstLines, whole);
    const Text next = tried.next(whole, firstLines);
    window_->setEditText(kInfoBox, next);
    EXPECT_EQ(text(kInfoBox), next);
    window_->processPendingEvents();
    EXPECT_EQ(text(kInfoBox), next);
    EXPECT_EQ(windowText(info), fromAnsiText(next));
    window_.reset();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
}

// Run with Wine's ANSI code page set to 936 (GBK); skipped elsewhere unless
// VANTREL_REQUIRE_CODE_PAGE names the one expected.
class CodePage936WindowTest : public Win32WindowTest {
 protected:
  void SetUp() override {
    if (const char* required = std::getenv("VANTREL_REQUIRE_CODE_PAGE")) {
      ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(required)));
    } else if (GetACP() != 936) {
      GTEST_SKIP() << "code page " << GetACP() << " is not 936";
    }
    Win32WindowTest::SetUp();
  }
};

TEST_F(CodePage936WindowTest, ChineseValueRoundTripsThroughABox) {
  open();
  const Text gbk = "\xC9\xFA\xC3\xFC 120";  // "生命 120" in GBK
  window_->setEditText("编辑框_生命", gbk);
  EXPECT_EQ(windowText(control("编辑框_生命")), fromUtf8("生命 120"));
  EXPECT_EQ(text("编辑框_生命"), gbk);

  // Typed by the user: characters reach the box as UTF-16.
  HWND box = control("编辑框_防御");
  SetFocus(box);
  for (wchar_t character : fromUtf8("防御")) PostMessageW(box, WM_CHAR, character, 1);
  window_->processPendingEvents();
  EXPECT_EQ(text("编辑框_防御"), "\xB7\xC0\xD3\xF9");

  // The program's own captions show whatever the code page is.
  EXPECT_EQ(windowText(window_->handle()), fromUtf8(kWindowTitle));
}

}  // namespace
}  // namespace vantrel::win32

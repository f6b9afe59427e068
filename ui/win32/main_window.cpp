#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "ui/control_table.h"
#include "ui/event_bindings.h"
#include "ui/win32/wide_text.h"

namespace vantrel::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"VantrelEditorWindow";
constexpr int kApplicationIcon = 1;  // the first icon of the resource
constexpr int kFirstControlId = 100;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT kCompleteInfoText = WM_APP;  // posted to the window itself

struct NativeControl {
  const wchar_t* windowClass;
  DWORD style;
  DWORD extendedStyle;
};

NativeControl nativeControl(const ControlSpec& spec) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (spec.kind) {
    case ControlKind::Label:
      // SS_CENTERIMAGE centres a single line vertically and never wraps it.
      return {L"STATIC",
              kChild | SS_NOPREFIX | SS_CENTERIMAGE |
                  (spec.alignment == CaptionAlignment::Centred ? SS_CENTER : SS_LEFTNOWORDWRAP),
              0};
    case ControlKind::LineEdit:
      return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::InfoBox:
      // No horizontal scrolling: long lines wrap at the box's width.
      return {L"EDIT",
              kChild | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL |
                  ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      // Never sorted: positions map straight to the rows of the document.
      return {L"LISTBOX", kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
  }
  return {L"STATIC", kChild, 0};
}

bool isEditBox(ControlKind kind) {
  return kind == ControlKind::LineEdit || kind == ControlKind::InfoBox;
}

bool isListBoxKind(ControlKind kind) { return kind == ControlKind::ListBox; }

// Where the first lines of a text end: just after the line break that ends
// line `lines`, or the text's length when it has no more lines than that.
std::size_t endOfFirstLines(const std::wstring& text, int lines) {
  std::size_t end = 0;
  for (int line = 0; line < lines; ++line) {
    end = text.find(L'\n', end);
    if (end == std::wstring::npos) return text.size();
    ++end;
  }
  return end;
}

std::wstring windowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// Keyboard and mouse messages, in the client area or on the frame and scroll bar.
bool isInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

bool modifierHeld() {
  return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

// The system's default interface font, as the system's own dialogs use it.
HFONT createInterfaceFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    if (HFONT font = CreateFontIndirectW(&metrics.lfMessageFont)) return font;
  }
  return nullptr;
}

int lineHeight(HWND control, HFONT font) {
  HDC context = GetDC(control);
  const HGDIOBJ previous =
      SelectObject(context, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(context, &metrics);
  SelectObject(context, previous);
  ReleaseDC(control, context);
  return metrics.tmHeight;
}

void registerWindowClass(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  // The manifest asks for the version 6 controls; loading them here makes
  // sure they are the ones registered.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window on creation
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kApplicationIcon));
  if (!windowClass.hIcon) windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
  registered = true;
}

}  // namespace

MainWindow::MainWindow(RulesDocument& document, GamePaths paths)
    : document_(document), paths_(std::move(paths)), commands_(document, *this, zip_, paths_) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  registerWindowClass(instance);
  // The client area holds the 886 x 512 pixels that the controls span.
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, kWindowStyle, FALSE, 0);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_ = CreateWindowExW(0, kWindowClass, fromUtf8(kWindowTitle).c_str(), kWindowStyle, left,
                            top, width, height, nullptr, nullptr, instance, nullptr);
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProcedure));
  font_ = createInterfaceFont();
  createControls();
}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

void MainWindow::createControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const HGDIOBJ font = font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT);
  int id = kFirstControlId;
  // Created in the table's order, which is also the focus order.
  for (const ControlSpec& spec : controlTable()) {
    const NativeControl native = nativeControl(spec);
    HWND control =
        CreateWindowExW(native.extendedStyle, native.windowClass, fromUtf8(spec.caption).c_str(),
                        native.style, spec.x, spec.y, spec.width, spec.height, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (isEditBox(spec.kind)) {
      SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // 0: no limit beyond the system's
    } else if (spec.kind == ControlKind::ListBox) {
      SendMessageW(control, LB_SETITEMHEIGHT, 0, lineHeight(control, font_) + 1);
    }
    controls_.emplace(spec.name, Control{control, spec.kind});
  }
}

HWND MainWindow::control(std::string_view name) const {
  const auto found = controls_.find(std::string(name));
  return found == controls_.end() ? nullptr : found->second.handle;
}

HWND MainWindow::controlOf(std::string_view name, bool (*isKind)(ControlKind)) const {
  const auto found = controls_.find(std::string(name));
  if (found == controls_.end() || !isKind(found->second.kind)) return nullptr;
  return found->second.handle;
}

void MainWindow::onWindowCreated() { commands_.onWindowCreated(); }

void MainWindow::show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  SetActiveWindow(window_);
  SetFocus(control(kEntityList));
  UpdateWindow(window_);  // paints the window and its controls now
  if (!infoRest_.empty()) postInfoTextCompletion();
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  switch (message) {
    case WM_COMMAND:
      if (lParam) onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      // The focus comes back to the control that had it when the window was
      // left, for instance for a message box.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) lastFocus_ = focus;
        return 0;
      }
      if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case kCompleteInfoText:
      infoCompletionPosted_ = false;
      completeInfoText();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      controls_.clear();
      lastFocus_ = nullptr;
      infoRest_.clear();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::onCommand(HWND control, WORD notification) {
  if (notification == EN_SETFOCUS && control == this->control(kInfoBox)) {
    completeInfoText();  // before the user can type or move the caret
  } else if (notification == LBN_SELCHANGE) {
    // Only a selection that holds a row runs the handler.
    if (SendMessageW(control, LB_GETCURSEL, 0, 0) == LB_ERR) return;
    for (const EventBinding& binding : kListSelectionHandlers) {
      if (control == this->control(binding.control)) (commands_.*binding.handler)();
    }
  } else if (notification == BN_CLICKED) {
    for (const EventBinding& binding : kButtonClickHandlers) {
      if (control == this->control(binding.control)) (commands_.*binding.handler)();
    }
  }
}

bool MainWindow::selectFirstRowIfNoneSelected(HWND list) {
  if (SendMessageW(list, LB_GETCURSEL, 0, 0) != LB_ERR) return false;
  if (SendMessageW(list, LB_GETCOUNT, 0, 0) <= 0) return false;
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  // LB_SETCURSEL notifies nobody; the user made this selection, so tell the window.
  SendMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  return true;
}

bool MainWindow::handleKeyboard(const MSG& message) {
  if (message.message != WM_KEYDOWN || !window_) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  switch (message.wParam) {
    case VK_ESCAPE:
      if (modifierHeld()) return false;
      SendMessageW(window_, WM_CLOSE, 0, 0);
      return true;
    case VK_TAB: {
      const bool backwards = GetKeyState(VK_SHIFT) < 0;
      HWND focus = GetFocus();
      HWND next = GetNextDlgTabItem(window_, IsChild(window_, focus) ? focus : nullptr, backwards);
      if (next) SetFocus(next);
      return true;
    }
    case VK_RETURN:
      return message.hwnd != control(kInfoBox);
    case VK_UP:
    case VK_DOWN:
      return isListBox(message.hwnd) && selectFirstRowIfNoneSelected(message.hwnd);
    default:
      return false;
  }
}

bool MainWindow::isListBox(HWND control) const {
  for (const auto& [name, entry] : controls_) {
    if (entry.handle == control) return entry.kind == ControlKind::ListBox;
  }
  return false;
}

void MainWindow::dispatch(MSG& message) {
  if (!infoRest_.empty() && isInput(message.message) && message.hwnd == control(kInfoBox)) {
    completeInfoText();
  }
  if (handleKeyboard(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int MainWindow::runMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
  return static_cast<int>(message.wParam);
}

void MainWindow::processPendingEvents() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The request to end stays waiting for the event loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

Text MainWindow::getEditText(const Text& editBox) {
  HWND box = controlOf(editBox, isEditBox);
  if (!box) return {};
  if (box == control(kInfoBox)) return toAnsiText(windowText(box) + infoRest_);
  return toAnsiText(windowText(box));
}

void MainWindow::setEditText(const Text& editBox, const Text& text) {
  HWND box = controlOf(editBox, isEditBox);
  if (!box) return;
  std::wstring wide = fromAnsiText(text);
  // Every value read or written shows its whole row in the info box, the same
  // text again and again; laying out a long text is the costly part, so a
  // text the box already holds is not set again.
  const bool infoBox = box == control(kInfoBox);
  const std::wstring noRest;
  const std::wstring& rest = infoBox ? infoRest_ : noRest;
  const std::size_t length = static_cast<std::size_t>(GetWindowTextLengthW(box)) + rest.size();
  if (length == wide.size() && windowText(box) + rest == wide) return;
  if (infoBox) {
    setInfoText(box, std::move(wide));
  } else {
    SetWindowTextW(box, wide.c_str());
  }
}

void MainWindow::setInfoText(HWND box, std::wstring text) {
  infoRest_ = text.substr(endOfFirstLines(text, kInfoBoxFirstLines));
  text.resize(text.size() - infoRest_.size());
  SetWindowTextW(box, text.c_str());
  // While the window is hidden it is not painted yet: show() asks for the rest.
  if (!infoRest_.empty() && IsWindowVisible(window_)) postInfoTextCompletion();
}

void MainWindow::postInfoTextCompletion() {
  if (infoCompletionPosted_) return;
  infoCompletionPosted_ = PostMessageW(window_, kCompleteInfoText, 0, 0) != FALSE;
}

void MainWindow::completeInfoText() {
  if (infoRest_.empty()) return;
  HWND box = control(kInfoBox);
  const std::wstring rest = std::exchange(infoRest_, std::wstring());
  DWORD selectionStart = 0;
  DWORD selectionEnd = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
               reinterpret_cast<LPARAM>(&selectionEnd));
  const LRESULT firstVisibleLine = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
  const LRESULT modified = SendMessageW(box, EM_GETMODIFY, 0, 0);
  SendMessageW(box, WM_SETREDRAW, FALSE, 0);
  const int end = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, end, end);
  SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(rest.c_str()));
  SendMessageW(box, EM_SETSEL, selectionStart, selectionEnd);
  SendMessageW(box, EM_LINESCROLL, 0,
               firstVisibleLine - SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0));
  SendMessageW(box, EM_SETMODIFY, modified, 0);
  SendMessageW(box, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(box, nullptr, TRUE);
}

std::int32_t MainWindow::getListSelection(const Text& listBox) {
  HWND list = controlOf(listBox, isListBoxKind);
  if (!list) return -1;
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<std::int32_t>(selected);
}

std::int32_t MainWindow::insertListItem(const Text& listBox, std::int32_t position,
                                        const Text& text) {
  HWND list = controlOf(listBox, isListBoxKind);
  if (!list || position < 0 || position > SendMessageW(list, LB_GETCOUNT, 0, 0)) return -1;
  const std::wstring item = fromAnsiText(text);
  const LRESULT inserted = SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(position),
                                        reinterpret_cast<LPARAM>(item.c_str()));
  return inserted < 0 ? -1 : static_cast<std::int32_t>(inserted);
}

void MainWindow::showMessage(std::string_view utf8Message) {
  HWND window = window_;
  HWND focus = GetFocus();
  // Owned by the window, which takes no input while the box is shown.
  MessageBoxW(window, fromUtf8(utf8Message).c_str(), fromUtf8("信息：").c_str(), MB_OK);
  // Give activation and focus back explicitly: not every system does it when
  // the box goes away.
  if (!window || !IsWindow(window)) return;
  SetActiveWindow(window);
  if (focus && IsChild(window, focus)) SetFocus(focus);
}

std::unique_ptr<MainWindow> openMainWindow(RulesDocument& document, const GamePaths& paths) {
  auto window = std::make_unique<MainWindow>(document, paths);
  window->onWindowCreated();
  window->show();
  return window;
}

}  // namespace vantrel::win32

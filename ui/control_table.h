// The controls of the main window as data: every control's object name, kind,
// place and size in the client area, caption and alignment, in the window's own
// order. The focusable controls take the focus in this same order.
#pragma once

#include <span>

namespace vantrel {

enum class ControlKind { Label, LineEdit, InfoBox, ListBox, PushButton };
enum class CaptionAlignment { Left, Centred };

struct ControlSpec {
  const char* name;  // the object name, also how the engine addresses the control
  ControlKind kind;
  int x;
  int y;
  int width;
  int height;
  const char* caption;  // UTF-8; empty for controls that start empty
  CaptionAlignment alignment;
};

// The client area that the controls span.
inline constexpr int kClientWidth = 886;
inline constexpr int kClientHeight = 512;

inline constexpr const char* kWindowTitle = "Vantrel属性修改工具";

// Every on-screen control of the window, in the window's order.
std::span<const ControlSpec> controlTable();

// Labels never take the focus; every other control does.
bool takesFocus(const ControlSpec& control);

}  // namespace vantrel

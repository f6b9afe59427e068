// The window as the engine sees it: the few operations through which the rules
// document reaches the controls, addressed by their object names. The Qt window
// (Linux) and the Win32 window (Windows) implement it; tests use a recording fake.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace vantrel {

// Names of the controls that the engine itself addresses.
inline constexpr const char* kEntityList = "列表框_分类";
inline constexpr const char* kCommandList = "列表框_攻击";
inline constexpr const char* kInfoBox = "编辑框_信息";

class WindowOperations {
 public:
  virtual ~WindowOperations() = default;

  // The whole text of an edit box; lines of a multi-line box joined by CR LF.
  virtual Text getEditText(const Text& editBox) = 0;
  // Replaces the whole text of an edit box. Runs no handler.
  virtual void setEditText(const Text& editBox, const Text& text) = 0;
  // 0-based position of the selected item, -1 when none is selected.
  virtual std::int32_t getListSelection(const Text& listBox) = 0;
  // Inserts at a 0-based position (== count appends) and returns it; -1 and
  // nothing inserted for a position outside 0..count. Runs no handler.
  virtual std::int32_t insertListItem(const Text& listBox, std::int32_t position,
                                      const Text& text) = 0;
  // A modal box with the caption "信息：" and one OK button. Only the
  // program's own messages are shown, so the message is UTF-8, not a Text
  // of the code page; each window converts it for display.
  virtual void showMessage(std::string_view utf8Message) = 0;
  // Handles the events already waiting, without waiting for more.
  virtual void processPendingEvents() = 0;
};

}  // namespace vantrel

// A recording stand-in for the window, for tests: list boxes with items and a
// selection the test sets, edit boxes with texts, and a log of every call in
// the order it was made.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <vector>

#include "rules/window_operations.h"

namespace vantrel {

// One call made on the window: the operation's name, the control it addressed
// (empty for showMessage and processPendingEvents) and its text argument.
struct WindowCall {
  Text operation;
  Text control;
  Text text;
  std::int32_t position = 0;  // insertListItem only

  bool operator==(const WindowCall&) const = default;
};
std::ostream& operator<<(std::ostream& out, const WindowCall& call);

class FakeWindow : public WindowOperations {
 public:
  Text getEditText(const Text& editBox) override;
  void setEditText(const Text& editBox, const Text& text) override;
  std::int32_t getListSelection(const Text& listBox) override;
  std::int32_t insertListItem(const Text& listBox, std::int32_t position,
                              const Text& text) override;
  void showMessage(std::string_view utf8Message) override;
  void processPendingEvents() override;

  // Selects the item at a 0-based position (-1: none). Any value is kept, so a
  // test can also select past the end of the list.
  void select(const Text& listBox, std::int32_t position);
  // The items of a list, in order; empty for a list never filled.
  const std::vector<Text>& items(const Text& listBox) const;
  // The text of an edit box as last set; empty for a box never set.
  Text editText(const Text& editBox) const;

  const std::vector<WindowCall>& calls() const { return calls_; }
  // The calls of one operation, in order.
  std::vector<WindowCall> callsOf(const Text& operation) const;
  // The messages shown, as the UTF-8 texts they were given.
  const std::vector<Text>& messages() const { return messages_; }
  std::int32_t pendingEventPumps() const { return pendingEventPumps_; }
  void clearCalls() { calls_.clear(); }

 private:
  std::map<Text, std::vector<Text>> lists_;
  std::map<Text, std::int32_t> selections_;
  std::map<Text, Text> editTexts_;
  std::vector<WindowCall> calls_;
  std::vector<Text> messages_;
  std::int32_t pendingEventPumps_ = 0;
};

}  // namespace vantrel

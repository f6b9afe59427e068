#include "rules/fake_window.h"

namespace vantrel {

std::ostream& operator<<(std::ostream& out, const WindowCall& call) {
  out << call.operation << "(" << call.control;
  if (call.operation == "insertListItem") out << ", " << call.position;
  // Long texts (a whole row section) would bury the message; their head is enough.
  constexpr std::size_t kShownLength = 60;
  out << ", \"" << call.text.substr(0, kShownLength)
      << (call.text.size() > kShownLength ? "...\"" : "\"") << ")";
  return out;
}

Text FakeWindow::getEditText(const Text& editBox) {
  calls_.push_back({"getEditText", editBox, Text()});
  return editText(editBox);
}

void FakeWindow::setEditText(const Text& editBox, const Text& text) {
  calls_.push_back({"setEditText", editBox, text});
  editTexts_[editBox] = text;
}

std::int32_t FakeWindow::getListSelection(const Text& listBox) {
  calls_.push_back({"getListSelection", listBox, Text()});
  const auto found = selections_.find(listBox);
  return found == selections_.end() ? -1 : found->second;
}

std::int32_t FakeWindow::insertListItem(const Text& listBox, std::int32_t position,
                                        const Text& text) {
  calls_.push_back({"insertListItem", listBox, text, position});
  std::vector<Text>& list = lists_[listBox];
  if (position < 0 || position > static_cast<std::int32_t>(list.size())) return -1;
  list.insert(list.begin() + position, text);
  return position;
}

void FakeWindow::showMessage(std::string_view utf8Message) {
  calls_.push_back({"showMessage", Text(), Text(utf8Message)});
  messages_.emplace_back(utf8Message);
}

void FakeWindow::processPendingEvents() {
  calls_.push_back({"processPendingEvents", Text(), Text()});
  ++pendingEventPumps_;
}

void FakeWindow::select(const Text& listBox, std::int32_t position) {
  selections_[listBox] = position;
}

const std::vector<Text>& FakeWindow::items(const Text& listBox) const {
  static const std::vector<Text> kNoItems;
  const auto found = lists_.find(listBox);
  return found == lists_.end() ? kNoItems : found->second;
}

Text FakeWindow::editText(const Text& editBox) const {
  const auto found = editTexts_.find(editBox);
  return found == editTexts_.end() ? Text() : found->second;
}

std::vector<WindowCall> FakeWindow::callsOf(const Text& operation) const {
  std::vector<WindowCall> matching;
  for (const WindowCall& call : calls_) {
    if (call.operation == operation) matching.push_back(call);
  }
  return matching;
}

}  // namespace vantrel

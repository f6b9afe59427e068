#include "text/text.h"

namespace vantrel {

namespace {

// True when n numbers a member of an array with count members.
bool isMemberNumber(std::int32_t n, std::size_t count) {
  return n >= 1 && static_cast<std::size_t>(n) <= count;
}

}  // namespace

std::int32_t TextArray::count() const { return static_cast<std::int32_t>(members_.size()); }

Text TextArray::member(std::int32_t n) const {
  return isMemberNumber(n, members_.size()) ? members_[n - 1] : Text();
}

void TextArray::append(const Text& text) { members_.push_back(text); }

void TextArray::append(Text&& text) { members_.push_back(std::move(text)); }

void TextArray::replace(std::int32_t n, const Text& text) {
  if (isMemberNumber(n, members_.size())) members_[n - 1] = text;
}

void TextArray::remove(std::int32_t n) {
  if (isMemberNumber(n, members_.size())) members_.erase(members_.begin() + (n - 1));
}

void TextArray::empty() { members_.clear(); }

}  // namespace vantrel

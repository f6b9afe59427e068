#include "text/text.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

std::int32_t textLength(const Text& text) { return static_cast<std::int32_t>(text.size()); }

Text textRight(const Text& text, std::int32_t n) {
  if (n <= 0) return Text();
  if (n >= textLength(text)) return text;
  return text.substr(text.size() - static_cast<std::size_t>(n));
}

Text textMid(const Text& text, std::int32_t start, std::int32_t n) {
  const std::int32_t length = textLength(text);
  if (start < 1 || start > length || n <= 0) return Text();
  const std::int32_t available = length - start + 1;
  return text.substr(static_cast<std::size_t>(start - 1),
                     static_cast<std::size_t>(std::min(n, available)));
}

Bytes textToBytes(const Text& text) {
  // A plain copy: the whole rules text passes through here on every change.
  Bytes bytes(text.size());
  if (!text.empty()) std::memcpy(bytes.data(), text.data(), text.size());
  return bytes;
}

Text bytesToText(const Bytes& bytes) {
  if (bytes.empty()) return Text();
  // memchr and a plain copy: a whole rules file passes through here.
  const auto* data = reinterpret_cast<const char*>(bytes.data());
  const auto* zero = static_cast<const char*>(std::memchr(data, 0, bytes.size()));
  return Text(data, zero != nullptr ? static_cast<std::size_t>(zero - data) : bytes.size());
}

Text blankText(std::int32_t n) {
  if (n <= 0) return Text();
  return Text(static_cast<std::size_t>(n), ' ');
}

Text concatText(std::initializer_list<std::string_view> texts) {
  std::size_t total = 0;
  for (const std::string_view piece : texts) total += piece.size();
  Text result;
  result.reserve(total);
  for (const std::string_view piece : texts) result.append(piece);
  return result;
}

bool textEquals(const Text& a, const Text& b) { return a == b; }

}  // namespace vantrel

#include "app/rules_tool/csv_encoding.h"

#include <string_view>

#include "os/os.h"

namespace vantrel::csv_encoding {
namespace {

bool localIsUtf8() {
  static const bool utf8 = os::encodeLocalCharacter(0x4E2D) == "\xE4\xB8\xAD" &&
                           os::encodeLocalCharacter(0xE9) == "\xC3\xA9";
  return utf8;
}

void appendUtf8(char32_t c, Text& out) {
  const auto unit = [](char32_t bits) { return static_cast<char>(bits); };
  if (c < 0x80) {
    out += unit(c);
  } else if (c < 0x800) {
    out += {unit(0xC0 | c >> 6), unit(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    out += {unit(0xE0 | c >> 12), unit(0x80 | (c >> 6 & 0x3F)), unit(0x80 | (c & 0x3F))};
  } else {
    out += {unit(0xF0 | c >> 18), unit(0x80 | (c >> 12 & 0x3F)), unit(0x80 | (c >> 6 & 0x3F)),
            unit(0x80 | (c & 0x3F))};
  }
}

// The code point that begins text and its length; length 0 when the bytes
// are no UTF-8.
std::pair<char32_t, std::size_t> nextUtf8(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t c = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, smallest = 0x10000;
  } else {
    return {0, 0};
  }
  if (text.size() < length) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    c = c << 6 | (byte(i) & 0x3F);
  }
  if (c < smallest || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return {0, 0};
  return {c, length};
}

}  // namespace

Text toUtf8(const Text& local) {
  if (localIsUtf8()) return local;
  Text out;
  for (std::string_view rest = local; !rest.empty();) {
    const os::LocalCharacter character = os::decodeLocalCharacter(rest);
    appendUtf8(character.codePoint, out);
    rest.remove_prefix(character.length);
  }
  return out;
}

std::optional<Text> fromUtf8(const Text& utf8) {
  if (localIsUtf8()) return utf8;
  Text out;
  for (std::string_view rest = utf8; !rest.empty();) {
    const auto [codePoint, length] = nextUtf8(rest);
    if (length == 0) return std::nullopt;
    const std::string local = os::encodeLocalCharacter(codePoint);
    if (local.empty()) return std::nullopt;
    out += local;
    rest.remove_prefix(length);
  }
  return out;
}

}  // namespace vantrel::csv_encoding

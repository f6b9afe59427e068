#include "rules/row_values.h"

#include <cstdint>

#include "rules/rules_markers.h"
#include "text/markers.h"

namespace vantrel {
namespace {

struct Entity {
  char character;
  const char* escaped;
};

// Written by encodeValue (all but &apos;) and read back by decodeValue. A
// line break (pasted into a box) would split the value's line and move every
// later column of the row, so it goes in as a character reference.
constexpr Entity kEntities[] = {
    {'"', "&quot;"}, {'<', "&lt;"},   {'>', "&gt;"},    {'&', "&amp;"},
    {'\r', "&#13;"}, {'\n', "&#10;"}, {'\'', "&apos;"},
};

const char* escapedForm(char character) {
  if (character == '\'') return nullptr;
  for (const Entity& entity : kEntities) {
    if (entity.character == character) return entity.escaped;
  }
  return nullptr;
}

// The number of bytes of the character at index i, as the text engine walks:
// a byte of 0x80 or above takes the byte after it along.
std::size_t characterLength(const Text& text, std::size_t i) {
  const auto byte = static_cast<std::uint8_t>(text[i]);
  return (byte >= 0x80 && i + 1 < text.size()) ? 2 : 1;
}

}  // namespace

Text encodeValue(const Text& value) {
  Text encoded;
  encoded.reserve(value.size());
  for (std::size_t i = 0; i < value.size();) {
    const std::size_t length = characterLength(value, i);
    const char* escaped = length == 1 ? escapedForm(value[i]) : nullptr;
    if (escaped != nullptr) {
      encoded += escaped;
    } else {
      encoded.append(value, i, length);
    }
    i += length;
  }
  return encoded;
}

Text decodeValue(const Text& raw) {
  Text decoded;
  decoded.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size();) {
    if (raw[i] == '&') {
      const Entity* match = nullptr;
      for (const Entity& entity : kEntities) {
        if (raw.compare(i, Text::traits_type::length(entity.escaped), entity.escaped) == 0) {
          match = &entity;
          break;
        }
      }
      if (match != nullptr) {
        decoded += match->character;
        i += Text::traits_type::length(match->escaped);
        continue;
      }
    }
    const std::size_t length = characterLength(raw, i);
    decoded.append(raw, i, length);
    i += length;
  }
  return decoded;
}

Text lineValue(const Text& line) { return decodeValue(textBetween(line, kValueStart, kValueEnd)); }

Text lineWithValue(const Text& line, const Text& newValue) {
  const std::int32_t valueMarker = findText(line, kValueStart);
  if (valueMarker != -1) {
    const std::int32_t valueStart = valueMarker + textLength(kValueStart);
    const std::int32_t valueEnd = findText(line, kValueEnd, valueStart);
    if (valueEnd == -1) return line;
    const Text oldRaw = textMid(line, valueStart, valueEnd - valueStart);
    // Keeping the old bytes for an unchanged value keeps entities that
    // encodeValue would spell differently (&apos;, &#x41;).
    const Text newRaw = textEquals(decodeValue(oldRaw), newValue) ? oldRaw : encodeValue(newValue);
    return concatText({textMid(line, 1, valueStart - 1), newRaw,
                       textMid(line, valueEnd, textLength(line) - valueEnd + 1)});
  }
  const std::int32_t nullMarker = findText(line, kNullValue);
  if (nullMarker != -1 && textEquals(trimSpaces(line), kNullValue) && !newValue.empty()) {
    return concatText(
        {textMid(line, 1, nullMarker - 1), kValueStart, encodeValue(newValue), kValueLineEnd});
  }
  return line;
}

}  // namespace vantrel

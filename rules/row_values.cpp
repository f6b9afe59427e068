#include "rules/row_values.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "os/os.h"
#include "rules/rules_markers.h"
#include "text/markers.h"

namespace vantrel {
namespace {

struct Entity {
  char character;
  const char* escaped;
};

// Written by encodeValue and read back by decodeValue. A line break (pasted
// into a box) would split the value's line and move every later column of
// the row, so it goes in as a character reference.
constexpr Entity kEntities[] = {
    {'"', "&quot;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'&', "&amp;"}, {'\r', "&#13;"}, {'\n', "&#10;"},
};

const char* escapedForm(char character) {
  for (const Entity& entity : kEntities) {
    if (entity.character == character) return entity.escaped;
  }
  return nullptr;
}

Text characterReference(char32_t codePoint) {
  char reference[16];
  std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(codePoint));
  return reference;
}

// A named entity the game's text may hold, and the character it stands for.
struct NamedReference {
  std::string_view reference;
  char character;
};
constexpr NamedReference kNamedReferences[] = {
    {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&apos;", '\''},
};

// The value of a digit in base 10 or 16, or -1.
int digitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The character that a reference at the start of raw stands for, in the
// system's encoding, and the reference's length; length 0 when raw does not
// begin with a reference to a character the encoding can show.
struct Reference {
  Text character;
  std::size_t length = 0;
};
Reference readReference(std::string_view raw) {
  for (const NamedReference& named : kNamedReferences) {
    if (raw.substr(0, named.reference.size()) == named.reference) {
      return {Text(1, named.character), named.reference.size()};
    }
  }
  if (raw.size() < 4 || raw[1] != '#') return {};
  const int base = raw[2] == 'x' ? 16 : 10;
  const std::size_t digitsStart = base == 16 ? 3 : 2;
  // Eight digits at most: enough for any code point, too few to overflow.
  constexpr std::size_t kMostDigits = 8;
  std::uint32_t codePoint = 0;
  std::size_t i = digitsStart;
  for (; i < raw.size() && i - digitsStart < kMostDigits; ++i) {
    const int digit = digitValue(raw[i], base);
    if (digit < 0) break;
    codePoint = codePoint * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
  }
  if (i == digitsStart || i >= raw.size() || raw[i] != ';') return {};
  Text character = os::encodeLocalCharacter(codePoint);
  if (character.empty()) return {};
  return {std::move(character), i + 1};
}

// Where the raw value of a line lies: after its first <Simple value=" up to
// the next quote. Both are found byte by byte: neither '<' nor '"' can be part
// of a longer character (UTF-8 or a double-byte code page), while a walk by
// two-byte characters would step over the quote after an odd run of bytes of
// 0x80 or above.
struct RawValue {
  std::size_t start = Text::npos;  // npos: the line has no value marker
  std::size_t end = Text::npos;    // npos: the value is not closed
};
RawValue findRawValue(const Text& line) {
  RawValue value;
  const std::size_t marker = line.find(kValueStart);
  if (marker == Text::npos) return value;
  value.start = marker + kValueStart.size();
  value.end = line.find(kValueEnd, value.start);
  return value;
}

}  // namespace

Text encodeValue(const Text& value) {
  Text encoded;
  encoded.reserve(value.size());
  for (std::size_t i = 0; i < value.size();) {
    if (static_cast<std::uint8_t>(value[i]) < 0x80) {
      const char* escaped = escapedForm(value[i]);
      if (escaped != nullptr) {
        encoded += escaped;
      } else {
        encoded += value[i];
      }
      ++i;
      continue;
    }
    const os::LocalCharacter character =
        os::decodeLocalCharacter(std::string_view(value).substr(i));
    encoded += characterReference(character.codePoint);
    i += character.length;
  }
  return encoded;
}

Text decodeValue(const Text& raw) {
  Text decoded;
  decoded.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size();) {
    if (raw[i] == '&') {
      Reference reference = readReference(std::string_view(raw).substr(i));
      if (reference.length != 0) {
        decoded += reference.character;
        i += reference.length;
        continue;
      }
    }
    decoded += raw[i];
    ++i;
  }
  return decoded;
}

Text lineValue(const Text& line) {
  const RawValue value = findRawValue(line);
  if (value.start == Text::npos || value.end == Text::npos) return Text();
  return decodeValue(line.substr(value.start, value.end - value.start));
}

Text lineWithValue(const Text& line, const Text& newValue) {
  const RawValue value = findRawValue(line);
  if (value.start != Text::npos) {
    if (value.end == Text::npos) return line;
    const Text oldRaw = line.substr(value.start, value.end - value.start);
    // Keeping the old bytes for an unchanged value keeps entities that
    // encodeValue would spell differently (&apos;, &#65;) and characters the
    // text holds as they are.
    const Text newRaw = textEquals(decodeValue(oldRaw), newValue) ? oldRaw : encodeValue(newValue);
    return concatText({std::string_view(line).substr(0, value.start), newRaw,
                       std::string_view(line).substr(value.end)});
  }
  const std::int32_t nullMarker = findText(line, kNullValue);
  if (nullMarker != -1 && textEquals(trimSpaces(line), kNullValue) && !newValue.empty()) {
    return concatText(
        {textMid(line, 1, nullMarker - 1), kValueStart, encodeValue(newValue), kValueLineEnd});
  }
  return line;
}

}  // namespace vantrel

// Helpers shared by the operations that walk a text one character at a time:
// a byte of 0x80 or above and the byte after it form one character, every
// other byte is a character of its own.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace vantrel::character_walk {

// True for a byte that begins a two-byte character.
inline bool isLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// The length of the character that begins at index i of a text of length
// length: 2 for a lead byte with a byte after it, 1 for any other byte, and 0
// for a lead byte that is the last byte (the walk ends there).
inline std::size_t characterLength(const char* text, std::size_t i, std::size_t length) {
  if (!isLeadByte(text[i])) return 1;
  return i + 1 < length ? 2 : 0;
}

// ASCII A to Z become a to z; every other byte stays as it is.
inline unsigned char foldCase(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// Compares n bytes; without regard to ASCII letter case when ignoreCase is set.
inline bool bytesEqual(const char* a, const char* b, std::size_t n, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(a, b, n) == 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (foldCase(a[k]) != foldCase(b[k])) return false;
  }
  return true;
}

// True when sought occurs at text + i, which must leave soughtLength bytes.
// The first and last bytes are checked before the rest, so that most
// positions cost one or two comparisons even for a sought text that begins
// with a common byte such as a space.
inline bool matchesAt(const char* text, std::size_t i, const char* sought, std::size_t soughtLength,
                      bool ignoreCase) {
  const std::size_t last = soughtLength - 1;
  if (ignoreCase) {
    if (foldCase(text[i]) != foldCase(sought[0])) return false;
    if (foldCase(text[i + last]) != foldCase(sought[last])) return false;
  } else if (text[i] != sought[0] || text[i + last] != sought[last]) {
    return false;
  }
  return soughtLength <= 2 || bytesEqual(text + i + 1, sought + 1, soughtLength - 2, ignoreCase);
}

// The index of the first byte of 0x80 or above in [i, end), or end when there
// is none. Every byte before it is a character of its own.
std::size_t nextLeadByte(const char* text, std::size_t i, std::size_t end);

// The index of the first occurrence of sought that begins at a character start
// of a walk beginning at index i (the pairing starts afresh at i); npos when
// there is none before the walk ends or fewer than sought's bytes remain. The
// searches, replaceText and splitText all find their occurrences with it.
std::size_t nextMatch(std::string_view text, std::size_t i, std::string_view sought,
                      bool ignoreCase);

// The part of text that trimSpaces keeps, without copying it: leading and
// trailing spaces and full-width spaces A1 A1 left out.
std::string_view trimBlanks(std::string_view text);

}  // namespace vantrel::character_walk

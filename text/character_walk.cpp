// The character walk's search: instead of comparing at every character start,
// it jumps to the places where the sought text could begin and checks only
// that no lead byte before them makes them second bytes of a character.
#include "text/character_walk.h"

#include <cstdint>

namespace vantrel::character_walk {

namespace {

bool isAsciiLetter(char byte) {
  const unsigned char folded = foldCase(byte);
  return folded >= 'a' && folded <= 'z';
}

// The byte of sought looked for first: its last byte, or, without regard to
// case, its last byte that is not a letter (memchr then finds it as it is).
// The markers searched for end with '>', '"' or a line break, bytes that are
// far rarer in the rules text than their leading spaces.
std::size_t anchorIndex(std::string_view sought, bool ignoreCase) {
  if (ignoreCase) {
    for (std::size_t k = sought.size(); k-- > 0;) {
      if (!isAsciiLetter(sought[k])) return k;
    }
  }
  return sought.size() - 1;
}

// The first byte in [begin, end) equal to byte (either case of a letter when
// ignoreCase is set), or end.
const char* findByte(const char* begin, const char* end, char byte, bool ignoreCase) {
  if (!ignoreCase || !isAsciiLetter(byte)) {
    const void* found = std::memchr(begin, byte, static_cast<std::size_t>(end - begin));
    return found != nullptr ? static_cast<const char*>(found) : end;
  }
  const unsigned char folded = foldCase(byte);
  while (begin != end && foldCase(*begin) != folded) ++begin;
  return begin;
}

}  // namespace

std::size_t nextLeadByte(const char* text, std::size_t i, std::size_t end) {
  // Eight bytes at a time while none of them has its high bit set.
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  while (end - i >= 8) {
    std::uint64_t word;
    std::memcpy(&word, text + i, sizeof word);
    if ((word & kHighBits) != 0) break;
    i += 8;
  }
  while (i < end && !isLeadByte(text[i])) ++i;
  return i;
}

std::size_t nextMatch(std::string_view text, std::size_t i, std::string_view sought,
                      bool ignoreCase) {
  const std::size_t length = text.size();
  const std::size_t soughtLength = sought.size();
  if (soughtLength == 0 || i > length || length - i < soughtLength) return std::string_view::npos;
  const char* bytes = text.data();
  const std::size_t lastStart = length - soughtLength;  // the last index where sought fits
  const std::size_t anchor = anchorIndex(sought, ignoreCase);
  // The first index at or after i where sought's anchor byte lines up: no
  // match begins before it. It stays valid until the walk passes it.
  std::size_t candidate = 0;
  bool haveCandidate = false;
  while (i <= lastStart) {
    if (!haveCandidate || candidate < i) {
      const char* found =
          findByte(bytes + i + anchor, bytes + lastStart + anchor + 1, sought[anchor], ignoreCase);
      candidate = static_cast<std::size_t>(found - bytes) - anchor;
      haveCandidate = true;
      if (candidate > lastStart) return std::string_view::npos;
    }
    // Up to the next lead byte every byte begins a character, so the walk
    // moves there at once: either to the candidate or to a two-byte
    // character before it, where no match can begin.
    i = nextLeadByte(bytes, i, candidate);
    if (i == candidate && matchesAt(bytes, i, sought.data(), soughtLength, ignoreCase)) return i;
    const std::size_t step = characterLength(bytes, i, length);
    if (step == 0) return std::string_view::npos;
    i += step;
  }
  return std::string_view::npos;
}

}  // namespace vantrel::character_walk

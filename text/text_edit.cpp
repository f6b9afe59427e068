// trimSpaces, replaceText and splitText: operations that rebuild a text while
// walking it one character at a time.
#include <algorithm>

#include "text/character_walk.h"
#include "text/text.h"

namespace vantrel {

using character_walk::characterLength;
using character_walk::nextLeadByte;
using character_walk::nextMatch;

namespace {

bool isSpace(char byte) { return byte == ' '; }

// True when the two-byte full-width space A1 A1 begins at index i.
bool isFullWidthSpace(std::string_view text, std::size_t i) {
  return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xA1 &&
         static_cast<unsigned char>(text[i + 1]) == 0xA1;
}

}  // namespace

std::string_view character_walk::trimBlanks(std::string_view text) {
  const std::size_t length = text.size();
  std::size_t begin = 0;
  while (begin < length) {
    if (isSpace(text[begin])) {
      begin += 1;
    } else if (isFullWidthSpace(text, begin)) {
      begin += 2;
    } else {
      break;
    }
  }
  // The trailing blanks are found by a forward walk, so that a 0x20 or A1 that
  // is the second byte of a character is not taken for a blank. `end` is where
  // the current run of blanks began, or the length when the walk is not in one.
  std::size_t end = length;
  bool inBlankRun = false;
  std::size_t i = begin;
  while (i < length) {
    // A stretch of one-byte characters, of which only the spaces are blank:
    // what matters is where its final spaces begin.
    const std::size_t stretchEnd = nextLeadByte(text.data(), i, length);
    if (stretchEnd > i) {
      std::size_t spacesBegin = stretchEnd;
      while (spacesBegin > i && isSpace(text[spacesBegin - 1])) --spacesBegin;
      if (spacesBegin > i) {
        end = spacesBegin < stretchEnd ? spacesBegin : length;
        inBlankRun = spacesBegin < stretchEnd;
      } else if (!inBlankRun) {
        end = i;
        inBlankRun = true;
      }
      i = stretchEnd;
      continue;
    }
    // A two-byte character, blank when it is A1 A1.
    const bool blank = isFullWidthSpace(text, i);
    if (blank && !inBlankRun) end = i;
    if (!blank) end = length;
    inBlankRun = blank;
    // A lead byte that is the last byte stays in the text as it is.
    i += blank ? 2 : std::max<std::size_t>(characterLength(text.data(), i, length), 1);
  }
  return text.substr(begin, end - begin);
}

Text trimSpaces(const Text& text) { return Text(character_walk::trimBlanks(text)); }

Text replaceText(const Text& text, const Text& oldText, const Text& newText, bool caseSensitive) {
  const std::size_t length = text.size();
  const std::size_t oldLength = oldText.size();
  if (length == 0 || oldLength == 0) return text;
  Text result;
  // Unchanged bytes are copied in runs: copiedUpTo is where the next run begins.
  // A lone lead byte at the end ends the walk and is copied as it is.
  std::size_t copiedUpTo = 0;
  std::size_t found;
  while ((found = nextMatch(text, copiedUpTo, oldText, !caseSensitive)) != std::string_view::npos) {
    if (copiedUpTo == 0) result.reserve(length);  // the first occurrence
    result.append(text, copiedUpTo, found - copiedUpTo);
    result.append(newText);
    copiedUpTo = found + oldLength;  // the walk goes on after the occurrence
  }
  if (copiedUpTo == 0) return text;
  result.append(text, copiedUpTo, length - copiedUpTo);
  return result;
}

TextArray splitText(const Text& text, const Text& delimiter) {
  TextArray pieces;
  const std::size_t length = text.size();
  if (length == 0) return pieces;
  if (delimiter.empty()) {
    pieces.append(text);
    return pieces;
  }
  std::size_t pieceBegin = 0;
  std::size_t found;
  while ((found = nextMatch(text, pieceBegin, delimiter, false)) != std::string_view::npos) {
    pieces.append(text.substr(pieceBegin, found - pieceBegin));
    pieceBegin = found + delimiter.size();  // the walk goes on after the delimiter
  }
  if (pieceBegin < length) pieces.append(text.substr(pieceBegin));
  return pieces;
}

}  // namespace vantrel

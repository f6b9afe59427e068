// trimSpaces, replaceText and splitText: operations that rebuild a text while
// walking it one character at a time.
#include "text/character_walk.h"
#include "text/text.h"

namespace vantrel {

using character_walk::characterLength;
using character_walk::matchesAt;

namespace {

bool isSpace(char byte) { return byte == ' '; }

// True when the two-byte full-width space A1 A1 begins at index i.
bool isFullWidthSpace(const Text& text, std::size_t i) {
  return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xA1 &&
         static_cast<unsigned char>(text[i + 1]) == 0xA1;
}

}  // namespace

Text trimSpaces(const Text& text) {
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
  // is the second byte of a character is not taken for a blank.
  std::size_t end = length;
  bool inBlankRun = false;
  std::size_t i = begin;
  while (i < length) {
    std::size_t step = 1;
    bool blank = false;
    if (isSpace(text[i])) {
      blank = true;
    } else if (isFullWidthSpace(text, i)) {
      blank = true;
      step = 2;
    } else {
      // A lead byte that is the last byte stays in the text as it is.
      step = characterLength(text.data(), i, length);
      if (step == 0) step = 1;
    }
    if (blank && !inBlankRun) end = i;
    if (!blank) end = length;
    inBlankRun = blank;
    i += step;
  }
  return text.substr(begin, end - begin);
}

Text replaceText(const Text& text, const Text& oldText, const Text& newText, bool caseSensitive) {
  const std::size_t length = text.size();
  const std::size_t oldLength = oldText.size();
  if (length == 0 || oldLength == 0) return text;
  const char* bytes = text.data();
  Text result;
  // Unchanged bytes are copied in runs: copiedUpTo is where the next run begins.
  std::size_t copiedUpTo = 0;
  std::size_t i = 0;
  while (length - i >= oldLength) {
    if (matchesAt(bytes, i, oldText.data(), oldLength, !caseSensitive)) {
      if (copiedUpTo == 0) result.reserve(length);  // the first occurrence
      result.append(bytes + copiedUpTo, i - copiedUpTo);
      result.append(newText);
      i += oldLength;
      copiedUpTo = i;
      continue;
    }
    const std::size_t step = characterLength(bytes, i, length);
    if (step == 0) break;  // a lone lead byte at the end is copied below as it is
    i += step;
  }
  if (copiedUpTo == 0) return text;
  result.append(bytes + copiedUpTo, length - copiedUpTo);
  return result;
}

TextArray splitText(const Text& text, const Text& delimiter) {
  TextArray pieces;
  const std::size_t length = text.size();
  const std::size_t delimiterLength = delimiter.size();
  if (length == 0) return pieces;
  if (delimiterLength == 0) {
    pieces.append(text);
    return pieces;
  }
  const char* bytes = text.data();
  std::size_t pieceBegin = 0;
  std::size_t i = 0;
  while (length - i >= delimiterLength) {
    if (matchesAt(bytes, i, delimiter.data(), delimiterLength, false)) {
      pieces.append(Text(bytes + pieceBegin, i - pieceBegin));
      i += delimiterLength;
      pieceBegin = i;
      continue;
    }
    const std::size_t step = characterLength(bytes, i, length);
    if (step == 0) break;
    i += step;
  }
  if (pieceBegin < length) pieces.append(Text(bytes + pieceBegin, length - pieceBegin));
  return pieces;
}

}  // namespace vantrel

// The plain character walk: each operation steps through the text one
// character at a time, a byte of 0x80 or above taking the byte after it along.
#include "text/reference_walk.h"

namespace vantrel {
namespace {

bool isLead(const Text& text, std::int64_t p) {
  return static_cast<unsigned char>(text[p]) >= 0x80;
}

char folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The m bytes at p equal sought (which must fit), with or without regard to case.
bool equalAt(const Text& text, std::int64_t p, const Text& sought, bool caseInsensitive) {
  for (std::size_t k = 0; k < sought.size(); ++k) {
    const char a = text[p + k];
    const char b = sought[k];
    if (caseInsensitive ? folded(a) != folded(b) : a != b) return false;
  }
  return true;
}

// Stepping over the character at p: the next position, or -1 when the walk ends.
std::int64_t stepOver(const Text& text, std::int64_t p) {
  const auto length = static_cast<std::int64_t>(text.size());
  if (!isLead(text, p)) return p + 1;
  return p + 1 < length ? p + 2 : -1;
}

}  // namespace

std::int32_t referenceFind(const Text& text, const Text& sought, std::int32_t start,
                           bool caseInsensitive) {
  const auto length = static_cast<std::int64_t>(text.size());
  const auto m = static_cast<std::int64_t>(sought.size());
  if (m == 0) return -1;
  std::int64_t p = std::int64_t{start} - 1;
  if (p < 0) p = 0;
  if (p >= length) return -1;
  while (length - p >= m) {
    if (equalAt(text, p, sought, caseInsensitive)) return static_cast<std::int32_t>(p + 1);
    p = stepOver(text, p);
    if (p < 0) return -1;
  }
  return -1;
}

std::int32_t referenceFindReverse(const Text& text, const Text& sought, std::int32_t start,
                                  bool caseInsensitive) {
  const auto length = static_cast<std::int64_t>(text.size());
  const auto m = static_cast<std::int64_t>(sought.size());
  if (m == 0) return -1;
  std::int64_t limit = std::int64_t{start} - 1;
  if (limit < 0) limit = 0;
  if (limit > length) limit = length;
  std::int32_t last = -1;
  std::int64_t p = 0;
  while (p >= 0 && p + m <= limit) {  // the occurrence would lie within limit
    if (equalAt(text, p, sought, caseInsensitive)) last = static_cast<std::int32_t>(p + 1);
    p = stepOver(text, p);
  }
  return last;
}

Text referenceTrim(const Text& text) {
  const auto length = static_cast<std::int64_t>(text.size());
  const auto fullWidthSpaceAt = [&](std::int64_t p) {
    return p + 1 < length && static_cast<unsigned char>(text[p]) == 0xA1 &&
           static_cast<unsigned char>(text[p + 1]) == 0xA1;
  };
  std::int64_t begin = 0;
  while (begin < length) {
    if (text[begin] == ' ') {
      begin += 1;
    } else if (fullWidthSpaceAt(begin)) {
      begin += 2;
    } else {
      break;
    }
  }
  std::int64_t runStart = -1;  // where the current run of blanks began
  std::int64_t p = begin;
  while (p < length) {
    std::int64_t size = 1;
    bool blank = text[p] == ' ';
    if (fullWidthSpaceAt(p)) {
      blank = true;
      size = 2;
    } else if (isLead(text, p) && p + 1 < length) {
      size = 2;
    }
    if (!blank) runStart = -1;
    if (blank && runStart < 0) runStart = p;
    p += size;
  }
  const std::int64_t end = runStart < 0 ? length : runStart;
  return text.substr(begin, end - begin);
}

Text referenceReplace(const Text& text, const Text& oldText, const Text& newText,
                      bool caseSensitive) {
  if (text.empty() || oldText.empty()) return text;
  const auto length = static_cast<std::int64_t>(text.size());
  const auto m = static_cast<std::int64_t>(oldText.size());
  Text result;
  std::int64_t p = 0;
  while (length - p >= m) {
    if (equalAt(text, p, oldText, !caseSensitive)) {
      result += newText;
      p += m;
      continue;
    }
    const std::int64_t next = stepOver(text, p);
    if (next < 0) break;
    result += text.substr(p, next - p);
    p = next;
  }
  return result + text.substr(p);
}

std::vector<Text> referenceSplit(const Text& text, const Text& delimiter) {
  if (text.empty()) return {};
  if (delimiter.empty()) return {text};
  const auto length = static_cast<std::int64_t>(text.size());
  const auto m = static_cast<std::int64_t>(delimiter.size());
  std::vector<Text> pieces;
  std::int64_t pieceBegin = 0;
  std::int64_t p = 0;
  while (length - p >= m) {
    if (equalAt(text, p, delimiter, false)) {
      pieces.push_back(text.substr(pieceBegin, p - pieceBegin));
      p += m;
      pieceBegin = p;
      continue;
    }
    p = stepOver(text, p);
    if (p < 0) break;
  }
  if (pieceBegin < length) pieces.push_back(text.substr(pieceBegin));
  return pieces;
}

}  // namespace vantrel

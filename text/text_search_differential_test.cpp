// The searching operations against a plain character walk written here step
// by step, on many pseudo-random texts over a small alphabet of bytes that
// matter to the walk: letters of both cases, blanks, line breaks, and lead
// bytes that pair with whatever follows them.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/shown_bytes.h"
#include "text/text.h"

namespace vantrel {
namespace {

using testing::hex;

// ---- The reference walk, one character at a time --------------------------

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

// ---- Pseudo-random texts ----------------------------------------------------

class TextSource {
 public:
  // A text of up to maxLength bytes in which a lead byte is picked with a
  // chance that varies from text to text, so that there are also long
  // stretches of one-byte characters.
  Text text(std::uint32_t maxLength) {
    static const char kOneByte[] = {'a', 'A', ' ', '\r', '\n', '\x5C', '\x41'};
    static const char kLead[] = {'\xA1', '\xB0', '\xEF'};
    const std::uint32_t leadPercent = pick(4) == 0 ? 0 : pick(60);
    Text bytes(pick(maxLength + 1), ' ');
    for (char& c : bytes) {
      c = pick(100) < leadPercent ? kLead[pick(std::size(kLead))]
                                  : kOneByte[pick(std::size(kOneByte))];
    }
    return bytes;
  }

  // Mostly a piece of the text, so that there are matches to find.
  Text sought(const Text& text) {
    if (text.empty() || pick(3) == 0) return this->text(4);
    const std::uint32_t begin = pick(static_cast<std::uint32_t>(text.size()));
    return text.substr(begin, 1 + pick(4));
  }

  // A number in [0, bound): the generator's output is fixed by the standard,
  // so the texts are the same everywhere.
  std::uint32_t pick(std::size_t bound) {
    return static_cast<std::uint32_t>(generator_() % static_cast<std::uint32_t>(bound));
  }

 private:
  std::mt19937 generator_{20240611u};
};

std::vector<std::int32_t> startsFor(const Text& text, TextSource& source) {
  const auto length = static_cast<std::int32_t>(text.size());
  return {0,          1,
          2,          -3,
          INT_MIN,    INT_MAX,
          length,     length + 1,
          length + 2, static_cast<std::int32_t>(source.pick(text.size() + 3))};
}

std::string describe(const Text& text, const Text& sought) {
  return "text " + hex(text) + " sought " + hex(sought);
}

constexpr int kRounds = 20000;

TEST(SearchDifferential, FindTextMatchesTheCharacterWalk) {
  TextSource source;
  for (int round = 0; round < kRounds; ++round) {
    const Text text = source.text(round % 2 == 0 ? 12 : 80);
    const Text sought = source.sought(text);
    for (const std::int32_t start : startsFor(text, source)) {
      for (const bool caseInsensitive : {false, true}) {
        ASSERT_EQ(findText(text, sought, start, caseInsensitive),
                  referenceFind(text, sought, start, caseInsensitive))
            << describe(text, sought) << " start " << start << " caseInsensitive "
            << caseInsensitive;
      }
    }
  }
}

TEST(SearchDifferential, FindTextReverseMatchesTheCharacterWalk) {
  TextSource source;
  for (int round = 0; round < kRounds; ++round) {
    const Text text = source.text(round % 2 == 0 ? 12 : 80);
    const Text sought = source.sought(text);
    for (const std::int32_t start : startsFor(text, source)) {
      for (const bool caseInsensitive : {false, true}) {
        ASSERT_EQ(findTextReverse(text, sought, start, caseInsensitive),
                  referenceFindReverse(text, sought, start, caseInsensitive))
            << describe(text, sought) << " start " << start << " caseInsensitive "
            << caseInsensitive;
      }
    }
  }
}

TEST(SearchDifferential, ReplaceTextMatchesTheCharacterWalk) {
  TextSource source;
  for (int round = 0; round < kRounds; ++round) {
    const Text text = source.text(round % 2 == 0 ? 12 : 80);
    const Text oldText = source.sought(text);
    const Text newText = source.text(3);
    for (const bool caseSensitive : {true, false}) {
      ASSERT_EQ(replaceText(text, oldText, newText, caseSensitive),
                referenceReplace(text, oldText, newText, caseSensitive))
          << describe(text, oldText) << " new " << hex(newText) << " caseSensitive "
          << caseSensitive;
    }
  }
}

TEST(SearchDifferential, SplitTextMatchesTheCharacterWalk) {
  TextSource source;
  for (int round = 0; round < kRounds; ++round) {
    const Text text = source.text(round % 2 == 0 ? 12 : 80);
    // Mostly the line break that the program splits at.
    const Text delimiter = source.pick(2) == 0 ? Text("\r\n") : source.sought(text);
    const TextArray pieces = splitText(text, delimiter);
    std::vector<Text> members;
    for (std::int32_t n = 1; n <= pieces.count(); ++n) members.push_back(pieces.member(n));
    ASSERT_EQ(members, referenceSplit(text, delimiter)) << describe(text, delimiter);
  }
}

TEST(SearchDifferential, TrimSpacesMatchesTheCharacterWalk) {
  TextSource source;
  for (int round = 0; round < kRounds; ++round) {
    const Text text = source.text(round % 2 == 0 ? 12 : 80);
    ASSERT_EQ(trimSpaces(text), referenceTrim(text)) << "text " << hex(text);
  }
}

}  // namespace
}  // namespace vantrel

// The searching operations against the plain character walk of
// reference_walk.h, on many pseudo-random texts over a small alphabet of bytes
// that matter to the walk: letters of both cases, blanks, line breaks, and
// lead bytes that pair with whatever follows them.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "text/reference_walk.h"
#include "text/shown_bytes.h"
#include "text/text.h"

namespace vantrel {
namespace {

using testing::hex;

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

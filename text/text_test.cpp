#include "text/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "text/shown_bytes.h"

namespace vantrel {
namespace {

using testing::hex;

std::vector<Text> membersOf(const TextArray& array) {
  std::vector<Text> members;
  for (std::int32_t n = 1; n <= array.count(); ++n) members.push_back(array.member(n));
  return members;
}

// The byte-order mark of UTF-8 followed by xyz.
const Text kMarkedXyz =
    "\xEF\xBB\xBF"
    "xyz";

TEST(FindText, FindsFirstOccurrenceAtCharacterStarts) {
  struct Case {
    Text text;
    Text sought;
    std::int32_t start;
    bool caseInsensitive;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"xabab", "ab", 1, false, 2},
      {"xabab", "ab", 3, false, 4},
      {"xabab", "ab", 0, false, 2},
      {"xabab", "ab", -5, false, 2},
      {"xabab", "ab", INT_MIN, false, 2},
      {"xabab", "ab", 5, false, -1},
      {"xabab", "ab", 6, false, -1},
      {"xabab", "ab", INT_MAX, false, -1},
      {"xabab", "xabab", 1, false, 1},
      {"xabab", "xababx", 1, false, -1},
      {"", "ab", 1, false, -1},
      {"xabab", "", 1, false, -1},
      // 41 at position 2 is the second byte of the character B0 41.
      {"\xB0"
       "AA",
       "A", 1, false, 3},
      // Starting on a second byte begins the pairing afresh there.
      {"\xB0"
       "AA",
       "A", 2, false, 2},
      // A match may end inside a character.
      {"a\xB0"
       "A",
       "a\xB0", 1, false, 1},
      // EF BB and BF x are characters, so xyz does not begin at one from 1.
      {kMarkedXyz, "xyz", 1, false, -1},
      {kMarkedXyz, "xyz", 4, false, 4},
      {"<ITEM>", "Item", 1, true, 2},
      {"<ITEM>", "Item", 1, false, -1},
      // Only ASCII letters are folded: C4 and E4 differ.
      {"\xC4"
       "A",
       "\xE4"
       "A",
       1, true, -1},
      {"\xC4"
       "a",
       "\xC4"
       "A",
       1, true, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(findText(c.text, c.sought, c.start, c.caseInsensitive), c.expected)
        << "text " << hex(c.text) << " sought " << hex(c.sought) << " start " << c.start
        << " caseInsensitive " << c.caseInsensitive;
  }
}

TEST(FindTextReverse, FindsLastOccurrenceEndingBeforeStart) {
  struct Case {
    Text text;
    Text sought;
    std::int32_t start;
    bool caseInsensitive;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"abab", "ab", kTextEnd, false, 3},
      {"abab", "ab", 5, false, 3},
      {"abab", "ab", 99, false, 3},
      {"abab", "ab", 4, false, 1},
      {"abab", "ab", 3, false, 1},
      {"abab", "ab", 1, false, -1},
      {"abab", "ab", 0, false, -1},
      {"abab", "ab", INT_MIN, false, -1},
      {"aaa", "aa", kTextEnd, false, 2},
      {"abab", "", kTextEnd, false, -1},
      {"", "ab", kTextEnd, false, -1},
      {"\xB0"
       "AA",
       "A", kTextEnd, false, 3},
      {"\xB0"
       "A",
       "A", kTextEnd, false, -1},
      {"ITEM item", "Item", kTextEnd, true, 6},
      {"ITEM item", "ITEM", kTextEnd, false, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(findTextReverse(c.text, c.sought, c.start, c.caseInsensitive), c.expected)
        << "text " << hex(c.text) << " sought " << hex(c.sought) << " start " << c.start
        << " caseInsensitive " << c.caseInsensitive;
  }
}

TEST(TextSearches, StayWithinAViewAndPairFromItsStart) {
  // The text searched is whole.substr(from, length).
  struct Case {
    Text whole;
    std::size_t from;
    std::size_t length;
    Text sought;
    bool reverse;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"xabab", 0, 4, "ab", false, 2},
      // The occurrence at 3 of the whole text runs past the view's end.
      {"xbab", 0, 3, "ab", false, -1},
      {"xabab", 0, 4, "ab", true, 2},
      {"xabab", 0, 2, "ab", true, -1},
      // B0 41 is a character of the whole text, but the view begins at 41.
      {"\xB0"
       "A",
       1, 1, "A", false, 1},
      {"\xB0"
       "A",
       1, 1, "A", true, 1},
  };
  for (const Case& c : cases) {
    const std::string_view text = std::string_view(c.whole).substr(c.from, c.length);
    const std::int32_t found =
        c.reverse ? findTextReverse(text, c.sought) : findText(text, c.sought);
    EXPECT_EQ(found, c.expected) << (c.reverse ? "findTextReverse" : "findText") << " in "
                                 << hex(Text(text)) << " (bytes " << c.from << " on of "
                                 << hex(c.whole) << ") sought " << hex(c.sought);
  }
}

TEST(TrimSpaces, RemovesOnlySpacesAndFullWidthSpaces) {
  struct Case {
    Text text;
    Text expected;
  };
  const Case cases[] = {
      // A line break stops trimming at either end.
      {"\r\n  a  \r\n   ", "\r\n  a  \r\n"},
      {"\ta\t", "\ta\t"},
      {"\xA1\xA1 a\xA1\xA1", "a"},
      {"   ", ""},
      {"\xA1\xA1", ""},
      {"", ""},
      {" a b ", "a b"},
      // 20 is the second byte of the character B0 20, so it is not blank.
      {"a\xB0 ", "a\xB0 "},
      // B0 A1 is a character; the A1 A1 after it is the blank.
      {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},
      // A lone A1 is not blank.
      {" \xA1", "\xA1"},
      // A lead byte that is the last byte is kept.
      {" \xB0", "\xB0"},
      {"a \xB0", "a \xB0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(trimSpaces(c.text), c.expected) << "text " << hex(c.text);
  }
}

TEST(ReplaceText, ReplacesLeftToRightWithoutOverlap) {
  struct Case {
    Text text;
    Text oldText;
    Text newText;
    bool caseSensitive;
    Text expected;
  };
  const Case cases[] = {
      {"aaaa", "aa", "b", true, "bb"},
      {"aaa", "aa", "b", true, "ba"},
      {"aba", "a", "aa", true, "aabaa"},
      {"abc", "", "x", true, "abc"},
      {"abc", "z", "x", true, "abc"},
      {"", "a", "x", true, ""},
      {"abc", "b", "", true, "ac"},
      {"abc", "abc", "", true, ""},
      {"\xB0"
       "AA",
       "A", "x", true,
       "\xB0"
       "Ax"},
      {"Item item", "item", "x", true, "Item x"},
      {"Item item", "item", "x", false, "x x"},
      // A lead byte that is the last byte is copied through.
      {"a\xB0", "a", "x", true, "x\xB0"},
      {"<Null />", "<Null />", "<Simple value=\"1\" />", true, "<Simple value=\"1\" />"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(replaceText(c.text, c.oldText, c.newText, c.caseSensitive), c.expected)
        << "text " << hex(c.text) << " old " << hex(c.oldText) << " new " << hex(c.newText)
        << " caseSensitive " << c.caseSensitive;
  }
}

TEST(SplitText, YieldsPiecesBetweenDelimiters) {
  struct Case {
    Text text;
    Text delimiter;
    std::vector<Text> expected;
  };
  const Case cases[] = {
      {"a\r\nb", "\r\n", {"a", "b"}},
      {"a\r\nb\r\n", "\r\n", {"a", "b"}},
      {"\r\na", "\r\n", {"", "a"}},
      {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
      {"\r\n", "\r\n", {""}},
      {"\r\n\r\n", "\r\n", {"", ""}},
      {"abc", "\r\n", {"abc"}},
      {"", "\r\n", {}},
      {"abc", "", {"abc"}},
      {"a,b", ",", {"a", "b"}},
      // B0 0D is one character, so no delimiter begins at the CR.
      {"\xB0\r\nx", "\r\n", {"\xB0\r\nx"}},
      {"\xB0"
       "a\r\nx",
       "\r\n",
       {"\xB0"
        "a",
        "x"}},
      // A lead byte at the end ends the walk; the piece keeps it.
      {"a\r\n\xB0", "\r\n", {"a", "\xB0"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(membersOf(splitText(c.text, c.delimiter)), c.expected)
        << "text " << hex(c.text) << " delimiter " << hex(c.delimiter);
  }
}

TEST(TextMidAndRight, CutAtTheirEdges) {
  struct MidCase {
    std::int32_t start;
    std::int32_t n;
    Text expected;
  };
  const MidCase midCases[] = {
      {2, 3, "bcd"}, {0, 3, ""}, {-1, 3, ""}, {5, 10, "ef"},          {6, 1, "f"},
      {7, 1, ""},    {1, 0, ""}, {1, -1, ""}, {1, INT_MAX, "abcdef"}, {INT_MIN, 1, ""},
  };
  for (const MidCase& c : midCases) {
    EXPECT_EQ(textMid("abcdef", c.start, c.n), c.expected)
        << "textMid(abcdef, " << c.start << ", " << c.n << ")";
  }
  struct RightCase {
    std::int32_t n;
    Text expected;
  };
  const RightCase rightCases[] = {{2, "ef"}, {6, "abcdef"}, {10, "abcdef"}, {0, ""}, {-1, ""}};
  for (const RightCase& c : rightCases) {
    EXPECT_EQ(textRight("abcdef", c.n), c.expected) << "textRight(abcdef, " << c.n << ")";
  }
  EXPECT_EQ(textMid("", 1, 1), "");
  EXPECT_EQ(textRight("", 1), "");
}

TEST(TextAndBytes, ConvertUpToTheFirstZeroByte) {
  EXPECT_EQ(bytesToText(Bytes{0x61, 0x62, 0x00, 0x63, 0x64}), "ab");
  EXPECT_EQ(bytesToText(Bytes{0x00, 0x61}), "");
  EXPECT_EQ(bytesToText(Bytes{}), "");
  EXPECT_EQ(textToBytes("ab"), (Bytes{0x61, 0x62}));
  EXPECT_EQ(textToBytes(""), Bytes{});
  for (const Text& text : {Text(""), Text("ab"), Text("\xEF\xBB\xBF<a>\r\n"), Text("\xFF")}) {
    EXPECT_EQ(bytesToText(textToBytes(text)), text) << "text " << hex(text);
  }
}

TEST(SmallTextOperations, BlankConcatEqualsAndLength) {
  EXPECT_EQ(blankText(260), Text(260, ' '));
  EXPECT_EQ(blankText(0), "");
  EXPECT_EQ(blankText(-3), "");
  EXPECT_EQ(concatText({Text(), "a", Text()}), "a");
  EXPECT_EQ(concatText({"ab", "", "c\r\n"}), "abc\r\n");
  EXPECT_TRUE(textEquals(Text(), ""));
  EXPECT_FALSE(textEquals("a", "A"));
  EXPECT_FALSE(textEquals("a", "ab"));
  EXPECT_EQ(textLength(""), 0);
  EXPECT_EQ(textLength("\xB0\xA1x"), 3);
}

class TextArrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* text : {"a", "", "c"}) array.append(text);
  }
  TextArray array;
};

TEST_F(TextArrayTest, NewArrayIsEmpty) {
  const TextArray fresh;
  EXPECT_EQ(fresh.count(), 0);
  EXPECT_EQ(fresh.member(1), "");
}

TEST_F(TextArrayTest, HoldsOwnCopiesNumberedFromOne) {
  Text text = "d";
  array.append(text);
  text = "changed";
  EXPECT_EQ(membersOf(array), (std::vector<Text>{"a", "", "c", "d"}));
  for (const std::int32_t n : {0, -1, 5, INT_MAX, INT_MIN}) {
    EXPECT_EQ(array.member(n), "") << "member " << n;
  }
}

TEST_F(TextArrayTest, ReplaceChangesOnlyMembersInRange) {
  array.replace(2, "b");
  for (const std::int32_t n : {0, 4, -1, INT_MIN}) array.replace(n, "x");
  EXPECT_EQ(membersOf(array), (std::vector<Text>{"a", "b", "c"}));
}

TEST_F(TextArrayTest, RemoveMovesLaterMembersDown) {
  for (const std::int32_t n : {0, 4, -1, INT_MAX}) array.remove(n);
  EXPECT_EQ(membersOf(array), (std::vector<Text>{"a", "", "c"}));
  array.remove(1);
  EXPECT_EQ(membersOf(array), (std::vector<Text>{"", "c"}));
  array.remove(2);
  EXPECT_EQ(membersOf(array), (std::vector<Text>{""}));
}

TEST_F(TextArrayTest, EmptyRemovesAllMembers) {
  array.empty();
  EXPECT_EQ(array.count(), 0);
  array.append("z");
  EXPECT_EQ(membersOf(array), (std::vector<Text>{"z"}));
}

}  // namespace
}  // namespace vantrel

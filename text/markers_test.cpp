#include "text/markers.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {
namespace {

std::vector<Text> membersOf(const TextArray& array) {
  std::vector<Text> members;
  for (std::int32_t n = 1; n <= array.count(); ++n) members.push_back(array.member(n));
  return members;
}

TEST(TextBetween, CutsBetweenFirstMarkerPair) {
  struct Case {
    Text source;
    Text startMarker;
    Text endMarker;
    std::int32_t startPosition;
    bool caseInsensitive;
    Text expected;
  };
  const Case cases[] = {
      {"<Simple value=\"5000\" />", "<Simple value=\"", "\"", 0, false, "5000"},
      {"<Null />", "<Simple value=\"", "\"", 0, false, ""},
      // The quote placeholder stands for a double quote in either marker.
      {"<Simple value=\"5000\" />", "<Simple value=#引号", "#引号", 0, false, "5000"},
      {"[a", "[", "]", 0, false, ""},
      {"a]", "[", "]", 0, false, ""},
      {"] [a", "[", "]", 0, false, ""},
      {"[]", "[", "]", 0, false, ""},
      // The end marker is searched from the byte after the start marker.
      {"\"x\"", "\"", "\"", 0, false, "x"},
      {"[a][b]", "[", "]", 3, false, "b"},
      {"<ITEM>x</ITEM>", "<item>", "</item>", 0, true, "x"},
      {"<ITEM>x</ITEM>", "<item>", "</item>", 0, false, ""},
      {"abc", "", "c", 0, false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textBetween(c.source, c.startMarker, c.endMarker, c.startPosition, c.caseInsensitive),
              c.expected)
        << "source " << c.source << " markers " << c.startMarker << " / " << c.endMarker
        << " start " << c.startPosition << " caseInsensitive " << c.caseInsensitive;
  }
}

// Counts the calls that let a window handle its events while collecting.
class CollectBetweenTest : public ::testing::Test {
 protected:
  CollectBetweenTest() {
    options.processPendingEvents = [this] { ++eventCalls; };
  }
  std::int32_t collect(const Text& source, const Text& startMarker = " <Item>",
                       const Text& endMarker = " </Item>") {
    return collectBetween(source, startMarker, endMarker, target, options);
  }
  CollectOptions options;
  TextArray target;
  int eventCalls = 0;
};

TEST_F(CollectBetweenTest, SkipsBlankPiecesAndKeepsLineBreaks) {
  const Text source =
      "<Rows>\r\n <Item>\r\n  a\r\n </Item>\r\n <Item>    </Item>\r\n <Item>b </Item>\r\n</Rows>";
  EXPECT_EQ(collect(source), 2);
  EXPECT_EQ(membersOf(target), (std::vector<Text>{"\r\n  a\r\n", "b"}));
  EXPECT_EQ(eventCalls, 3 * 3);
}

TEST_F(CollectBetweenTest, EmptiesTargetFirstAndIgnoresUnfinishedPair) {
  target.append("old");
  EXPECT_EQ(collect(" <Item>a </Item> <Item>b"), 1);
  EXPECT_EQ(membersOf(target), (std::vector<Text>{"a"}));
  EXPECT_EQ(collect("no markers"), 0);
  EXPECT_EQ(target.count(), 0);
}

TEST_F(CollectBetweenTest, CaseFlagMeansCaseSensitive) {
  const Text source = " <ITEM>a </item>";
  EXPECT_EQ(collect(source), 1);
  options.caseSensitive = true;
  EXPECT_EQ(collect(source), 0);
}

TEST_F(CollectBetweenTest, NextStartIsSearchedFromTheEndMarker) {
  // A start marker inside a kept piece does not begin another pair.
  EXPECT_EQ(collect("[a[b]c]", "[", "]"), 1);
  EXPECT_EQ(membersOf(target), (std::vector<Text>{"a[b"}));
  // With one marker for both ends a kept piece's end marker starts the next pair.
  EXPECT_EQ(collect("|a|b|", "|", "|"), 2);
  EXPECT_EQ(membersOf(target), (std::vector<Text>{"a", "b"}));
}

TEST_F(CollectBetweenTest, PrefixSuffixAndKeptMarkers) {
  options.prefix = Text("<");  // not assigned from a literal: GCC 12 -O3 warns falsely (-Wrestrict)
  options.suffix = Text(">");
  options.keepStartMarker = true;
  options.keepEndMarker = true;
  // The prefix and suffix make a blank piece non-empty.
  EXPECT_EQ(collect("[a] [ ]", "[", "]"), 2);
  EXPECT_EQ(membersOf(target), (std::vector<Text>{"[<a>]", "[<>]"}));
}

TEST_F(CollectBetweenTest, MaximumLengthKeepsShorterItemsOnly) {
  options.maximumLength = 3;
  EXPECT_EQ(collect("[a][bbb][cc][ ]", "[", "]"), 2);
  EXPECT_EQ(membersOf(target), (std::vector<Text>{"a", "cc"}));
  // Three calls after every pair and one per non-empty item, kept or not.
  EXPECT_EQ(eventCalls, 4 * 3 + 3);
}

TEST_F(CollectBetweenTest, StartPositionSkipsEarlierPairs) {
  options.startPosition = 4;
  EXPECT_EQ(collect("[a][b]", "[", "]"), 1);
  EXPECT_EQ(membersOf(target), (std::vector<Text>{"b"}));
}

TEST_F(CollectBetweenTest, WorksWithoutEventFunction) {
  options.processPendingEvents = nullptr;
  EXPECT_EQ(collect("[a][b]", "[", "]"), 2);
  EXPECT_EQ(collect("[a][b]", "", "]"), 0);
  EXPECT_EQ(collect("[a][b]", "[", ""), 0);
}

TEST(TextAfterLast, ReturnsTextAfterLastMarker) {
  struct Case {
    Text source;
    Text marker;
    std::optional<std::int32_t> startPosition;
    bool caseInsensitive;
    Text expected;
  };
  const Case cases[] = {
      {"a=b=c", "=", std::nullopt, false, "c"}, {"a==b==cd", "==", std::nullopt, false, "cd"},
      {"a=b=", "=", std::nullopt, false, ""},   {"abc", "=", std::nullopt, false, ""},
      {"a=b=c", "=", 4, false, "b=c"},          {"a=b=c", "=", 2, false, ""},
      {"aXbxc", "x", std::nullopt, true, "c"},  {"axbXc", "X", std::nullopt, false, "c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(textAfterLast(c.source, c.marker, c.startPosition, c.caseInsensitive), c.expected)
        << "source " << c.source << " marker " << c.marker << " start "
        << c.startPosition.value_or(-99) << " caseInsensitive " << c.caseInsensitive;
  }
}

// Shows a text with its bytes of 0x80 and above in hexadecimal.
std::string shown(std::string_view text) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += "\\x";
      out += kDigits[byte >> 4];
      out += kDigits[byte & 15];
    }
  }
  return out;
}

// The source searched is whole.substr(from, length); expectedAt is where the
// non-empty expected text lies in that source.
struct ViewCase {
  Text whole;
  std::size_t from;
  std::size_t length;
  Text expected;
  std::size_t expectedAt;
};

// Checks that view is the expected text lying at its place in source.
void expectViewInSource(std::string_view view, std::string_view source, const ViewCase& c,
                        const std::string& call) {
  const std::string input = call + " on " + shown(source) + " (bytes " + std::to_string(c.from) +
                            " on of " + shown(c.whole) + ")";
  EXPECT_EQ(Text(view), c.expected) << input;
  if (!c.expected.empty()) {
    EXPECT_EQ(view.data(), source.data() + c.expectedAt) << input << " does not point into it";
  }
}

TEST(ViewBetween, IsTheTextBetweenWhereItLiesInTheSource) {
  struct Case {
    ViewCase view;
    std::int32_t startPosition;
  };
  const Case cases[] = {
      {{"[a][b]", 0, 6, "a", 1}, 0},
      {{"[a][b]", 0, 6, "b", 4}, 3},
      {{"[a][b]", 2, 4, "b", 2}, 0},
      // The end marker after the source's end is not seen.
      {{"x[ab]", 0, 4, "", 0}, 0},
      {{"[]", 0, 2, "", 0}, 0},
      // B0 5B is a character of the whole text, but the source begins at 5B.
      {{"\xB0[a]", 1, 3, "a", 1}, 0},
      {{"\xB0[a]", 0, 4, "", 0}, 0},
  };
  for (const Case& c : cases) {
    const std::string_view source =
        std::string_view(c.view.whole).substr(c.view.from, c.view.length);
    expectViewInSource(viewBetween(source, "[", "]", c.startPosition), source, c.view,
                       "viewBetween [ ] from " + std::to_string(c.startPosition));
  }
}

TEST(ViewAfterLast, IsTheTextAfterLastWhereItLiesInTheSource) {
  struct Case {
    ViewCase view;
    std::optional<std::int32_t> startPosition;
  };
  const Case cases[] = {
      {{"a|b|c", 0, 5, "c", 4}, std::nullopt},
      {{"a|b|c", 0, 5, "b|c", 2}, 4},
      {{"a|b|c|", 0, 5, "c", 4}, std::nullopt},
      {{"a|b|c", 0, 4, "", 0}, std::nullopt},
      {{"abc", 0, 3, "", 0}, std::nullopt},
      // 7C after B0 is the second byte of a character, except where the
      // source begins after B0.
      {{"a|\xB0|x", 0, 5, "\xB0|x", 2}, std::nullopt},
      {{"a|\xB0|x", 2, 3, "", 0}, std::nullopt},
      {{"a|\xB0|x", 3, 2, "x", 1}, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::string_view source =
        std::string_view(c.view.whole).substr(c.view.from, c.view.length);
    expectViewInSource(viewAfterLast(source, "|", c.startPosition), source, c.view,
                       "viewAfterLast | from " + std::to_string(c.startPosition.value_or(-99)));
  }
}

TEST(LineEditing, LineAt) {
  struct Case {
    Text source;
    std::int32_t n;
    Text expected;
  };
  const Case cases[] = {
      {"a\r\nb", 1, "a"}, {"a\r\nb", 2, "b"},   {"a\r\nb", 0, ""},     {"a\r\nb", 3, ""},
      {"a\r\nb", -1, ""}, {"\r\na\r\n", 1, ""}, {"\r\na\r\n", 2, "a"}, {"", 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lineAt(c.source, c.n), c.expected) << "lineAt(" << c.source << ", " << c.n << ")";
  }
}

TEST(LineEditing, DeleteLine) {
  struct Case {
    Text source;
    std::int32_t n;
    Text expected;
  };
  const Case cases[] = {
      {"\r\nabc\r\ndef", 1, "abc\r\ndef"},
      {"abc", 1, ""},
      {"abc", 2, "abc"},
      {"abc", 0, "abc"},
      {"", 1, ""},
      {"a\r\nb\r\nc", 2, "a\r\nc"},
      {"a\r\nb\r\nc", 3, "a\r\nb"},
      // Splitting and joining drop the final line break, even when nothing is removed.
      {"a\r\nb\r\nc\r\n", 2, "a\r\nc"},
      {"a\r\nb\r\nc\r\n", 9, "a\r\nb\r\nc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(deleteLine(c.source, c.n), c.expected)
        << "deleteLine(" << c.source << ", " << c.n << ")";
  }
}

TEST(LineEditing, ReplaceLine) {
  struct Case {
    Text source;
    std::int32_t n;
    Text expected;
  };
  const Case cases[] = {
      {"a\r\nb\r\nc", 2, "a\r\nX\r\nc"},
      {"a\r\nb\r\nc", 1, "X\r\nb\r\nc"},
      {"\r\nb", 1, "X\r\nb"},
      {"a\r\nb\r\n", 2, "a\r\nX"},
      // Out of range: the source comes back unchanged.
      {"a\r\nb\r\nc\r\n", 0, "a\r\nb\r\nc\r\n"},
      {"a\r\nb\r\nc\r\n", 4, "a\r\nb\r\nc\r\n"},
      {"a\r\nb\r\nc\r\n", -1, "a\r\nb\r\nc\r\n"},
      {"", 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(replaceLine(c.source, c.n, "X"), c.expected)
        << "replaceLine(" << c.source << ", " << c.n << ", X)";
  }
}

}  // namespace
}  // namespace vantrel

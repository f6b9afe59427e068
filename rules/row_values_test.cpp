#include "rules/row_values.h"

#include <gtest/gtest.h>

#include "os/os.h"

namespace vantrel {
namespace {

struct CodingCase {
  Text value;  // as the box shows it
  Text raw;    // as the text holds it
};

constexpr const char* kIndent = "                        ";

TEST(ValueCodingTest, EncodesAndDecodesTheSpecialCharacters) {
  const CodingCase cases[] = {
      {"5000", "5000"},
      {"", ""},
      {"a\"b", "a&quot;b"},
      {"<x>", "&lt;x&gt;"},
      {"a&b", "a&amp;b"},
      {"&lt;", "&amp;lt;"},  // an entity typed by the user stays literal
      {"\"<>&", "&quot;&lt;&gt;&amp;"},
      {"it's", "it's"},
  };
  for (const CodingCase& c : cases) {
    EXPECT_EQ(encodeValue(c.value), c.raw) << "value: " << c.value;
    EXPECT_EQ(decodeValue(c.raw), c.value) << "raw: " << c.raw;
  }
}

// Raw line breaks would split the value's line and shift every later column.
TEST(ValueCodingTest, EncodesLineBreaksAsCharacterReferences) {
  const CodingCase cases[] = {
      {"6000\r\n", "6000&#13;&#10;"},
      {"1\n2", "1&#10;2"},
      {"\r", "&#13;"},
      {"a<\r\n>", "a&lt;&#13;&#10;&gt;"},
  };
  for (const CodingCase& c : cases) EXPECT_EQ(encodeValue(c.value), c.raw) << "value: " << c.value;
}

TEST(ValueCodingTest, DecodingTurnsKnownEntitiesBackAndKeepsTheRest) {
  const CodingCase cases[] = {
      {"'", "&apos;"}, {"\n", "&#10;"},  {"\r\n", "&#13;&#10;"}, {"A", "&#x41;"},
      {"& b", "& b"},  {"&amp", "&amp"}, {"a&", "a&"},
  };
  for (const CodingCase& c : cases) EXPECT_EQ(decodeValue(c.raw), c.value) << "raw: " << c.raw;
}

// A character in the system's encoding (UTF-8 here, the ANSI code page on
// Windows); empty when that encoding has none for the code point.
Text local(char32_t codePoint) { return os::encodeLocalCharacter(codePoint); }

// Every character outside ASCII goes into the UTF-8 rules text as a character
// reference, and the special characters are escaped wherever they stand, also
// right after such a character.
TEST(ValueCodingTest, WritesCharactersOutsideAsciiAsReferences) {
  struct CodePointCase {
    char32_t needed;  // a character the encoding must have
    Text value;
    Text raw;
  };
  const Text zhong = local(0x4E2D);   // 中, three bytes in UTF-8, two in GBK
  const Text eAcute = local(0xE9);    // é, two bytes in UTF-8, one in code page 1252
  const Text grinning = local(0x1F600);
  const CodePointCase cases[] = {
      {{0x4E2D}, zhong + "\"", "&#x4E2D;&quot;"},
      {{0x4E2D}, "a" + zhong, "a&#x4E2D;"},
      {{0x4E2D}, zhong + "<>&\r\n", "&#x4E2D;&lt;&gt;&amp;&#13;&#10;"},
      {{0xE9}, eAcute + "\"" + eAcute + "&", "&#xE9;&quot;&#xE9;&amp;"},
      {{0xE9}, "caf" + eAcute, "caf&#xE9;"},
      {{0x1F600}, grinning + "!", "&#x1F600;!"},
  };
  for (const CodePointCase& c : cases) {
    if (local(c.needed).empty()) continue;  // not in this code page
    EXPECT_EQ(encodeValue(c.value), c.raw) << "raw: " << c.raw;
    EXPECT_EQ(decodeValue(c.raw), c.value) << "raw: " << c.raw;
  }
}

TEST(ValueCodingTest, DecodesNumericReferencesWhereTheyNameACharacter) {
  const Text zhong = local(0x4E2D);
  if (zhong.empty()) GTEST_SKIP() << "the code page has no 中";
  const CodingCase cases[] = {
      {zhong, "&#20013;"},
      {zhong, "&#x4e2d;"},
      {"a" + zhong + "b", "a&#x004E2D;b"},
      {"\t", "&#9;"},
      // Kept as they are written: no character, or not a reference at all.
      {"&#0;", "&#0;"},
      {"&#xD800;", "&#xD800;"},
      {"&#x110000;", "&#x110000;"},
      {"&#X4E2D;", "&#X4E2D;"},
      {"&#;", "&#;"},
      {"&#x;", "&#x;"},
      {"&#20013", "&#20013"},
      {"&#x0000004E2D;", "&#x0000004E2D;"},  // more digits than any code point needs
      {"&#99999999999;", "&#99999999999;"},
      {"&#-1;", "&#-1;"},
  };
  for (const CodingCase& c : cases) EXPECT_EQ(decodeValue(c.raw), c.value) << "raw: " << c.raw;
}

#ifndef _WIN32
// Bytes that are no UTF-8 character can't go into the UTF-8 text as they are.
TEST(ValueCodingTest, BytesThatAreNoCharacterBecomeTheReplacementCharacter) {
  const CodingCase cases[] = {
      {"\xB0\x3C", "&#xFFFD;&lt;"},
      {"\xE4\xB8", "&#xFFFD;&#xFFFD;"},        // cut off
      {"\xC0\xAF", "&#xFFFD;&#xFFFD;"},        // overlong
      {"\xED\xA0\x80", "&#xFFFD;&#xFFFD;&#xFFFD;"},  // a surrogate
      {"\xF4\x90\x80\x80", "&#xFFFD;&#xFFFD;&#xFFFD;&#xFFFD;"},  // above U+10FFFF
  };
  for (const CodingCase& c : cases) EXPECT_EQ(encodeValue(c.value), c.raw) << "raw: " << c.raw;
}
#endif

struct LineCase {
  Text line;
  Text newValue;
  Text expectedLine;
};

TEST(LineWithValueTest, ChangesOnlyTheValue) {
  const Text simple = Text(kIndent) + "<Simple value=\"";
  const Text close = "\" />";
  const LineCase cases[] = {
      {simple + "5000" + close, "6000", simple + "6000" + close},
      {simple + "200" + close, "", simple + close},
      // Values that also occur in the line's fixed parts.
      {simple + "e" + close, "x", simple + "x" + close},
      {simple + "a" + close, "zz", simple + "zz" + close},
      {simple + " " + close, "1", simple + "1" + close},
      {simple + "Simple" + close, "value", simple + "value" + close},
      {simple + close, "9", simple + "9" + close},
      // Typed characters that the XML text must escape.
      {simple + "1" + close, "a\"b<c>&d", simple + "a&quot;b&lt;c&gt;&amp;d" + close},
      // An unchanged value keeps the bytes it had, entities included.
      {simple + "&apos;x&#10;" + close, "'x\n", simple + "&apos;x&#10;" + close},
      {simple + "&amp;lt;" + close, "&lt;", simple + "&amp;lt;" + close},
      // A column without a value takes one, with the same indentation.
      {Text(kIndent) + "<Null />", "7", simple + "7" + close},
      {Text(kIndent) + "<Null />", "<", simple + "&lt;" + close},
      {Text(kIndent) + "<Null />", "", Text(kIndent) + "<Null />"},
      {"<Null />", "7", "<Simple value=\"7\" />"},
      // A value ending in an odd run of bytes of 0x80 or above still ends at its quote.
      {simple + "a\xE4\xB8\xAD" + close, "b", simple + "b" + close},
      {simple + "\xE4\xB8\xAD" + close, "\xE4\xB8\xAD", simple + "\xE4\xB8\xAD" + close},
      // Lines without a value are left alone.
      {"                      <Items>", "x", "                      <Items>"},
      {"", "x", ""},
      {simple + "unterminated", "x", simple + "unterminated"},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(lineWithValue(c.line, c.newValue), c.expectedLine)
        << "line: [" << c.line << "] new value: [" << c.newValue << "]";
  }
}

TEST(LineValueTest, ReadsTheDecodedValue) {
  const CodingCase cases[] = {
      {"5000", "    <Simple value=\"5000\" />"},
      {"", "    <Null />"},
      {"", "    <Items>"},
      {"", ""},
      {"a\"b", "    <Simple value=\"a&quot;b\" />"},
      {"x", "<Simple value=\"x\" /><Simple value=\"y\" />"},
      // Characters the text holds as they are come back as they are.
      {"a\xE4\xB8\xAD", "    <Simple value=\"a\xE4\xB8\xAD\" />"},
  };
  for (const CodingCase& c : cases) EXPECT_EQ(lineValue(c.raw), c.value) << "line: " << c.raw;
}

}  // namespace
}  // namespace vantrel

#include "rules/row_values.h"

#include <gtest/gtest.h>

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
      {"\xB0\x3C", "\xB0\x3C"},  // the byte after a lead byte is not a character of its own
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
      {"'", "&apos;"}, {"\n", "&#10;"},  {"\r\n", "&#13;&#10;"}, {"&#x41;", "&#x41;"},
      {"& b", "& b"},  {"&amp", "&amp"}, {"a&", "a&"},
  };
  for (const CodingCase& c : cases) EXPECT_EQ(decodeValue(c.raw), c.value) << "raw: " << c.raw;
}

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
  };
  for (const CodingCase& c : cases) EXPECT_EQ(lineValue(c.raw), c.value) << "line: " << c.raw;
}

}  // namespace
}  // namespace vantrel

// Reading and changing the value held by one line of a row text. A value line
// is <Simple value="VALUE" />, with the value escaped as the game's XML text
// wants it; a column without a value is <Null />.
#pragma once

#include "text/text.h"

namespace vantrel {

// The value escaped for the text: " < > & become &quot; &lt; &gt; &amp;, and
// CR and LF become &#13; and &#10;, so that a value never spans two lines.
Text encodeValue(const Text& value);

// The escaped value as the game reads it: &quot; &lt; &gt; &amp; &apos; &#13;
// and &#10; become the characters they stand for; any other '&' is kept as it is.
Text decodeValue(const Text& raw);

// The decoded text between the first <Simple value=" of the line and the next
// quote; empty for a <Null /> line, a line without that marker, or no line.
Text lineValue(const Text& line);

// The line with its value set to newValue. Only the bytes between
// <Simple value=" and the next quote change; when newValue is what the line
// already holds (after decoding) the line comes back byte for byte. A <Null />
// line becomes <Simple value="..." /> with the same indentation when newValue
// is not empty and stays as it is otherwise. Any other line is returned as it is.
Text lineWithValue(const Text& line, const Text& newValue);

}  // namespace vantrel

// Reading and changing the value held by one line of a row text. A value line
// is <Simple value="VALUE" />, with the value escaped as the game's XML text
// wants it; a column without a value is <Null />.
//
// A value as the edit boxes hold it is text in the system's 8-bit encoding
// (UTF-8 on POSIX, the ANSI code page on Windows); the rules text is UTF-8.
// Every character outside ASCII therefore goes into the text as a numeric
// character reference (&#x4E2D;), which reads the same in either encoding.
#pragma once

#include "text/text.h"

namespace vantrel {

// The value escaped for the text: " < > & become &quot; &lt; &gt; &amp;, CR
// and LF become &#13; and &#10; (so that a value never spans two lines), and
// every other character outside ASCII becomes &#xHEX; with its code point.
// These bytes are escaped wherever they occur: none of them can be part of a
// longer character. Bytes that are no character of the system's encoding are
// written as &#xFFFD;, the replacement character. A value of ASCII only
// without those five characters comes back as it is.
Text encodeValue(const Text& value);

// The escaped value as the game reads it: &quot; &lt; &gt; &amp; &apos; and
// numeric character references (&#13;, &#x4E2D;) become the characters they
// stand for, in the system's encoding. A reference to a character that the
// encoding can't show (or to no character at all, such as &#0;) stays as it
// is written, as does any other '&'; every other byte is kept.
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

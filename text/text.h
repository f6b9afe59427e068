// Texts, byte sequences and text arrays, and the operations the rules engine
// builds on. A Text is a sequence of bytes in the system's 8-bit code page,
// with no zero byte inside; positions are 1-based and searches return -1 when
// nothing is found. Operations that walk a text take a byte of 0x80 or above
// together with the byte after it as one character (the lead and trail bytes of
// a double-byte code page).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

using Text = std::string;
using Bytes = std::vector<std::uint8_t>;

// An ordered list of texts numbered from 1. It holds its own copies.
class TextArray {
 public:
  std::int32_t count() const;
  // A copy of member n, 1 <= n <= count(); the empty text outside that range.
  Text member(std::int32_t n) const;
  void append(const Text& text);
  void append(Text&& text);
  // Replaces member n; does nothing for n outside 1..count().
  void replace(std::int32_t n, const Text& text);
  // Removes member n; does nothing for n outside 1..count().
  void remove(std::int32_t n);
  void empty();

 private:
  std::vector<Text> members_;
};

// The largest text the program takes in, and so the largest entry unpacking
// writes: positions are 32-bit, and the game's rules text is under 1 MB, so
// 256 MiB leaves ample room while every position and length stays far from
// overflowing.
inline constexpr std::int64_t kLargestText = 256 * 1024 * 1024;

// Stands for "to the end of the text" as a start position of findTextReverse.
inline constexpr std::int32_t kTextEnd = INT32_MAX;

std::int32_t textLength(const Text& text);
Text textRight(const Text& text, std::int32_t n);
Text textMid(const Text& text, std::int32_t start, std::int32_t n);
// Position of the first occurrence of sought beginning at or after start.
std::int32_t findText(std::string_view text, const Text& sought, std::int32_t start = 1,
                      bool caseInsensitive = false);
// Position of the last occurrence of sought that ends before position start.
std::int32_t findTextReverse(std::string_view text, const Text& sought,
                             std::int32_t start = kTextEnd, bool caseInsensitive = false);
Text trimSpaces(const Text& text);
// Note the flag's sense: here it asks for comparison WITH regard to case.
Text replaceText(const Text& text, const Text& oldText, const Text& newText, bool caseSensitive);
TextArray splitText(const Text& text, const Text& delimiter);
Bytes textToBytes(const Text& text);
Text bytesToText(const Bytes& bytes);
Text blankText(std::int32_t n);
Text concatText(std::initializer_list<std::string_view> texts);
bool textEquals(const Text& a, const Text& b);

// All bytes of the file; empty when there is nothing to read or reading fails.
Bytes readWholeFile(const Text& path);
// bytesToText (readWholeFile (path)), read straight into the text: a rules
// file is large enough for the copy in between to matter. Empty, without
// reading, for a file larger than kLargestText.
Text readWholeFileAsText(const Text& path);
// Replaces the file atomically with data: a temporary file beside it, then a
// rename over it, so a failure leaves the old contents whole. flushToDisk
// forces the data to disk before the rename and the folder after it (the
// game's archive wants it; a scratch copy does not). A symbolic link at path
// stays a link: the file it leads to is replaced. True when the file now holds
// exactly data.
bool writeWholeFile(const Text& path, const Bytes& data, bool flushToDisk = true);

}  // namespace vantrel

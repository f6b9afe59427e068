// Conversions between the program's byte texts and the UTF-16 of the W API.
// Texts of the rules (Text) are in the ANSI code page; the program's own
// captions and messages are UTF-8 literals, shown correctly whatever the code
// page is.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace vantrel::win32 {

// A Text of the ANSI code page as UTF-16. Bytes that are no character of the
// code page become the code page's default character.
std::wstring fromAnsiText(const Text& text);
// UTF-16 as a Text of the ANSI code page. Characters the code page lacks
// become its default character; a zero character ends the text (a Text holds
// no zero byte).
Text toAnsiText(const std::wstring& text);

// The program's own UTF-8 text as UTF-16.
std::wstring fromUtf8(std::string_view utf8);

}  // namespace vantrel::win32

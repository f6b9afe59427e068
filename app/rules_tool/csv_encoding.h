// CSV files are UTF-8; the tool's values are in the system's 8-bit encoding
// (UTF-8 on POSIX, the ANSI code page on Windows). Where the two are the same
// nothing is converted, so every byte goes through unchanged.
#pragma once

#include <optional>

#include "text/text.h"

namespace vantrel::csv_encoding {

// A value as a CSV field. A character the system's encoding does not hold
// (a stray byte) becomes U+FFFD.
Text toUtf8(const Text& local);

// A CSV field as a value; nullopt when it is no UTF-8 or holds a character
// that the system's encoding can't hold.
std::optional<Text> fromUtf8(const Text& utf8);

}  // namespace vantrel::csv_encoding

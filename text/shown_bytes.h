// The bytes of a text in hexadecimal, "[41 B0 0D]", so that a failing test
// names its input exactly.
#pragma once

#include <string>

#include "text/text.h"

namespace vantrel::testing {

inline std::string hex(const Text& text) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string shown;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (!shown.empty()) shown += ' ';
    shown += kDigits[b >> 4];
    shown += kDigits[b & 0xF];
  }
  return "[" + shown + "]";
}

}  // namespace vantrel::testing

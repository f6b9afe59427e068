#include "rules/row_tables.h"

#include <gtest/gtest.h>

#include "text/markers.h"

namespace vantrel {
namespace {

// Printable form of a text for failure messages.
std::string shown(const Text& text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte >= 0x80) {
      out += "\\x" + std::string(1, "0123456789ABCDEF"[byte >> 4]) + "0123456789ABCDEF"[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

TEST(FirstLineTest, AgreesWithTheLineOperations) {
  const Text texts[] = {
      "",
      "abc",
      "\r\n",
      "\r\n\r\n",
      "a\r\n",
      "\r\nA\r\n",
      "\r\nA\r\nB",
      "\r\nA\r\n\r\n",
      "key\r\nA\r\nB\r\n",
      "\r\nA\xB0\r\n",      // the last CR is the second byte of a character
      "\r\nA\xB0\xB0\r\n",  // ... and here it is not
      "\xB0\r\nX\r\nY",     // no line break where a character begins before X
      "\r\n\r\r\n",
  };
  for (const Text& text : texts) {
    EXPECT_EQ(firstLine(text), lineAt(text, 1)) << "text: " << shown(text);
    EXPECT_EQ(withoutFirstLine(text), deleteLine(text, 1)) << "text: " << shown(text);
  }
}

}  // namespace
}  // namespace vantrel

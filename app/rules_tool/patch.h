// The lines of a patch, as diff prints them and apply reads them:
//   TABLE/KEY/COLUMN: OLD -> NEW     a changed cell
//   TABLE/KEY: only in OLD           a row present in one of the rules only
//   TABLE: only in NEW               a table present in one only
//   TABLE: column COLUMN only in OLD a column present in one only
// A part is written as it is unless it is empty, begins with a quote or a
// space, ends with a space, holds a control character or one of "/" (names
// only), ": " or " -> ": then it is quoted like a C string ("a\"b\n").
// Empty lines and lines beginning with # are comments.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "text/text.h"

namespace vantrel::patch {

struct Change {
  Text table;
  Text key;
  Text column;
  Text oldValue;
  Text newValue;
};

// TABLE/KEY/COLUMN, each part quoted where it needs it.
Text cellPath(const Text& table, const Text& key, const Text& column);
Text changeLine(const Change& change);
// "TABLE: only in OLD" (no key) or "TABLE/KEY: only in NEW".
Text rowOrTableOnlyLine(const Text& table, const std::optional<Text>& key, bool inOld);
Text columnOnlyLine(const Text& table, const Text& column, bool inOld);

struct Line {
  enum Kind { kComment, kChange, kPresence, kMalformed } kind = kComment;
  Change change;  // kChange only
};
Line parseLine(const Text& line);

}  // namespace vantrel::patch

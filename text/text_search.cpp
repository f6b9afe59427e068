// findText and findTextReverse: searches that try a match only where a
// character begins.
#include "text/character_walk.h"
#include "text/text.h"

namespace vantrel {

using character_walk::characterLength;
using character_walk::matchesAt;

std::int32_t findText(const Text& text, const Text& sought, std::int32_t start,
                      bool caseInsensitive) {
  const std::size_t length = text.size();
  const std::size_t soughtLength = sought.size();
  if (soughtLength == 0) return -1;
  // Start 1, 0 and every negative start all mean the first byte.
  std::size_t i = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (i >= length) return -1;
  const char* bytes = text.data();
  while (length - i >= soughtLength) {
    if (matchesAt(bytes, i, sought.data(), soughtLength, caseInsensitive)) {
      return static_cast<std::int32_t>(i + 1);
    }
    const std::size_t step = characterLength(bytes, i, length);
    if (step == 0) return -1;
    i += step;
  }
  return -1;
}

std::int32_t findTextReverse(const Text& text, const Text& sought, std::int32_t start,
                             bool caseInsensitive) {
  const std::size_t length = text.size();
  const std::size_t soughtLength = sought.size();
  if (soughtLength == 0) return -1;
  // Only occurrences lying wholly within the first `limit` bytes count.
  std::size_t limit = length;
  if (start < 1) {
    limit = 0;
  } else if (static_cast<std::size_t>(start) - 1 < length) {
    limit = static_cast<std::size_t>(start) - 1;
  }
  const char* bytes = text.data();
  std::int32_t last = -1;
  std::size_t i = 0;
  while (i + soughtLength <= limit) {
    if (matchesAt(bytes, i, sought.data(), soughtLength, caseInsensitive)) {
      last = static_cast<std::int32_t>(i + 1);
    }
    const std::size_t step = characterLength(bytes, i, length);
    if (step == 0) break;
    i += step;
  }
  return last;
}

}  // namespace vantrel

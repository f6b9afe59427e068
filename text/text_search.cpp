// findText and findTextReverse: searches that try a match only where a
// character begins.
#include "text/character_walk.h"
#include "text/text.h"

namespace vantrel {

using character_walk::characterLength;
using character_walk::nextMatch;

std::int32_t findText(std::string_view text, const Text& sought, std::int32_t start,
                      bool caseInsensitive) {
  // Start 1, 0 and every negative start all mean the first byte.
  const std::size_t i = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
  const std::size_t found = nextMatch(text, i, sought, caseInsensitive);
  return found == std::string_view::npos ? -1 : static_cast<std::int32_t>(found + 1);
}

std::int32_t findTextReverse(std::string_view text, const Text& sought, std::int32_t start,
                             bool caseInsensitive) {
  // Only occurrences lying wholly within the first `limit` bytes count. The
  // pairing is decided from the first byte, so the search runs forwards over
  // them and keeps the last occurrence.
  std::size_t limit = text.size();
  if (start < 1) {
    limit = 0;
  } else if (static_cast<std::size_t>(start) - 1 < limit) {
    limit = static_cast<std::size_t>(start) - 1;
  }
  const std::string_view searched(text.data(), limit);
  std::int32_t last = -1;
  std::size_t i = 0;
  while (true) {
    const std::size_t found = nextMatch(searched, i, sought, caseInsensitive);
    if (found == std::string_view::npos) break;
    last = static_cast<std::int32_t>(found + 1);
    // Overlapping occurrences count: the walk goes on after the character.
    const std::size_t step = characterLength(searched.data(), found, limit);
    if (step == 0) break;
    i = found + step;
  }
  return last;
}

}  // namespace vantrel

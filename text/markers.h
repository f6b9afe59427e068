// Cutting pieces out of a text by literal markers, and editing a text line by
// line (lines are separated by CR LF).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "text/text.h"

namespace vantrel {

// The text strictly between the first start marker at or after startPosition
// and the first end marker after it; empty when either is missing. "#引号" in a
// marker stands for a double quote.
Text textBetween(const Text& source, const Text& startMarker, const Text& endMarker,
                 std::int32_t startPosition = 0, bool caseInsensitive = false);
// The same text as a view into source, for a large source where the copy
// matters.
std::string_view viewBetween(std::string_view source, const Text& startMarker,
                             const Text& endMarker, std::int32_t startPosition = 0,
                             bool caseInsensitive = false);

struct CollectOptions {
  bool caseSensitive = false;  // note: the default searches without regard to case
  std::int32_t maximumLength = 0;
  Text prefix;
  Text suffix;
  bool keepStartMarker = false;
  bool keepEndMarker = false;
  std::int32_t startPosition = 0;
  // Called while collecting so that a window stays responsive; may be empty.
  std::function<void()> processPendingEvents;
};

// Empties target, appends every non-empty piece between successive marker
// pairs, and returns target's count.
std::int32_t collectBetween(std::string_view source, const Text& startMarker, const Text& endMarker,
                            TextArray& target, const CollectOptions& options = {});

// Everything after the last occurrence of marker (searching back from
// startPosition, or from the end when it is absent); empty when there is none.
Text textAfterLast(const Text& source, const Text& marker,
                   std::optional<std::int32_t> startPosition = std::nullopt,
                   bool caseInsensitive = false);
// The same text as a view into source.
std::string_view viewAfterLast(std::string_view source, const Text& marker,
                               std::optional<std::int32_t> startPosition = std::nullopt,
                               bool caseInsensitive = false);

Text lineAt(const Text& source, std::int32_t n);
Text deleteLine(const Text& source, std::int32_t n);
// For n outside 1..number of lines the source comes back unchanged.
Text replaceLine(const Text& source, std::int32_t n, const Text& newLine);

}  // namespace vantrel

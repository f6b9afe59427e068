#include "text/markers.h"

#include "text/character_walk.h"

namespace vantrel {

namespace {

const Text kLineBreak = "\r\n";
const Text kQuotePlaceholder = "#引号";

Text withRealQuotes(const Text& marker) {
  return replaceText(marker, kQuotePlaceholder, "\"", true);
}

void processPendingEvents(const CollectOptions& options, int times) {
  if (!options.processPendingEvents) return;
  for (int k = 0; k < times; ++k) options.processPendingEvents();
}

// The members joined with CR LF between consecutive members.
Text joinLines(const TextArray& lines) {
  Text joined;
  for (std::int32_t n = 1; n <= lines.count(); ++n) {
    if (n > 1) joined += kLineBreak;
    joined += lines.member(n);
  }
  return joined;
}

}  // namespace

Text textBetween(const Text& source, const Text& startMarker, const Text& endMarker,
                 std::int32_t startPosition, bool caseInsensitive) {
  return Text(viewBetween(source, startMarker, endMarker, startPosition, caseInsensitive));
}

std::string_view viewBetween(std::string_view source, const Text& startMarker,
                             const Text& endMarker, std::int32_t startPosition,
                             bool caseInsensitive) {
  const Text start = withRealQuotes(startMarker);
  const Text end = withRealQuotes(endMarker);
  std::int32_t s = findText(source, start, startPosition, caseInsensitive);
  if (s == -1) return {};
  s += textLength(start);  // the first byte after the start marker
  const std::int32_t e = findText(source, end, s, caseInsensitive);
  if (e == -1) return {};
  // The end marker lies wholly in the source, so s - 1 is within it too.
  return source.substr(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(e - s));
}

std::int32_t collectBetween(std::string_view source, const Text& startMarker, const Text& endMarker,
                            TextArray& target, const CollectOptions& options) {
  target.empty();
  const bool caseInsensitive = !options.caseSensitive;
  const std::int32_t startLength = textLength(startMarker);
  std::int32_t pos = options.startPosition;
  while (true) {
    const std::int32_t f = findText(source, startMarker, pos, caseInsensitive);
    if (f == -1) break;
    const std::int32_t g = findText(source, endMarker, f + startLength, caseInsensitive);
    if (g == -1) break;
    pos = f + startLength;
    // The piece is trimmed where it lies in the source and copied once.
    const std::string_view piece = character_walk::trimBlanks(
        source.substr(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(g - pos)));
    Text item = concatText({options.prefix, piece, options.suffix});
    if (!item.empty()) {
      if (options.keepStartMarker) item.insert(0, startMarker);
      if (options.keepEndMarker) item += endMarker;
      if (options.maximumLength != 0) {
        if (textLength(item) < options.maximumLength) target.append(std::move(item));
        processPendingEvents(options, 1);
      } else {
        target.append(std::move(item));
      }
      // The next start marker is searched from the beginning of this end marker.
      pos = g;
    }
    processPendingEvents(options, 3);
  }
  return target.count();
}

Text textAfterLast(const Text& source, const Text& marker,
                   std::optional<std::int32_t> startPosition, bool caseInsensitive) {
  return Text(viewAfterLast(source, marker, startPosition, caseInsensitive));
}

std::string_view viewAfterLast(std::string_view source, const Text& marker,
                               std::optional<std::int32_t> startPosition, bool caseInsensitive) {
  const auto length = static_cast<std::int32_t>(source.size());
  const std::int32_t start = startPosition.value_or(length + 1);
  const std::int32_t p = findTextReverse(source, marker, start, caseInsensitive);
  if (p == -1) return {};
  // The found marker lies wholly in the source: what follows it is its tail.
  const std::int32_t after = p - 1 + textLength(marker);
  return source.substr(static_cast<std::size_t>(after));
}

Text lineAt(const Text& source, std::int32_t n) { return splitText(source, kLineBreak).member(n); }

Text deleteLine(const Text& source, std::int32_t n) {
  // A text without any line break is one line: the added break makes it a member.
  const bool hasLineBreak = findText(source, kLineBreak, 1, false) != -1;
  TextArray lines = splitText(hasLineBreak ? source : source + kLineBreak, kLineBreak);
  lines.remove(n);
  return joinLines(lines);
}

Text replaceLine(const Text& source, std::int32_t n, const Text& newLine) {
  TextArray lines = splitText(source, kLineBreak);
  if (n < 1 || n > lines.count()) return source;
  lines.replace(n, newLine);
  return joinLines(lines);
}

}  // namespace vantrel

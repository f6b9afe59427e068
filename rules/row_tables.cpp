#include "rules/row_tables.h"

#include "rules/rules_markers.h"
#include "text/markers.h"

namespace vantrel {

Text firstLine(const Text& text) {
  const std::int32_t lineBreak = findText(text, kLineEnd);
  return lineBreak == -1 ? text : textMid(text, 1, lineBreak - 1);
}

Text withoutFirstLine(const Text& text) {
  const std::int32_t lineBreak = findText(text, kLineEnd);
  if (lineBreak == -1) return Text();
  Text rest = textMid(text, lineBreak + 2, textLength(text));
  const std::size_t size = rest.size();
  if (size < 2 || rest.compare(size - 2, 2, kLineEnd) != 0) return rest;
  // A final line break counts only where a character begins, which is certain
  // when the byte before it is below 0x80; otherwise split after all.
  if (size == 2 || static_cast<unsigned char>(rest[size - 3]) < 0x80) {
    rest.resize(size - 2);
    return rest;
  }
  return deleteLine(text, 1);
}

RowsPart findRowsPart(std::string_view documentText, const Text& tableStart) {
  const std::string_view section = viewBetween(documentText, tableStart, kTableEnd);
  const std::string_view rows = viewAfterLast(section, kRowsStart);
  if (rows.empty()) return {};
  // The rows part stops inside its last row, where the table end marker
  // begins, so that row would lack its row end marker. The marker begins with
  // the lines it took from the row, so extending the view over them puts
  // them back as the text has them.
  return {rows, std::string_view(rows.data(), rows.size() + kLastRowEnd.size())};
}

std::int32_t collectRows(const RowsPart& rowsPart, TextArray& rows,
                         const std::function<void()>& processPendingEvents) {
  CollectOptions options;
  options.processPendingEvents = processPendingEvents;
  const std::int32_t count = collectBetween(rowsPart.wholeRows, kRowStart, kRowEnd, rows, options);
  // Each piece begins with the line break after its row start marker and
  // ends with the one before its row end marker: drop both.
  for (std::int32_t i = 1; i <= count; ++i) rows.replace(i, withoutFirstLine(rows.member(i)));
  return count;
}

Text rowKey(const Text& rowText) { return textBetween(firstLine(rowText), kValueStart, kValueEnd); }

}  // namespace vantrel

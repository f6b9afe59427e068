// Cutting the row texts of one table out of the rules text. A row text starts
// with the spaces before the row key line and ends with the row's
// </SingleArray>, without the CR LF after it; line n, from 4 on, holds column
// n - 4.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "text/text.h"

namespace vantrel {

// Where the rows part of a table lies in the document text.
struct RowsPart {
  // The text after the table's rows start marker up to its table end marker,
  // which begins inside the last row. Empty when the table is missing.
  std::string_view rows;
  // The same followed by the lines the table end marker took from the last
  // row, as the text has them: every row whole. Empty with rows.
  std::string_view wholeRows;
};
RowsPart findRowsPart(std::string_view documentText, const Text& tableStart);

// Replaces the contents of rows by the row texts of a rows part, in order,
// the last row included, and returns their number. processPendingEvents (may
// be empty) is called while the rows are cut out.
std::int32_t collectRows(const RowsPart& rowsPart, TextArray& rows,
                         const std::function<void()>& processPendingEvents);

// The row key: the raw value on the first line of a row text; empty when that
// line is not a <Simple value="..." /> line.
Text rowKey(const Text& rowText);

// lineAt (text, 1) and deleteLine (text, 1), without splitting every line of
// a row text of some hundred lines.
Text firstLine(const Text& text);
Text withoutFirstLine(const Text& text);

}  // namespace vantrel

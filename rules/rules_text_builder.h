// Builds small rules texts in the game's layout (two spaces per level, CR LF
// line ends, a UTF-8 byte-order mark) for tests.
#pragma once

#include <optional>
#include <vector>

#include "text/text.h"

namespace vantrel::testing {

struct SampleRow {
  Text key;
  // Columns 1 onwards (column 0 repeats the key); nullopt is a <Null /> column.
  // Column c is on line c + 4 of the row text.
  std::vector<std::optional<Text>> columns;
};

struct SampleTable {
  Text name;  // "Entities", "Commands" or any other table
  std::vector<SampleRow> rows;
};

// The lines of one row as the game writes it, from its <Item> line to its
// </Item> line, each followed by CR LF.
Text rowLines(const SampleRow& row);

// The row text that loading stores for the row: from the spaces before its
// key line to its </SingleArray>, without the CR LF after it.
Text expectedRowText(const SampleRow& row);

// A whole rules text holding the tables in the given order.
Text buildRulesText(const std::vector<SampleTable>& tables);

}  // namespace vantrel::testing

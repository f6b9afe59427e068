// A table as CSV and back: a header "key" followed by the column names in
// column order, then one record per row in document order, values decoded.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/rules_tool/planned_change.h"
#include "rules/named_tables.h"

namespace vantrel {

// The whole table, with a UTF-8 byte-order mark and CR LF line ends. A
// <Null /> cell is an empty field.
Text exportTable(const TablesDocument& rules, const NamedTable& table);

struct ImportPlan {
  std::vector<PlannedChange> changes;  // in the CSV's order
  std::int64_t errorLine = 0;          // of the CSV, when error is set
  Text error;
};

// The changes that make the table hold what the CSV holds: only cells whose
// value differs, matched by key and column name; columns and rows the CSV
// leaves out stay as they are. An empty field on a <Null /> cell is no change.
ImportPlan planImport(const TablesDocument& rules, std::size_t table, std::string_view csvText);

}  // namespace vantrel

#include "app/rules_tool/planned_change.h"

namespace vantrel {

Text quotedName(const Text& text) { return "\"" + text + "\""; }

std::optional<CellAddress> findCell(const TablesDocument& rules, const Text& table, const Text& key,
                                    const Text& column, Text& missing) {
  const std::optional<std::size_t> tableIndex = rules.tableIndex(table);
  if (!tableIndex) {
    missing = "no table " + quotedName(table);
    return std::nullopt;
  }
  const NamedTable& named = rules.tables()[*tableIndex];
  const std::optional<std::size_t> row = named.rowIndex(key);
  if (!row) {
    missing = "no row " + quotedName(key) + " in table " + quotedName(table);
    return std::nullopt;
  }
  const std::optional<std::int32_t> columnNumber = named.columnNumber(column);
  if (!columnNumber) {
    missing = "no column " + quotedName(column) + " in table " + quotedName(table);
    return std::nullopt;
  }
  return CellAddress{*tableIndex, *row, *columnNumber};
}

PlannedChange plannedChange(const TablesDocument& rules, const CellAddress& cell,
                            const Text& newValue, std::int64_t line) {
  const NamedTable& table = rules.tables()[cell.table];
  const TableRow& row = table.rows[cell.row];
  Text columnName;
  for (std::size_t i = 0; i < table.columnNumbers.size(); ++i) {
    if (table.columnNumbers[i] == cell.column) {
      columnName = table.columnNames[i];
      break;
    }
  }
  return {{cell.table, cell.row, cell.column, newValue},
          {table.name, row.key, columnName, rules.value(table, row, cell.column), newValue},
          line};
}

std::optional<PlannedChange> writeChanges(TablesDocument& rules,
                                          const std::vector<PlannedChange>& changes) {
  std::vector<CellChange> cells;
  cells.reserve(changes.size());
  for (const PlannedChange& change : changes) cells.push_back(change.cell);
  const std::optional<std::size_t> failed = rules.setValues(cells);
  if (!failed) return std::nullopt;
  return changes[*failed];
}

}  // namespace vantrel

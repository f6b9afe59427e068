#include "app/rules_tool/rules_diff.h"

#include <unordered_map>

#include "app/rules_tool/patch.h"

namespace vantrel {
namespace {

void diffTable(const TablesDocument& oldRules, const NamedTable& oldTable,
               const TablesDocument& newRules, const NamedTable& newTable,
               std::vector<Text>& lines) {
  // Columns compared: those of the old table that the new one has, by name.
  std::vector<std::pair<std::size_t, std::size_t>> shared;  // positions in old, new
  std::unordered_map<Text, std::size_t> newPositions;
  for (std::size_t i = newTable.columnNames.size(); i-- > 0;) {
    newPositions[newTable.columnNames[i]] = i;
  }
  for (std::size_t i = 0; i < oldTable.columnNames.size(); ++i) {
    const auto found = newPositions.find(oldTable.columnNames[i]);
    if (found == newPositions.end()) {
      lines.push_back(patch::columnOnlyLine(oldTable.name, oldTable.columnNames[i], true));
    } else {
      shared.emplace_back(i, found->second);
    }
  }
  for (const Text& column : newTable.columnNames) {
    if (!oldTable.columnNumber(column)) {
      lines.push_back(patch::columnOnlyLine(oldTable.name, column, false));
    }
  }

  for (const TableRow& oldRow : oldTable.rows) {
    const std::optional<std::size_t> newRow = newTable.rowIndex(oldRow.key);
    if (!newRow) {
      lines.push_back(patch::rowOrTableOnlyLine(oldTable.name, oldRow.key, true));
      continue;
    }
    const std::vector<Text> oldValues = oldRules.rowValues(oldTable, oldRow);
    const std::vector<Text> newValues = newRules.rowValues(newTable, newTable.rows[*newRow]);
    for (const auto& [oldPosition, newPosition] : shared) {
      if (oldValues[oldPosition] == newValues[newPosition]) continue;
      lines.push_back(
          patch::changeLine({oldTable.name, oldRow.key, oldTable.columnNames[oldPosition],
                             oldValues[oldPosition], newValues[newPosition]}));
    }
  }
  for (const TableRow& newRow : newTable.rows) {
    if (!oldTable.rowIndex(newRow.key)) {
      lines.push_back(patch::rowOrTableOnlyLine(oldTable.name, newRow.key, false));
    }
  }
}

// The lines of a text, without their LF or CR LF.
std::vector<Text> splitLines(std::string_view text) {
  std::vector<Text> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::vector<Text> diffLines(const TablesDocument& oldRules, const TablesDocument& newRules) {
  std::vector<Text> lines;
  for (const NamedTable& oldTable : oldRules.tables()) {
    const std::optional<std::size_t> newTable = newRules.tableIndex(oldTable.name);
    if (!newTable) {
      lines.push_back(patch::rowOrTableOnlyLine(oldTable.name, std::nullopt, true));
      continue;
    }
    diffTable(oldRules, oldTable, newRules, newRules.tables()[*newTable], lines);
  }
  for (const NamedTable& newTable : newRules.tables()) {
    if (!oldRules.tableIndex(newTable.name)) {
      lines.push_back(patch::rowOrTableOnlyLine(newTable.name, std::nullopt, false));
    }
  }
  return lines;
}

ApplyPlan planApply(const TablesDocument& rules, std::string_view patchText) {
  ApplyPlan plan;
  // Values this patch has already set, so that a later line sees them.
  std::unordered_map<Text, Text> pending;
  // A patch saved by an editor that puts a byte-order mark first.
  if (patchText.substr(0, 3) == "\xEF\xBB\xBF") patchText.remove_prefix(3);
  const std::vector<Text> lines = splitLines(patchText);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::int64_t lineNumber = static_cast<std::int64_t>(i) + 1;
    const patch::Line line = patch::parseLine(lines[i]);
    switch (line.kind) {
      case patch::Line::kComment:
        continue;
      case patch::Line::kMalformed:
        plan.errorLine = lineNumber;
        plan.error = "not a patch line";
        return plan;
      case patch::Line::kPresence:
        plan.conflicts.push_back(
            {lineNumber, "tables, columns and rows are not added or removed: " + lines[i]});
        continue;
      case patch::Line::kChange:
        break;
    }
    const patch::Change& change = line.change;
    Text missing;
    const std::optional<CellAddress> cell =
        findCell(rules, change.table, change.key, change.column, missing);
    if (!cell) {
      plan.conflicts.push_back({lineNumber, missing});
      continue;
    }
    const Text cellName = patch::cellPath(change.table, change.key, change.column);
    const auto set = pending.find(cellName);
    const NamedTable& table = rules.tables()[cell->table];
    const Text current = set != pending.end()
                             ? set->second
                             : rules.value(table, table.rows[cell->row], cell->column);
    if (current == change.newValue) continue;
    if (current != change.oldValue) {
      plan.conflicts.push_back({lineNumber, cellName + " holds " + quotedName(current) + ", not " +
                                                quotedName(change.oldValue)});
      continue;
    }
    PlannedChange planned = plannedChange(rules, *cell, change.newValue, lineNumber);
    planned.shown.oldValue = current;
    plan.changes.push_back(std::move(planned));
    pending[cellName] = change.newValue;
  }
  return plan;
}

}  // namespace vantrel

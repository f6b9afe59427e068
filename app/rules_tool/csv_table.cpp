#include "app/rules_tool/csv_table.h"

#include <unordered_map>

#include "app/rules_tool/csv.h"
#include "app/rules_tool/csv_encoding.h"

namespace vantrel {
namespace {

constexpr const char* kKeyHeader = "key";

std::vector<Text> utf8Fields(std::vector<Text> fields) {
  for (Text& field : fields) field = csv_encoding::toUtf8(field);
  return fields;
}

// The fields in the system's encoding; false when one can't be.
bool localFields(std::vector<Text>& fields) {
  for (Text& field : fields) {
    std::optional<Text> local = csv_encoding::fromUtf8(field);
    if (!local) return false;
    field = std::move(*local);
  }
  return true;
}

ImportPlan failure(std::int64_t line, Text error) {
  ImportPlan plan;
  plan.errorLine = line;
  plan.error = std::move(error);
  return plan;
}

}  // namespace

Text exportTable(const TablesDocument& rules, const NamedTable& table) {
  Text out = "\xEF\xBB\xBF";
  std::vector<Text> header{kKeyHeader};
  header.insert(header.end(), table.columnNames.begin(), table.columnNames.end());
  out += csv::record(utf8Fields(std::move(header)));
  for (const TableRow& row : table.rows) {
    std::vector<Text> fields{row.key};
    std::vector<Text> values = rules.rowValues(table, row);
    fields.insert(fields.end(), std::make_move_iterator(values.begin()),
                  std::make_move_iterator(values.end()));
    out += csv::record(utf8Fields(std::move(fields)));
  }
  return out;
}

ImportPlan planImport(const TablesDocument& rules, std::size_t tableIndex,
                      std::string_view csvText) {
  csv::Document document = csv::read(csvText);
  if (!document.error.empty()) return failure(document.errorLine, document.error);
  for (csv::Record& record : document.records) {
    if (!localFields(record.fields)) {
      return failure(record.line, "a field that is no UTF-8 or that this system can't hold");
    }
  }
  if (document.records.empty()) return failure(1, "no header line");
  const NamedTable& table = rules.tables()[tableIndex];
  const Text tableName = quotedName(table.name);

  const csv::Record& header = document.records.front();
  if (header.fields.front() != kKeyHeader) {
    return failure(header.line, "the first column must be " + quotedName(kKeyHeader));
  }
  // Where each column name first stands in the table's column order.
  std::unordered_map<Text, std::size_t> positionOf;
  for (std::size_t i = table.columnNames.size(); i-- > 0;) positionOf[table.columnNames[i]] = i;
  // For the CSV's fields from the second on: the column's position.
  std::vector<std::size_t> positions;
  std::unordered_map<Text, std::size_t> seenColumns;
  for (std::size_t i = 1; i < header.fields.size(); ++i) {
    const Text& name = header.fields[i];
    const auto position = positionOf.find(name);
    if (position == positionOf.end()) {
      return failure(header.line, "no column " + quotedName(name) + " in " + tableName);
    }
    if (!seenColumns.emplace(name, i).second) {
      return failure(header.line, "column " + quotedName(name) + " appears twice");
    }
    positions.push_back(position->second);
  }

  ImportPlan plan;
  std::unordered_map<Text, std::int64_t> seenKeys;
  for (std::size_t r = 1; r < document.records.size(); ++r) {
    const csv::Record& record = document.records[r];
    if (record.fields.size() != header.fields.size()) {
      return failure(record.line, std::to_string(record.fields.size()) +
                                      " fields where the header has " +
                                      std::to_string(header.fields.size()));
    }
    const Text& key = record.fields.front();
    const std::optional<std::size_t> row = table.rowIndex(key);
    if (!row) return failure(record.line, "no row " + quotedName(key) + " in " + tableName);
    const auto [first, isNew] = seenKeys.emplace(key, record.line);
    if (!isNew) {
      return failure(record.line, "row " + quotedName(key) + " appears twice (first on line " +
                                      std::to_string(first->second) + ")");
    }
    const std::vector<Text> values = rules.rowValues(table, table.rows[*row]);
    for (std::size_t i = 0; i < positions.size(); ++i) {
      const Text& wanted = record.fields[i + 1];
      if (wanted == values[positions[i]]) continue;
      const CellAddress cell{tableIndex, *row, table.columnNumbers[positions[i]]};
      plan.changes.push_back(plannedChange(rules, cell, wanted, record.line));
    }
  }
  return plan;
}

}  // namespace vantrel

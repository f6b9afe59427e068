// Every table of a rules text by its name: a table item whose name line is
// followed by its "Cols" dictionary (column name -> column number) and its
// "Rows" dictionary (the rows, by key). Tables are found by markers built from
// their names, as the rules document finds "Entities" and "Commands"; values
// are read and written with the same rules as the document's setValue, so a
// change touches only the value's bytes and the rest of the text stays as it
// was. A table whose lines don't follow the game's layout exactly is left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/text.h"

namespace vantrel {

struct TableRow {
  Text key;                // decoded, as a modder reads it
  std::size_t offset = 0;  // where the row text begins in the document text (0-based)
  std::size_t length = 0;  // the row text: from its key line to its </SingleArray>
};

struct NamedTable {
  Text name;  // decoded
  // The columns by ascending column number; a row text holds column n on its
  // line n + 4.
  std::vector<Text> columnNames;
  std::vector<std::int32_t> columnNumbers;
  std::vector<TableRow> rows;  // in document order

  // The column number of a column name; nullopt when the table has none.
  std::optional<std::int32_t> columnNumber(const Text& columnName) const;
  // The index in rows of the first row with this key; nullopt when none.
  std::optional<std::size_t> rowIndex(const Text& key) const;

  std::unordered_map<Text, std::int32_t> columnsByName;
  std::unordered_map<Text, std::size_t> rowsByKey;
};

// One value to write: the cell at (table index, row index, column number).
struct CellChange {
  std::size_t table = 0;
  std::size_t row = 0;
  std::int32_t column = 0;
  Text value;  // decoded, as a modder types it
};

class TablesDocument {
 public:
  TablesDocument() = default;
  explicit TablesDocument(Text text);

  const Text& text() const { return text_; }
  const std::vector<NamedTable>& tables() const { return tables_; }
  // The index in tables() of the first table with this name; nullopt when none.
  std::optional<std::size_t> tableIndex(const Text& name) const;

  // The decoded value of one column of a row as getValue reads it: empty for
  // <Null /> and for a column past the end of the row.
  Text value(const NamedTable& table, const TableRow& row, std::int32_t column) const;
  // The values of every column of a row, in the order of table.columnNames.
  std::vector<Text> rowValues(const NamedTable& table, const TableRow& row) const;

  // Writes every value with the rules of setValue, all at once; a later
  // change of the same cell wins. When a value can't be written so that it
  // reads back (its line is neither a value line nor <Null />, or the value
  // does not survive the text's rules), nothing changes and the result is the
  // index of that change in changes.
  std::optional<std::size_t> setValues(const std::vector<CellChange>& changes);

 private:
  // The lines of a row text, as splitText cuts them, as views into text_.
  std::vector<std::string_view> rowLines(const TableRow& row) const;

  Text text_;
  std::vector<NamedTable> tables_;
};

}  // namespace vantrel

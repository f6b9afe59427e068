#include "rules/named_tables.h"

#include <algorithm>
#include <utility>

#include "rules/row_values.h"
#include "rules/rules_markers.h"

namespace vantrel {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// What follows a table's name on its name line, up to its "Cols" dictionary:
// the tail of tableStartMarker.
const Text kTableNameTail = [] {
  const Text marker = tableStartMarker("");
  return marker.substr(marker.find("\" />"));
}();
// What comes before the name: the head of tableStartMarker, whose last line
// is the beginning of the name line.
const Text kTableNameHead = tableStartMarker("").substr(0, tableStartMarker("").find("\" />"));
const Text kNameLineHead = kTableNameHead.substr(kTableNameHead.rfind(kLineEnd) + kLineEnd.size());

const Text kDictionaryItemsOpen = "\r\n" + Text(16, ' ') + "<Items>";
const Text kItemStart = "\r\n" + Text(18, ' ') + "<Item>\r\n";
const Text kItemEnd = "\r\n" + Text(18, ' ') + "</Item>";
const Text kColumnsClose =
    "\r\n" + Text(16, ' ') + "</Items>\r\n" + Text(14, ' ') + "</Dictionary>\r\n";

// The 0-based index of marker in text at or after from, walking as findText
// does; npos when there is none.
std::size_t findFrom(std::string_view text, const Text& marker, std::size_t from) {
  if (from >= text.size()) return npos;
  const std::int32_t found = findText(text, marker, static_cast<std::int32_t>(from) + 1);
  return found == -1 ? npos : static_cast<std::size_t>(found - 1);
}

bool startsAt(std::string_view text, std::size_t at, std::string_view marker) {
  return at <= text.size() && text.substr(at, marker.size()) == marker;
}

struct Span {
  std::size_t offset;
  std::size_t length;
};

// The bodies of a dictionary's items from at on: each item is an <Item> line
// indented by 18, its body, and its </Item> line. at moves past the last item.
std::vector<Span> readItems(std::string_view text, std::size_t& at) {
  std::vector<Span> bodies;
  while (startsAt(text, at, kItemStart)) {
    const std::size_t begin = at + kItemStart.size();
    const std::size_t end = findFrom(text, kItemEnd, begin);
    if (end == npos) break;
    bodies.push_back({begin, end - begin});
    at = end + kItemEnd.size();
  }
  return bodies;
}

// Lines cut as splitText cuts them (no empty piece after a final CR LF).
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  for (std::size_t end; (end = findFrom(text, kLineEnd, begin)) != npos; begin = end + 2) {
    lines.push_back(text.substr(begin, end - begin));
  }
  if (begin < text.size()) lines.push_back(text.substr(begin));
  return lines;
}

std::optional<std::int32_t> columnNumberOf(const Text& digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  std::int32_t number = 0;
  for (const char digit : digits) {
    if (digit < '0' || digit > '9') return std::nullopt;
    number = number * 10 + (digit - '0');
  }
  return number;
}

// The table whose start marker ends at `at`: its column dictionary, then its
// rows dictionary, then the lines that close it, each exactly as the game
// writes them. nullopt when anything deviates.
std::optional<NamedTable> readTable(std::string_view text, Text name, std::size_t at) {
  NamedTable table;
  table.name = std::move(name);
  if (!startsAt(text, at, kDictionaryItemsOpen)) return std::nullopt;
  at += kDictionaryItemsOpen.size();
  const std::vector<Span> columns = readItems(text, at);
  if (!startsAt(text, at, kColumnsClose)) return std::nullopt;
  at += kColumnsClose.size();
  if (!startsAt(text, at, kRowsStart)) return std::nullopt;
  at += kRowsStart.size();
  const std::vector<Span> rows = readItems(text, at);
  if (!startsAt(text, at, kTableClose)) return std::nullopt;

  // A column item holds two lines: the column's name and its number.
  std::vector<std::pair<std::int32_t, Text>> numbered;
  for (const Span& column : columns) {
    const std::vector<std::string_view> lines =
        splitLines(text.substr(column.offset, column.length));
    if (lines.size() != 2) return std::nullopt;
    const std::optional<std::int32_t> number = columnNumberOf(lineValue(Text(lines[1])));
    if (!number) return std::nullopt;
    numbered.emplace_back(*number, lineValue(Text(lines[0])));
  }
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [number, columnName] : numbered) {
    table.columnsByName.emplace(columnName, number);
    table.columnNumbers.push_back(number);
    table.columnNames.push_back(std::move(columnName));
  }

  for (const Span& row : rows) {
    const std::string_view rowText = text.substr(row.offset, row.length);
    Text key = lineValue(Text(rowText.substr(0, rowText.find(kLineEnd))));
    table.rowsByKey.emplace(key, table.rows.size());
    table.rows.push_back({std::move(key), row.offset, row.length});
  }
  return table;
}

std::vector<NamedTable> findTables(std::string_view text) {
  std::vector<NamedTable> tables;
  for (std::size_t tail = findFrom(text, kTableNameTail, 0); tail != npos;
       tail = findFrom(text, kTableNameTail, tail + kTableNameTail.size())) {
    // The name line begins after the last line break before the tail.
    const std::size_t lineBreak = text.rfind(kLineEnd, tail);
    if (lineBreak == npos) continue;
    const std::size_t nameAt = lineBreak + kLineEnd.size() + kNameLineHead.size();
    if (nameAt > tail || nameAt < kTableNameHead.size()) continue;
    const std::size_t start = nameAt - kTableNameHead.size();
    const Text rawName(text.substr(nameAt, tail - nameAt));
    const Text marker = tableStartMarker(rawName);
    if (!startsAt(text, start, marker)) continue;
    if (std::optional<NamedTable> table =
            readTable(text, decodeValue(rawName), start + marker.size())) {
      tables.push_back(std::move(*table));
    }
  }
  return tables;
}

}  // namespace

std::optional<std::int32_t> NamedTable::columnNumber(const Text& columnName) const {
  const auto found = columnsByName.find(columnName);
  if (found == columnsByName.end()) return std::nullopt;
  return found->second;
}

std::optional<std::size_t> NamedTable::rowIndex(const Text& key) const {
  const auto found = rowsByKey.find(key);
  if (found == rowsByKey.end()) return std::nullopt;
  return found->second;
}

TablesDocument::TablesDocument(Text text) : text_(std::move(text)), tables_(findTables(text_)) {}

std::optional<std::size_t> TablesDocument::tableIndex(const Text& name) const {
  for (std::size_t i = 0; i < tables_.size(); ++i) {
    if (tables_[i].name == name) return i;
  }
  return std::nullopt;
}

std::vector<std::string_view> TablesDocument::rowLines(const TableRow& row) const {
  return splitLines(std::string_view(text_).substr(row.offset, row.length));
}

Text TablesDocument::value(const NamedTable&, const TableRow& row, std::int32_t column) const {
  const std::vector<std::string_view> lines = rowLines(row);
  const std::size_t line = static_cast<std::size_t>(column) + 3;  // line column + 4, 1-based
  if (column < 0 || line >= lines.size()) return Text();
  return lineValue(Text(lines[line]));
}

std::vector<Text> TablesDocument::rowValues(const NamedTable& table, const TableRow& row) const {
  const std::vector<std::string_view> lines = rowLines(row);
  std::vector<Text> values;
  values.reserve(table.columnNumbers.size());
  for (const std::int32_t column : table.columnNumbers) {
    const std::size_t line = static_cast<std::size_t>(column) + 3;
    values.push_back(line < lines.size() ? lineValue(Text(lines[line])) : Text());
  }
  return values;
}

std::optional<std::size_t> TablesDocument::setValues(const std::vector<CellChange>& changes) {
  struct Splice {
    std::size_t offset;
    std::size_t length;
    Text line;
  };
  std::vector<Splice> splices;
  splices.reserve(changes.size());
  std::unordered_map<std::size_t, std::vector<std::string_view>> linesOfRow;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const CellChange& change = changes[i];
    if (change.table >= tables_.size() || change.column < 0) return i;
    const NamedTable& table = tables_[change.table];
    if (change.row >= table.rows.size()) return i;
    const TableRow& row = table.rows[change.row];
    auto cached = linesOfRow.find(row.offset);
    if (cached == linesOfRow.end()) cached = linesOfRow.emplace(row.offset, rowLines(row)).first;
    const std::size_t lineIndex = static_cast<std::size_t>(change.column) + 3;
    if (lineIndex >= cached->second.size()) return i;
    const std::string_view line = cached->second[lineIndex];
    Text newLine = lineWithValue(Text(line), change.value);
    if (lineValue(newLine) != change.value) return i;
    splices.push_back(
        {static_cast<std::size_t>(line.data() - text_.data()), line.size(), std::move(newLine)});
  }

  std::stable_sort(splices.begin(), splices.end(),
                   [](const Splice& a, const Splice& b) { return a.offset < b.offset; });
  Text result;
  result.reserve(text_.size() + 64 * splices.size());
  std::size_t copied = 0;
  for (std::size_t i = 0; i < splices.size(); ++i) {
    // Of several changes of one cell the last one given stands.
    if (i + 1 < splices.size() && splices[i + 1].offset == splices[i].offset) continue;
    result.append(text_, copied, splices[i].offset - copied);
    result += splices[i].line;
    copied = splices[i].offset + splices[i].length;
  }
  result.append(text_, copied, Text::npos);
  *this = TablesDocument(std::move(result));
  return std::nullopt;
}

}  // namespace vantrel

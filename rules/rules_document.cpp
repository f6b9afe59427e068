#include "rules/rules_document.h"

#include "archive/paths.h"
#include "rules/row_tables.h"
#include "rules/row_values.h"
#include "rules/rules_markers.h"
#include "text/markers.h"

namespace vantrel {
namespace {

void listRowKeys(const TextArray& rows, const Text& listBox, WindowOperations& window) {
  for (std::int32_t i = 1; i <= rows.count(); ++i) {
    window.insertListItem(listBox, i - 1, rowKey(rows.member(i)));
  }
}

// Where each row text begins in the document text (1-based). The rows follow
// one another in their part, so each is searched for from the end of the one
// before it: it is found where it was cut out, even when the same text also
// occurs earlier in the document (a copy of the row in another table).
std::vector<std::int32_t> rowPositions(const Text& documentText, const RowsPart& rowsPart,
                                       const TextArray& rows) {
  std::vector<std::int32_t> positions;
  if (rows.count() == 0) return positions;
  positions.reserve(static_cast<std::size_t>(rows.count()));
  std::int32_t searchFrom = static_cast<std::int32_t>(rowsPart.wholeRows.data() -
                                                      documentText.data()) + 1;
  for (std::int32_t i = 1; i <= rows.count(); ++i) {
    const Text row = rows.member(i);
    const std::int32_t position = findText(documentText, row, searchFrom);
    positions.push_back(position);
    if (position != -1) searchFrom = position + textLength(row);
  }
  return positions;
}

}  // namespace

void RulesDocument::load(const Text& path, WindowOperations& window) {
  const auto processPendingEvents = [&window] { window.processPendingEvents(); };
  documentText_ = readWholeFileAsText(path);

  // The rows parts are views into documentText_; only the row texts are copied.
  const RowsPart entityRowsPart = findRowsPart(documentText_, kEntitiesStart);
  collectRows(entityRowsPart, entityRows_, processPendingEvents);
  entityRowPositions_ = rowPositions(documentText_, entityRowsPart, entityRows_);
  listRowKeys(entityRows_, kEntityList, window);

  const RowsPart commandRowsPart = findRowsPart(documentText_, kCommandsStart);
  window.setEditText(kInfoBox, Text(commandRowsPart.rows));
  collectRows(commandRowsPart, commandRows_, processPendingEvents);
  commandRowPositions_ = rowPositions(documentText_, commandRowsPart, commandRows_);
  listRowKeys(commandRows_, kCommandList, window);
}

RulesDocument::SelectedRow RulesDocument::selectedRow(std::int32_t table,
                                                      WindowOperations& window) {
  if (table <= Entities) table = Entities;
  if (table > Commands) return {nullptr, nullptr, 0};
  const bool entities = table == Entities;
  TextArray& rows = entities ? entityRows_ : commandRows_;
  const std::int32_t selection = window.getListSelection(entities ? kEntityList : kCommandList);
  if (selection < 0 || selection >= rows.count()) return {nullptr, nullptr, 0};
  return {&rows, entities ? &entityRowPositions_ : &commandRowPositions_, selection + 1};
}

Text RulesDocument::getValue(std::int32_t line, std::int32_t table, WindowOperations& window) {
  const SelectedRow selected = selectedRow(table, window);
  if (selected.rows == nullptr) return Text();
  const Text row = selected.rows->member(selected.member);
  window.setEditText(kInfoBox, row);
  return lineValue(lineAt(row, line));
}

void RulesDocument::setValue(std::int32_t line, std::int32_t table, const Text& newValue,
                             WindowOperations& window) {
  // The selection is read once: the row changed is the row stored back.
  const SelectedRow selected = selectedRow(table, window);
  if (selected.rows == nullptr) return;
  const Text oldRow = selected.rows->member(selected.member);
  const Text oldLine = lineAt(oldRow, line);
  const Text newLine = lineWithValue(oldLine, newValue);
  const Text newRow = textEquals(newLine, oldLine) ? oldRow : replaceLine(oldRow, line, newLine);

  if (!textEquals(newRow, oldRow)) {
    replaceRowText((*selected.positions)[selected.member - 1], oldRow, newRow);
  }
  selected.rows->replace(selected.member, newRow);
  window.setEditText(kInfoBox, newRow);
  // A scratch copy that the next start rebuilds: replaced atomically, not
  // forced to disk. A failed write goes unnoticed, as the document keeps the change.
  writeWholeFile(workingFile(), textToBytes(documentText_), /*flushToDisk=*/false);
}

void RulesDocument::replaceRowText(std::int32_t position, const Text& oldRow, const Text& newRow) {
  // The row is changed only where it was cut out; the check guards against a
  // position that has gone out of step, which would otherwise change another row.
  const bool stillThere = position >= 1 && position - 1 + oldRow.size() <= documentText_.size() &&
                          documentText_.compare(position - 1, oldRow.size(), oldRow) == 0;
  if (!stillThere) return;
  const std::int32_t changedAt = position;
  documentText_.replace(changedAt - 1, oldRow.size(), newRow);
  const std::int32_t shift = textLength(newRow) - textLength(oldRow);
  for (std::vector<std::int32_t>* positions : {&entityRowPositions_, &commandRowPositions_}) {
    for (std::int32_t& rowPosition : *positions) {
      if (rowPosition > changedAt) rowPosition += shift;
    }
  }
}

}  // namespace vantrel

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

}  // namespace

void RulesDocument::load(const Text& path, WindowOperations& window) {
  const auto processPendingEvents = [&window] { window.processPendingEvents(); };
  documentText_ = readWholeFileAsText(path);

  // The rows parts are views into documentText_; only the row texts are copied.
  collectRows(findRowsPart(documentText_, kEntitiesStart), entityRows_, processPendingEvents);
  listRowKeys(entityRows_, kEntityList, window);

  const RowsPart commandRowsPart = findRowsPart(documentText_, kCommandsStart);
  window.setEditText(kInfoBox, Text(commandRowsPart.rows));
  collectRows(commandRowsPart, commandRows_, processPendingEvents);
  listRowKeys(commandRows_, kCommandList, window);

  // Rows are found in the text only when first changed.
  entityRowPositions_.assign(entityRows_.count(), -1);
  commandRowPositions_.assign(commandRows_.count(), -1);
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

void RulesDocument::replaceRowText(std::int32_t& position, const Text& oldRow, const Text& newRow) {
  const bool stillThere = position >= 1 && position - 1 + oldRow.size() <= documentText_.size() &&
                          documentText_.compare(position - 1, oldRow.size(), oldRow) == 0;
  // A row text occurs once in the text, so replacing it where it is found
  // gives what replacing every occurrence would.
  if (!stillThere) position = findText(documentText_, oldRow);
  if (position == -1) return;
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

// The rules document: the whole rules text as read from the working file, and
// the row texts of its "Entities" and "Commands" tables, found by literal
// markers. Line n of a row text holds column n - 4 of the row.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/window_operations.h"
#include "text/text.h"

namespace vantrel {

// Which table an operation addresses; 0 or below means Entities.
enum RowTable : std::int32_t { Entities = 1, Commands = 2 };

class RulesDocument {
 public:
  const Text& documentText() const { return documentText_; }
  const TextArray& entityRows() const { return entityRows_; }
  const TextArray& commandRows() const { return commandRows_; }

  // Reads the file and rebuilds both tables, listing every row key in the
  // list of its table and the Commands rows section in the info box.
  void load(const Text& path, WindowOperations& window);
  // The value on `line` of the selected row of `table` (shown whole in the
  // info box), with the text's entities decoded; empty when nothing is
  // selected (then nothing is shown), for a table above 2, for a <Null /> line
  // and for a line past the end of the row.
  Text getValue(std::int32_t line, std::int32_t table, WindowOperations& window);
  // Sets that value (escaped for the text), updates the document and the row,
  // shows the row in the info box and rewrites the working file, even when
  // nothing changed. Does nothing at all when nothing is selected or for a
  // table above 2.
  void setValue(std::int32_t line, std::int32_t table, const Text& newValue,
                WindowOperations& window);

 private:
  struct SelectedRow {
    TextArray* rows;
    std::vector<std::int32_t>* positions;
    std::int32_t member;  // 1-based
  };
  // The row selected in the table's list; empty rows when there is none.
  SelectedRow selectedRow(std::int32_t table, WindowOperations& window);
  // Replaces oldRow by newRow in documentText_ at position, where oldRow
  // begins; nothing changes when it is not there. The positions of the rows
  // after it move along.
  void replaceRowText(std::int32_t position, const Text& oldRow, const Text& newRow);

  Text documentText_;
  TextArray entityRows_;
  TextArray commandRows_;
  // Where each row text begins in documentText_ (1-based), as cut out at
  // load: a change is made there and nowhere else, and without searching.
  std::vector<std::int32_t> entityRowPositions_;
  std::vector<std::int32_t> commandRowPositions_;
};

}  // namespace vantrel

// The rules document: the whole rules text as read from the working file, and
// the row texts of its "Entities" and "Commands" tables, found by literal
// markers. Line n of a row text holds column n - 4 of the row.
#pragma once

#include <cstdint>

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
  // info box); empty when nothing is selected.
  Text getValue(std::int32_t line, std::int32_t table, WindowOperations& window);
  // Sets that value, updates the document and rewrites the working file.
  // Does nothing when nothing is selected.
  void setValue(std::int32_t line, std::int32_t table, const Text& newValue,
                WindowOperations& window);

 private:
  Text documentText_;
  TextArray entityRows_;
  TextArray commandRows_;
};

}  // namespace vantrel

// A change of one cell that a command has worked out: where it goes, how it is
// shown (TABLE/KEY/COLUMN: OLD -> NEW), and the line of the input it came from.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/rules_tool/patch.h"
#include "rules/named_tables.h"

namespace vantrel {

struct PlannedChange {
  CellChange cell;
  patch::Change shown;
  std::int64_t line = 0;  // of the CSV, patch or argument list; 0 when none
};

struct CellAddress {
  std::size_t table = 0;
  std::size_t row = 0;
  std::int32_t column = 0;
};

// The cell named by table, row key and column name; nullopt and what is
// missing ("no table \"X\"", ...) when there is none.
std::optional<CellAddress> findCell(const TablesDocument& rules, const Text& table, const Text& key,
                                    const Text& column, Text& missing);

// The change of a cell to newValue, shown with the cell's current value.
PlannedChange plannedChange(const TablesDocument& rules, const CellAddress& cell,
                            const Text& newValue, std::int64_t line = 0);

// Writes the changes into rules. nullopt when done; otherwise the change that
// can't be written, and rules is unchanged.
std::optional<PlannedChange> writeChanges(TablesDocument& rules,
                                          const std::vector<PlannedChange>& changes);

// "\"text\"": a name quoted for a message.
Text quotedName(const Text& text);

}  // namespace vantrel

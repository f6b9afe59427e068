// The differences between two rules texts as patch lines, and the changes a
// patch makes to a rules text.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/rules_tool/planned_change.h"
#include "rules/named_tables.h"

namespace vantrel {

// Every changed cell by table, key and column name, in the old text's order,
// then what only one of them has; nothing for identical rules.
std::vector<Text> diffLines(const TablesDocument& oldRules, const TablesDocument& newRules);

struct Conflict {
  std::int64_t line = 0;  // of the patch
  Text message;
};

struct ApplyPlan {
  std::vector<PlannedChange> changes;  // cells that still hold OLD
  std::vector<Conflict> conflicts;     // cells that hold something else, or can't be found
  std::int64_t errorLine = 0;          // a line that is no patch line, when error is set
  Text error;
};

// What applying the patch would change. A cell that already holds NEW is
// neither a change nor a conflict, so a patch can be applied twice.
ApplyPlan planApply(const TablesDocument& rules, std::string_view patchText);

}  // namespace vantrel

#include "app/rules_tool/rules_tool.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/rules_tool/csv_table.h"
#include "app/rules_tool/patch.h"
#include "app/rules_tool/planned_change.h"
#include "app/rules_tool/rules_diff.h"
#include "app/rules_tool/rules_file.h"
#include "archive/paths.h"
#include "archive/working_folder_lock.h"
#include "os/os.h"

namespace vantrel {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct Streams {
  std::ostream& out;
  std::ostream& err;

  int fail(const Text& reason) const {
    err << "vantrel-rules: " << reason << "\n";
    return kFailed;
  }
};

struct Arguments {
  Text archive;
  Text table;
  Text key;
  Text column;
  Text file;  // the CSV or the patch
  Text output;
  Text otherArchive;
  std::vector<Text> assignments;
  bool dryRun = false;
  bool force = false;
};

// Takes the editor's working-folder lock for a command that changes rules, so
// that no editor starts on the working copy meanwhile. False while an editor
// holds it; true, with a null lock, when it can't be taken for another reason
// (then no editor holds it either).
bool lockOutEditor(std::unique_ptr<WorkingFolderLock>& lock, const Streams& streams) {
  bool heldElsewhere = false;
  lock = WorkingFolderLock::acquire(workingFolder(), heldElsewhere);
  if (lock || !heldElsewhere) return true;
  streams.fail("the editor is running; close it first");
  return false;
}

// A file a command reads besides the rules: a CSV or a patch.
bool readInput(const Text& path, Text& text, const Streams& streams) {
  const os::PathFacts facts = os::inspect(path);
  if (!facts.exists || facts.isFolder) {
    streams.fail(path + (facts.exists ? ": is a folder" : ": no such file"));
    return false;
  }
  const Bytes bytes = readWholeFile(path);
  if (bytes.empty() && !os::openForReading(path)) {
    streams.fail(path + ": can't be read");
    return false;
  }
  text.assign(bytes.begin(), bytes.end());
  return true;
}

std::optional<TablesDocument> readRules(const Text& path, RulesFile& file, const Streams& streams) {
  Text error;
  if (!readRulesFile(path, file, error)) {
    streams.fail(error);
    return std::nullopt;
  }
  return TablesDocument(std::move(file.text));
}

const NamedTable* findTable(const TablesDocument& rules, const Arguments& arguments,
                            const Streams& streams) {
  const std::optional<std::size_t> index = rules.tableIndex(arguments.table);
  if (!index) {
    streams.fail("no table " + quotedName(arguments.table) + " in " + arguments.archive);
    return nullptr;
  }
  return &rules.tables()[*index];
}

// Writes the changes into the rules file (unless dryRun), then prints them.
int commitChanges(const RulesFile& file, TablesDocument rules,
                  const std::vector<PlannedChange>& changes, const Text& source, bool dryRun,
                  const Streams& streams) {
  if (const std::optional<PlannedChange> failed = writeChanges(rules, changes)) {
    return streams.fail(
        source + ":" + std::to_string(failed->line) + ": " +
        patch::cellPath(failed->shown.table, failed->shown.key, failed->shown.column) +
        ": the value can't be written so that it reads back");
  }
  if (!dryRun && !changes.empty()) {
    Text error;
    if (!writeRulesFile(file, rules.text(), error)) return streams.fail(error);
  }
  for (const PlannedChange& change : changes)
    streams.out << patch::changeLine(change.shown) << "\n";
  streams.out << "# " << changes.size() << (changes.size() == 1 ? " change" : " changes")
              << (dryRun            ? " (dry run, nothing written)"
                  : changes.empty() ? ", nothing written"
                                    : " written to " + file.path)
              << "\n";
  return kDone;
}

int listTables(const Arguments& arguments, const Streams& streams) {
  RulesFile file;
  const std::optional<TablesDocument> rules = readRules(arguments.archive, file, streams);
  if (!rules) return kFailed;
  if (rules->tables().empty()) return streams.fail(arguments.archive + ": no tables found");
  for (const NamedTable& table : rules->tables()) {
    streams.out << table.name << ": " << table.rows.size() << " rows, " << table.columnNames.size()
                << " columns\n";
  }
  return kDone;
}

int exportCsv(const Arguments& arguments, const Streams& streams) {
  RulesFile file;
  const std::optional<TablesDocument> rules = readRules(arguments.archive, file, streams);
  if (!rules) return kFailed;
  const NamedTable* table = findTable(*rules, arguments, streams);
  if (!table) return kFailed;
  const Text csvText = exportTable(*rules, *table);
  if (arguments.output.empty()) {
    streams.out << csvText;
  } else if (!writeWholeFile(arguments.output, textToBytes(csvText))) {
    return streams.fail("can't write " + arguments.output);
  }
  return kDone;
}

int importCsv(const Arguments& arguments, const Streams& streams) {
  std::unique_ptr<WorkingFolderLock> lock;
  if (!arguments.dryRun && !lockOutEditor(lock, streams)) return kFailed;
  RulesFile file;
  std::optional<TablesDocument> rules = readRules(arguments.archive, file, streams);
  if (!rules) return kFailed;
  const NamedTable* table = findTable(*rules, arguments, streams);
  Text csvText;
  if (!table || !readInput(arguments.file, csvText, streams)) return kFailed;
  const ImportPlan plan = planImport(*rules, *rules->tableIndex(arguments.table), csvText);
  if (!plan.error.empty()) {
    return streams.fail(arguments.file + ":" + std::to_string(plan.errorLine) + ": " + plan.error);
  }
  return commitChanges(file, std::move(*rules), plan.changes, arguments.file, arguments.dryRun,
                       streams);
}

int getValue(const Arguments& arguments, const Streams& streams) {
  RulesFile file;
  const std::optional<TablesDocument> rules = readRules(arguments.archive, file, streams);
  if (!rules) return kFailed;
  Text missing;
  const std::optional<CellAddress> cell =
      findCell(*rules, arguments.table, arguments.key, arguments.column, missing);
  if (!cell) return streams.fail(missing);
  const NamedTable& table = rules->tables()[cell->table];
  streams.out << rules->value(table, table.rows[cell->row], cell->column) << "\n";
  return kDone;
}

int setValues(const Arguments& arguments, const Streams& streams) {
  std::vector<std::pair<Text, Text>> assignments;
  for (const Text& assignment : arguments.assignments) {
    const std::size_t equals = assignment.find('=');
    if (equals == Text::npos || equals == 0) {
      streams.err << "vantrel-rules: set: expected COLUMN=VALUE, not " << quotedName(assignment)
                  << "\n";
      return kUsage;
    }
    assignments.emplace_back(assignment.substr(0, equals), assignment.substr(equals + 1));
  }
  std::unique_ptr<WorkingFolderLock> lock;
  if (!lockOutEditor(lock, streams)) return kFailed;
  RulesFile file;
  std::optional<TablesDocument> rules = readRules(arguments.archive, file, streams);
  if (!rules) return kFailed;
  std::vector<PlannedChange> changes;
  for (std::size_t i = 0; i < assignments.size(); ++i) {
    const auto& [column, value] = assignments[i];
    Text missing;
    const std::optional<CellAddress> cell =
        findCell(*rules, arguments.table, arguments.key, column, missing);
    if (!cell) return streams.fail(missing);
    PlannedChange change = plannedChange(*rules, *cell, value, static_cast<std::int64_t>(i) + 1);
    if (change.shown.oldValue != value) changes.push_back(std::move(change));
  }
  return commitChanges(file, std::move(*rules), changes, "set", false, streams);
}

int diffRules(const Arguments& arguments, const Streams& streams) {
  constexpr int kTrouble = 2;
  RulesFile oldFile;
  RulesFile newFile;
  const std::optional<TablesDocument> oldRules = readRules(arguments.archive, oldFile, streams);
  if (!oldRules) return kTrouble;
  const std::optional<TablesDocument> newRules =
      readRules(arguments.otherArchive, newFile, streams);
  if (!newRules) return kTrouble;
  const std::vector<Text> lines = diffLines(*oldRules, *newRules);
  for (const Text& line : lines) streams.out << line << "\n";
  return lines.empty() ? 0 : 1;
}

int applyPatch(const Arguments& arguments, const Streams& streams) {
  std::unique_ptr<WorkingFolderLock> lock;
  if (!arguments.dryRun && !lockOutEditor(lock, streams)) return kFailed;
  RulesFile file;
  std::optional<TablesDocument> rules = readRules(arguments.archive, file, streams);
  Text patchText;
  if (!rules || !readInput(arguments.file, patchText, streams)) return kFailed;
  const ApplyPlan plan = planApply(*rules, patchText);
  if (!plan.error.empty()) {
    return streams.fail(arguments.file + ":" + std::to_string(plan.errorLine) + ": " + plan.error);
  }
  for (const Conflict& conflict : plan.conflicts) {
    streams.err << arguments.file << ":" << conflict.line << ": "
                << (arguments.force ? "skipped: " : "conflict: ") << conflict.message << "\n";
  }
  if (!plan.conflicts.empty() && !arguments.force) {
    return streams.fail(std::to_string(plan.conflicts.size()) +
                        (plan.conflicts.size() == 1 ? " conflict" : " conflicts") +
                        ", nothing written (--force applies the rest)");
  }
  return commitChanges(file, std::move(*rules), plan.changes, arguments.file, arguments.dryRun,
                       streams);
}

}  // namespace

int runRulesTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  const Streams streams{out, err};
  Arguments arguments;
  CLI::App app{
      "Reads and changes the rules tables of the game's VUVazur.dat.\n"
      "ARCHIVE is a game archive (a ZIP archive holding VUVazur.dat) or a plain "
      "rules text.",
      "vantrel-rules"};
  app.set_version_flag("--version", "vantrel-rules " VANTREL_VERSION_TEXT);
  app.require_subcommand(1);
  const auto archiveOption = [&arguments](CLI::App* command) {
    command->add_option("ARCHIVE", arguments.archive, "the game archive or rules text")->required();
  };
  const auto tableOption = [&arguments](CLI::App* command) {
    command->add_option("TABLE", arguments.table, "the table's name, e.g. Entities")->required();
  };

  CLI::App* tables =
      app.add_subcommand("tables", "List every table with its row and column counts");
  archiveOption(tables);

  CLI::App* exportCommand = app.add_subcommand(
      "export", "Write a table as CSV (UTF-8 with byte-order mark, CR LF line ends)");
  archiveOption(exportCommand);
  tableOption(exportCommand);
  exportCommand->add_option("-o,--output", arguments.output, "write to FILE, not to the output");

  CLI::App* importCommand =
      app.add_subcommand("import", "Change the cells of a table whose values differ in a CSV file");
  archiveOption(importCommand);
  tableOption(importCommand);
  importCommand->add_option("FILE", arguments.file, "the CSV file, as export writes it")
      ->required();
  importCommand->add_flag("--dry-run", arguments.dryRun, "print the changes, write nothing");

  CLI::App* get = app.add_subcommand("get", "Print one value");
  archiveOption(get);
  tableOption(get);
  get->add_option("KEY", arguments.key, "the row's key")->required();
  get->add_option("COLUMN", arguments.column, "the column's name")->required();

  CLI::App* set = app.add_subcommand("set", "Change values of one row");
  archiveOption(set);
  tableOption(set);
  set->add_option("KEY", arguments.key, "the row's key")->required();
  set->add_option("COLUMN=VALUE", arguments.assignments, "the new values")->required();

  CLI::App* diff = app.add_subcommand(
      "diff", "Print every changed cell between two archives or texts, as a patch");
  diff->add_option("OLD", arguments.archive, "the old game archive or rules text")->required();
  diff->add_option("NEW", arguments.otherArchive, "the new game archive or rules text")->required();

  CLI::App* apply = app.add_subcommand(
      "apply", "Apply a patch: change each cell that still holds the patch's old value");
  archiveOption(apply);
  apply->add_option("PATCH", arguments.file, "the patch, as diff prints it")->required();
  apply->add_flag("--dry-run", arguments.dryRun, "print the changes, write nothing");
  apply->add_flag("--force", arguments.force, "apply the changes that apply, skip conflicts");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error, out, err) == 0 ? kDone : kUsage;
  }
  if (tables->parsed()) return listTables(arguments, streams);
  if (exportCommand->parsed()) return exportCsv(arguments, streams);
  if (importCommand->parsed()) return importCsv(arguments, streams);
  if (get->parsed()) return getValue(arguments, streams);
  if (set->parsed()) return setValues(arguments, streams);
  if (diff->parsed()) return diffRules(arguments, streams);
  return applyPatch(arguments, streams);
}

}  // namespace vantrel

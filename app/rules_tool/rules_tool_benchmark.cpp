// The commands of vantrel-rules in process on the sample game archive: export
// and import of the whole Entities table, diff of two archives, apply of a
// 100-change patch; and the same jobs on the text alone, without the archive.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/rules_tool/csv_table.h"
#include "app/rules_tool/patch.h"
#include "app/rules_tool/rules_diff.h"
#include "app/rules_tool/rules_tool.h"
#include "rules/named_tables.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

fs::path gDirectory;
Text gText;         // the sample rules text
Text gEditedCsv;    // Entities with every Health changed (75 cells)
Text gPatch;        // 100 changes of Entities cells
Text gPatchedText;  // the text with the patch applied

fs::path path(const char* name) { return gDirectory / name; }

void writeFile(const fs::path& file, const std::string& contents) {
  std::ofstream(file, std::ios::binary) << contents;
}

int run(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "vantrel-rules");
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  std::ostringstream out;
  std::ostringstream err;
  const int status = runRulesTool(static_cast<int>(argv.size()), argv.data(), out, err);
  benchmark::DoNotOptimize(out.str().size());
  return status;
}

// A fresh copy of the sample archive, outside the timing.
void restoreArchive(benchmark::State& state) {
  state.PauseTiming();
  fs::copy_file(VANTREL_DATA_DIR "/VUVazur.dat", path("VUVazur.dat"),
                fs::copy_options::overwrite_existing);
  state.ResumeTiming();
}

bool prepare() {
  gDirectory = fs::temp_directory_path() / "vantrel_rules_tool_benchmark";
  fs::remove_all(gDirectory);
  fs::create_directories(gDirectory / "temp");
  const std::string temporary = (gDirectory / "temp").string();
#ifdef _WIN32
  _putenv_s("TMP", temporary.c_str());
#else
  setenv("TMPDIR", temporary.c_str(), 1);
#endif
  std::ifstream in(VANTREL_DATA_DIR "/VUVazur.txt", std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  gText = contents.str();
  TablesDocument rules(gText);
  const std::optional<std::size_t> entities = rules.tableIndex("Entities");
  if (!entities) return false;
  const NamedTable& table = rules.tables()[*entities];

  std::vector<CellChange> health;
  for (std::size_t row = 0; row < table.rows.size(); ++row)
    health.push_back({*entities, row, 11, "7777"});
  TablesDocument edited(gText);
  edited.setValues(health);
  gEditedCsv = exportTable(edited, edited.tables()[*entities]);

  std::vector<CellChange> changes;
  for (std::size_t i = 0; i < 100; ++i) {
    const std::size_t row = i % table.rows.size();
    const std::int32_t column = static_cast<std::int32_t>(11 + i / table.rows.size());
    const Text oldValue = rules.value(table, table.rows[row], column);
    changes.push_back({*entities, row, column, oldValue + "1"});
    gPatch += patch::changeLine({"Entities", table.rows[row].key, table.columnNames[column],
                                 oldValue, oldValue + "1"}) +
              "\n";
  }
  TablesDocument patched(gText);
  patched.setValues(changes);
  gPatchedText = patched.text();

  writeFile(path("entities.csv"), gEditedCsv);
  writeFile(path("mod.patch"), gPatch);
  writeFile(path("patched.txt"), gPatchedText);
  fs::copy_file(VANTREL_DATA_DIR "/VUVazur.dat", path("original.dat"));
  fs::copy_file(VANTREL_DATA_DIR "/VUVazur.dat", path("VUVazur.dat"));
  if (run({"apply", path("VUVazur.dat").string(), path("mod.patch").string()}) != 0) return false;
  fs::copy_file(path("VUVazur.dat"), path("patched.dat"));
  return true;
}

// ---- Whole commands, archive included --------------------------------------

void BM_ExportEntitiesCommand(benchmark::State& state) {
  for (auto _ : state) run({"export", path("original.dat").string(), "Entities"});
}
BENCHMARK(BM_ExportEntitiesCommand)->Unit(benchmark::kMillisecond);

void BM_ImportEntitiesCommand(benchmark::State& state) {
  for (auto _ : state) {
    restoreArchive(state);
    if (run({"import", path("VUVazur.dat").string(), "Entities", path("entities.csv").string()}) !=
        0) {
      state.SkipWithError("import failed");
    }
  }
}
BENCHMARK(BM_ImportEntitiesCommand)->Unit(benchmark::kMillisecond);

void BM_DiffCommand(benchmark::State& state) {
  for (auto _ : state) run({"diff", path("original.dat").string(), path("patched.dat").string()});
}
BENCHMARK(BM_DiffCommand)->Unit(benchmark::kMillisecond);

void BM_Apply100ChangesCommand(benchmark::State& state) {
  for (auto _ : state) {
    restoreArchive(state);
    if (run({"apply", path("VUVazur.dat").string(), path("mod.patch").string()}) != 0) {
      state.SkipWithError("apply failed");
    }
  }
}
BENCHMARK(BM_Apply100ChangesCommand)->Unit(benchmark::kMillisecond);

// ---- The same jobs on the text in memory -------------------------------------

void BM_ExportEntitiesText(benchmark::State& state) {
  for (auto _ : state) {
    const TablesDocument rules(gText);
    benchmark::DoNotOptimize(exportTable(rules, rules.tables()[*rules.tableIndex("Entities")]));
  }
}
BENCHMARK(BM_ExportEntitiesText)->Unit(benchmark::kMillisecond);

void BM_ImportEntitiesText(benchmark::State& state) {
  for (auto _ : state) {
    TablesDocument rules(gText);
    const ImportPlan plan = planImport(rules, *rules.tableIndex("Entities"), gEditedCsv);
    benchmark::DoNotOptimize(writeChanges(rules, plan.changes));
  }
}
BENCHMARK(BM_ImportEntitiesText)->Unit(benchmark::kMillisecond);

void BM_DiffText(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(diffLines(TablesDocument(gText), TablesDocument(gPatchedText)));
  }
}
BENCHMARK(BM_DiffText)->Unit(benchmark::kMillisecond);

void BM_Apply100ChangesText(benchmark::State& state) {
  for (auto _ : state) {
    TablesDocument rules(gText);
    const ApplyPlan plan = planApply(rules, gPatch);
    benchmark::DoNotOptimize(writeChanges(rules, plan.changes));
  }
}
BENCHMARK(BM_Apply100ChangesText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  if (!vantrel::prepare()) {
    std::cerr << "rules_tool_benchmark: can't prepare the sample rules in " << vantrel::gDirectory
              << "\n";
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(vantrel::gDirectory);
  return 0;
}

// Loading the rules text and confirming an Entities row, on the sample text
// and on texts with 10 and 100 times as many rows.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "rules/fake_window.h"
#include "rules/rules_document.h"

namespace vantrel {
namespace {

std::filesystem::path gDirectory;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

std::filesystem::path textPath(int factor) {
  return gDirectory / ("rules_x" + std::to_string(factor) + ".txt");
}

// factor - 1 more copies of every row of a table, with new keys, put before
// the table's first row.
std::string replicateRows(std::string text, const TextArray& rows, int factor) {
  if (rows.count() == 0) return text;
  const std::string itemLine = std::string(18, ' ') + "<Item>\r\n";
  const std::string endLine = std::string(18, ' ') + "</Item>\r\n";
  const std::size_t firstRow = text.find(rows.member(1));
  const std::size_t insertAt = text.rfind(itemLine, firstRow);
  std::string copies;
  for (int copy = 1; copy < factor; ++copy) {
    for (std::int32_t i = 1; i <= rows.count(); ++i) {
      // The key line is <Simple value="KEY" />: the key gets a suffix.
      std::string row = rows.member(i);
      const std::size_t keyEnd = row.find('"', row.find('"') + 1);
      std::string suffix = "_";
      suffix += std::to_string(copy);
      row.insert(keyEnd, suffix);
      copies += itemLine + row + "\r\n" + endLine;
    }
  }
  text.insert(insertAt, copies);
  return text;
}

// Writes the sample text and its enlarged copies; false when the sample is missing.
bool writeTexts() {
  const std::string sample = readFile(VANTREL_DATA_DIR "/VUVazur.txt");
  if (sample.empty()) return false;
  RulesDocument document;
  FakeWindow window;
  document.load(VANTREL_DATA_DIR "/VUVazur.txt", window);
  for (const int factor : {1, 10, 100}) {
    // The later table first, so that the earlier table's position stays put.
    const bool entitiesFirst = sample.find(document.entityRows().member(1)) <
                               sample.find(document.commandRows().member(1));
    std::string text = sample;
    if (entitiesFirst) {
      text = replicateRows(text, document.commandRows(), factor);
      text = replicateRows(text, document.entityRows(), factor);
    } else {
      text = replicateRows(text, document.entityRows(), factor);
      text = replicateRows(text, document.commandRows(), factor);
    }
    std::ofstream(textPath(factor), std::ios::binary) << text;
  }
  return true;
}

void BM_Load(benchmark::State& state) {
  const int factor = static_cast<int>(state.range(0));
  const Text path = textPath(factor).string();
  std::int64_t rows = 0;
  for (auto _ : state) {
    auto document = std::make_unique<RulesDocument>();
    auto window = std::make_unique<FakeWindow>();
    document->load(path, *window);
    rows = document->entityRows().count() + document->commandRows().count();
    benchmark::DoNotOptimize(rows);
    // Releasing the document is not part of loading it.
    state.PauseTiming();
    document.reset();
    window.reset();
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.SetComplexityN(factor);
}
// To compare the sizes, run each in its own process (--benchmark_filter=BM_Load/100$):
// in one process glibc's malloc adapts its thresholds to the smaller sizes run
// first, and the 100x run then pays extra page faults that are not loading.
BENCHMARK(BM_Load)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Complexity();

// The eighteen setValue calls with which the window confirms an Entities row.
void BM_ConfirmEntityRow(benchmark::State& state) {
  constexpr std::int32_t kLines[] = {15, 17, 19, 47, 27, 56, 57, 58, 59,
                                     60, 61, 62, 63, 64, 65, 77, 78, 79};
  RulesDocument document;
  FakeWindow window;
  document.load(textPath(1).string(), window);
  window.select(kEntityList, 0);
  std::vector<Text> values;
  for (const std::int32_t line : kLines)
    values.push_back(document.getValue(line, Entities, window));
  bool changed = false;
  for (auto _ : state) {
    values[0] = changed ? "5000" : "6000";  // the user changed one box
    changed = !changed;
    for (std::size_t i = 0; i < std::size(kLines); ++i) {
      document.setValue(kLines[i], Entities, values[i], window);
    }
    window.clearCalls();
  }
}
BENCHMARK(BM_ConfirmEntityRow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  using vantrel::gDirectory;
  gDirectory = std::filesystem::temp_directory_path() / "vantrel_rules_benchmark";
  std::filesystem::remove_all(gDirectory);
  std::filesystem::create_directories(gDirectory / "VUVazur.dat");
  // The working file that every setValue rewrites lands here.
  setenv("TMPDIR", gDirectory.string().c_str(), 1);
  if (!vantrel::writeTexts()) {
    std::cerr << "missing sample rules text " VANTREL_DATA_DIR "/VUVazur.txt\n";
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(gDirectory);
  return 0;
}

// Throughput of the operations that run over the whole rules text.
#include <benchmark/benchmark.h>

#include "text/markers.h"
#include "text/text.h"

namespace vantrel {
namespace {

const Text& rulesText() {
  static const Text text = bytesToText(readWholeFile(VANTREL_DATA_DIR "/VUVazur.txt"));
  return text;
}

// Skips the benchmark when the sample rules text is missing.
bool haveRulesText(benchmark::State& state) {
  if (!rulesText().empty()) return true;
  state.SkipWithError("data/VUVazur.txt is missing");
  return false;
}

void reportBytes(benchmark::State& state, const Text& text) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * textLength(text));
}

// range(0): 1 looks for the text's last 60 bytes, 0 for a marker that is absent.
// range(1): 1 searches without regard to case.
void BM_FindText(benchmark::State& state) {
  if (!haveRulesText(state)) return;
  const Text& text = rulesText();
  const Text sought = state.range(0) ? textRight(text, 60) : Text("<Absent marker />");
  const bool caseInsensitive = state.range(1) != 0;
  std::int32_t found = 0;
  for (auto _ : state) {
    found = findText(text, sought, 1, caseInsensitive);
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = found;
  reportBytes(state, text);
}
BENCHMARK(BM_FindText)->ArgsProduct({{1, 0}, {0, 1}})->ArgNames({"nearEnd", "ci"});

// The last occurrence of a line that the text has near its beginning.
void BM_FindTextReverse(benchmark::State& state) {
  if (!haveRulesText(state)) return;
  const Text& text = rulesText();
  std::int32_t found = 0;
  for (auto _ : state) {
    found = findTextReverse(text, "<Dictionary name=\"Tables\"");
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = found;
  reportBytes(state, text);
}
BENCHMARK(BM_FindTextReverse);

// A text as long as the rules text, made of two-byte characters with a
// one-byte character after every third, where the walk pairs bytes all along.
// The sought text is absent, but its last byte is everywhere.
void BM_FindTextDoubleByte(benchmark::State& state) {
  Text text;
  while (text.size() < 773'317) text += "\xB0\xA1\xC4\xE3\xBA\xC3x";
  const Text sought = "Ax";
  std::int32_t found = 0;
  for (auto _ : state) {
    found = findText(text, sought);
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = found;
  reportBytes(state, text);
}
BENCHMARK(BM_FindTextDoubleByte);

// The whole text between spaces, so that the walk for trailing blanks runs over all of it.
void BM_TrimSpaces(benchmark::State& state) {
  if (!haveRulesText(state)) return;
  const Text text = "  " + rulesText() + "  ";
  for (auto _ : state) {
    Text result = trimSpaces(text);
    benchmark::DoNotOptimize(result.data());
  }
  reportBytes(state, text);
}
BENCHMARK(BM_TrimSpaces);

void BM_ReplaceText(benchmark::State& state) {
  if (!haveRulesText(state)) return;
  const Text& text = rulesText();
  for (auto _ : state) {
    Text result = replaceText(text, "<Null />", "<Simple value=\"0\" />", true);
    benchmark::DoNotOptimize(result.data());
  }
  reportBytes(state, text);
}
BENCHMARK(BM_ReplaceText)->Unit(benchmark::kMillisecond);

void BM_CollectBetweenRows(benchmark::State& state) {
  if (!haveRulesText(state)) return;
  const Text& text = rulesText();
  TextArray rows;
  std::int32_t count = 0;
  for (auto _ : state) {
    count = collectBetween(text, " <Item>", " </Item>", rows);
    benchmark::DoNotOptimize(count);
  }
  state.counters["rows"] = count;
  reportBytes(state, text);
}
BENCHMARK(BM_CollectBetweenRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();

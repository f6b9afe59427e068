// The byte-text operations against the plain character walk, on texts and
// arguments made from the fuzzer's bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

#include "text/reference_walk.h"
#include "text/text.h"

namespace vantrel {
namespace {

void expect(bool holds) {
  if (!holds) std::abort();
}

}  // namespace
}  // namespace vantrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel;
  FuzzedDataProvider input(data, size);
  const bool caseFlag = input.ConsumeBool();
  const auto start = input.ConsumeIntegral<std::int32_t>();
  const Text sought = input.ConsumeRandomLengthString(16);
  const Text replacement = input.ConsumeRandomLengthString(8);
  const Text text = input.ConsumeRemainingBytesAsString();

  expect(findText(text, sought, start, caseFlag) == referenceFind(text, sought, start, caseFlag));
  expect(findTextReverse(text, sought, start, caseFlag) ==
         referenceFindReverse(text, sought, start, caseFlag));
  expect(replaceText(text, sought, replacement, caseFlag) ==
         referenceReplace(text, sought, replacement, caseFlag));
  expect(trimSpaces(text) == referenceTrim(text));
  const TextArray pieces = splitText(text, sought);
  std::vector<Text> members;
  for (std::int32_t n = 1; n <= pieces.count(); ++n) members.push_back(pieces.member(n));
  expect(members == referenceSplit(text, sought));
  return 0;
}

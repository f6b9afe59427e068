// The searching operations of the text engine written as a plain walk, one
// character at a time, with nothing clever: what the real operations are
// checked against (differential tests and fuzzing).
#pragma once

#include <cstdint>
#include <vector>

#include "text/text.h"

namespace vantrel {

std::int32_t referenceFind(const Text& text, const Text& sought, std::int32_t start,
                           bool caseInsensitive);
std::int32_t referenceFindReverse(const Text& text, const Text& sought, std::int32_t start,
                                  bool caseInsensitive);
Text referenceTrim(const Text& text);
Text referenceReplace(const Text& text, const Text& oldText, const Text& newText,
                      bool caseSensitive);
std::vector<Text> referenceSplit(const Text& text, const Text& delimiter);

}  // namespace vantrel

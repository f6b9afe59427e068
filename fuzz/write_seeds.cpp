// Writes the starting inputs of the rules document fuzzer into a folder:
// small rules texts in the game's layout, each behind a script of edits.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "rules/rules_text_builder.h"

using namespace vantrel;
using namespace vantrel::testing;

namespace {

// One step of a script: table, selection, line, then the value.
std::string step(char table, char selection, char line, const std::string& value) {
  return std::string{table, selection, line, static_cast<char>(value.size())} + value;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const SampleTable entities{"Entities",
                             {{"Tower", {"5000", std::nullopt, "a&amp;b", "&#x4E2D;", "e"}},
                              {"Farm", {"1", "2", "3", "4", "5"}}}};
  const SampleTable commands{"Commands", {{"Sword", {"10", std::nullopt, "melee"}}}};
  const SampleTable copies{"Copies", {entities.rows[1]}};
  const std::string script = step(1, 0, 5, "6000") + step(1, 1, 6, "\xE4\xB8\xAD\"") +
                             step(2, 0, 6, "<x>") + step(1, 0, 6, "7") + step(1, 0, 8, "\r\n");
  const std::vector<std::string> texts = {
      buildRulesText({commands, entities}),
      buildRulesText({entities, commands}),
      buildRulesText({copies, entities}),
      buildRulesText({entities}),
  };
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string path = std::string(argv[1]) + "/rules_" + std::to_string(i);
    std::ofstream(path, std::ios::binary) << script << '\0' << texts[i];
  }
  return 0;
}

#include "app/rules_tool/patch.h"

#include <gtest/gtest.h>

namespace vantrel::patch {
namespace {

TEST(PatchTest, ChangeLinesQuoteOnlyWhatWouldBeAmbiguousAndReadBack) {
  const struct {
    Change change;
    Text line;
  } cases[] = {
      {{"Entities", "unit_tank", "Health", "500", "550"}, "Entities/unit_tank/Health: 500 -> 550"},
      {{"Entities", "k", "Icon", "icons/a.png", "a b"}, "Entities/k/Icon: icons/a.png -> a b"},
      {{"Entities", "k", "Name", "", "x"}, "Entities/k/Name: \"\" -> x"},
      {{"Entities", "a/b", "C", "1", ""}, "Entities/\"a/b\"/C: 1 -> \"\""},
      {{"T", "k", "C", "x -> y", "a: b"}, "T/k/C: \"x -> y\" -> \"a: b\""},
      {{"T", "k", "C", " padded", "\"quoted\""}, "T/k/C: \" padded\" -> \"\\\"quoted\\\"\""},
      {{"T", "k", "C", "two\r\nlines\t\x01", "a\\b"}, "T/k/C: \"two\\r\\nlines\\t\\x01\" -> a\\b"},
      {{"T", "k", "C", "<a & \"b\">", "中文"}, "T/k/C: <a & \"b\"> -> 中文"},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(changeLine(each.change), each.line);
    const Line parsed = parseLine(each.line);
    ASSERT_EQ(parsed.kind, Line::kChange) << each.line;
    EXPECT_EQ(parsed.change.table, each.change.table);
    EXPECT_EQ(parsed.change.key, each.change.key);
    EXPECT_EQ(parsed.change.column, each.change.column);
    EXPECT_EQ(parsed.change.oldValue, each.change.oldValue) << each.line;
    EXPECT_EQ(parsed.change.newValue, each.change.newValue) << each.line;
  }
}

TEST(PatchTest, KindsOfLines) {
  const struct {
    Text line;
    Line::Kind kind;
  } cases[] = {
      {rowOrTableOnlyLine("Entities", Text("unit_new"), false), Line::kPresence},
      {rowOrTableOnlyLine("Loot", std::nullopt, true), Line::kPresence},
      {columnOnlyLine("Entities", "Armor", false), Line::kPresence},
      {"", Line::kComment},
      {"# 3 changes written to VUVazur.dat", Line::kComment},
      {"Entities/k/C: 1 ->", Line::kMalformed},
      {"Entities/k/C: 1 -> 2 -> 3", Line::kChange},  // NEW is the rest of the line
      {"Entities/k/C 1 -> 2", Line::kMalformed},
      {"Entities/k: 1 -> 2", Line::kMalformed},
      {"Entities/k/C/D: 1 -> 2", Line::kMalformed},
      {"Entities/k/C: \"1 -> 2", Line::kMalformed},
      {"Entities/k/C: \"\\q\" -> 2", Line::kMalformed},
      {"Entities/k/C: \"1\"x -> 2", Line::kMalformed},
      {"3 changes written", Line::kMalformed},
  };
  for (const auto& each : cases) EXPECT_EQ(parseLine(each.line).kind, each.kind) << each.line;
  EXPECT_EQ(rowOrTableOnlyLine("Entities", Text("unit_new"), false),
            "Entities/unit_new: only in NEW");
  EXPECT_EQ(columnOnlyLine("Entities", "Armor", true), "Entities: column Armor only in OLD");
}

}  // namespace
}  // namespace vantrel::patch

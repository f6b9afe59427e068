#include "rules/named_tables.h"

#include <gtest/gtest.h>

#include "rules/row_tables.h"
#include "rules/rules_test_fixture.h"
#include "rules/rules_text_builder.h"

namespace vantrel::testing {
namespace {

const Text kSamplePath = VANTREL_DATA_DIR "/VUVazur.txt";

TEST(NamedTablesTest, SampleListsEveryTableWithItsRowsAndColumns) {
  const TablesDocument document(readWholeFileAsText(kSamplePath));
  struct Expected {
    Text name;
    std::size_t rows;
    std::size_t columns;
  };
  const Expected expected[] = {
      {"TableIndex", 6, 5}, {"Factions", 4, 14},   {"Commands", 59, 122}, {"Projectiles", 21, 12},
      {"Effects", 14, 9},   {"Entities", 75, 121}, {"Upgrades", 10, 18},  {"Strings", 29, 4},
  };
  ASSERT_EQ(document.tables().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const NamedTable& table = document.tables()[i];
    EXPECT_EQ(table.name, expected[i].name);
    EXPECT_EQ(table.rows.size(), expected[i].rows) << table.name;
    EXPECT_EQ(table.columnNames.size(), expected[i].columns) << table.name;
  }
}

TEST(NamedTablesTest, SampleRowsAreTheRowTextsOfTheRulesDocument) {
  RulesDocument rules;
  FakeWindow window;
  rules.load(kSamplePath, window);
  const TablesDocument document(rules.documentText());
  const struct {
    Text table;
    const TextArray& rows;
  } cases[] = {{"Entities", rules.entityRows()}, {"Commands", rules.commandRows()}};
  for (const auto& each : cases) {
    const NamedTable& table = document.tables()[*document.tableIndex(each.table)];
    ASSERT_EQ(table.rows.size(), static_cast<std::size_t>(each.rows.count())) << each.table;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
      const TableRow& row = table.rows[i];
      const Text rowText = each.rows.member(static_cast<std::int32_t>(i) + 1);
      EXPECT_EQ(document.text().substr(row.offset, row.length), rowText);
      EXPECT_EQ(row.key, rowKey(rowText));
    }
  }
  const NamedTable& entities = document.tables()[*document.tableIndex("Entities")];
  EXPECT_EQ(entities.columnNames.front(), "Key");
  window.select(kEntityList, 0);
  EXPECT_EQ(document.value(entities, entities.rows[0], 11), rules.getValue(15, Entities, window));
}

// The same edit through the window's document and through the named tables.
struct SameEdit {
  const char* what;
  std::int32_t table;
  std::int32_t selection;
  std::int32_t line;
  Text value;
};

class SameEditTest : public RulesDocumentFixture {};

TEST_F(SameEditTest, ChangingAValueGivesTheSameTextAsTheWindow) {
  const SameEdit edits[] = {
      {"number", Entities, 0, 15, "6000"},
      {"last row", Entities, 74, 15, "6543"},
      {"commands", Commands, 58, 5, "77777"},
      {"markup characters", Entities, 3, 20, "a\"<b>&c'"},
      {"Chinese", Entities, 5, 17, "中文"},
      {"one Chinese character after ASCII", Entities, 5, 18, "a中"},
      {"empty", Entities, 6, 15, ""},
      {"line break", Commands, 0, 6, "x\r\ny"},
      {"unchanged", Entities, 1, 15, "5000"},
  };
  for (const SameEdit& edit : edits) {
    SCOPED_TRACE(edit.what);
    RulesDocument rules;
    FakeWindow window;
    rules.load(kSamplePath, window);
    window.select(edit.table == Entities ? kEntityList : kCommandList, edit.selection);
    TablesDocument document(rules.documentText());
    rules.setValue(edit.line, edit.table, edit.value, window);

    const std::size_t table =
        *document.tableIndex(edit.table == Entities ? "Entities" : "Commands");
    ASSERT_EQ(document.setValues(
                  {{table, static_cast<std::size_t>(edit.selection), edit.line - 4, edit.value}}),
              std::nullopt);
    EXPECT_EQ(document.text(), rules.documentText());
    EXPECT_EQ(document.value(document.tables()[table],
                             document.tables()[table].rows[edit.selection], edit.line - 4),
              edit.value);
  }
}

SampleTable lootTable() {
  return {"Loot",
          {{"chest", {"gold", std::nullopt, "3"}},
           {"barrel", {"ale", "2", std::nullopt}},
           {"crate", {"iron", "5", "1"}}}};
}

TEST(NamedTablesTest, FindsTablesOfAnyNameAndLeavesOutOnesOfAnotherLayout) {
  Text tabbed = buildRulesText({{"Tabbed", {{"a", {"1"}}}}});
  tabbed.replace(tabbed.find("    <Item>\r\n                    <Simple value=\"a\""), 4, "\t");
  const Text text =
      buildRulesText({lootTable(), {"Empty", {}}, {"A&amp;B", {{"k", {"v"}}}}}) + tabbed;
  const TablesDocument document(text);
  ASSERT_EQ(document.tables().size(), 3u);
  const NamedTable& loot = document.tables()[0];
  EXPECT_EQ(loot.name, "Loot");
  EXPECT_EQ(loot.columnNames, (std::vector<Text>{"Column0", "Column1", "Column2", "Column3"}));
  ASSERT_EQ(loot.rows.size(), 3u);
  EXPECT_EQ(loot.rows[2].key, "crate");
  EXPECT_EQ(loot.rowIndex("barrel"), 1u);
  EXPECT_EQ(loot.rowIndex("none"), std::nullopt);
  EXPECT_EQ(loot.columnNumber("Column2"), 2);
  EXPECT_EQ(document.rowValues(loot, loot.rows[0]), (std::vector<Text>{"chest", "gold", "", "3"}));
  EXPECT_EQ(document.tables()[1].name, "Empty");
  EXPECT_TRUE(document.tables()[1].rows.empty());
  EXPECT_EQ(document.tables()[2].name, "A&B");
  EXPECT_EQ(document.tableIndex("Tabbed"), std::nullopt);
}

TEST(NamedTablesTest, SetValuesChangesOnlyThoseLinesAtOnce) {
  const Text text = buildRulesText({lootTable()});
  TablesDocument document(text);
  ASSERT_EQ(document.setValues({{0, 0, 1, "silver"},
                                {0, 2, 3, "9"},
                                {0, 1, 3, "4"},  // a <Null /> cell gets a value
                                {0, 0, 1, "copper"}}),
            std::nullopt);
  const std::vector<std::string> before = linesOf(text);
  const std::vector<std::string> after = linesOf(document.text());
  ASSERT_EQ(before.size(), after.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) changed.push_back(after[i]);
  }
  const std::string indent(24, ' ');
  EXPECT_EQ(changed, (std::vector<std::string>{indent + "<Simple value=\"copper\" />",
                                               indent + "<Simple value=\"4\" />",
                                               indent + "<Simple value=\"9\" />"}));
  const NamedTable& loot = document.tables()[0];
  EXPECT_EQ(document.value(loot, loot.rows[0], 1), "copper");
}

TEST(NamedTablesTest, AValueThatCantBeWrittenChangesNothing) {
  const Text text = buildRulesText({lootTable()});
  struct Case {
    const char* what;
    CellChange change;
  };
  const Case cases[] = {
      {"column past the row", {0, 0, 4, "x"}}, {"past the end of the row", {0, 0, 9, "x"}},
      {"no such row", {0, 3, 1, "x"}},         {"no such table", {1, 0, 1, "x"}},
      {"negative column", {0, 0, -1, "x"}},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.what);
    TablesDocument document(text);
    // A good change before the bad one is not written either.
    EXPECT_EQ(document.setValues({{0, 1, 1, "wine"}, each.change}), 1u);
    EXPECT_EQ(document.text(), text);
  }
}

}  // namespace
}  // namespace vantrel::testing

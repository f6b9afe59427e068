#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "rules/rules_test_fixture.h"
#include "rules/rules_text_builder.h"

namespace vantrel::testing {
namespace {

const Text kSamplePath = VANTREL_DATA_DIR "/VUVazur.txt";

Text readSample() {
  std::ifstream in(kSamplePath, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

Text valueOfLine(const std::string& line) {
  const std::size_t start = line.find("value=\"") + 7;
  return line.substr(start, line.find('"', start) - start);
}

// The row keys of a table, read line by line from its rows dictionary.
std::vector<Text> keysOfTable(const Text& text, const Text& tableName) {
  const std::vector<std::string> lines = linesOf(text);
  const std::string nameLine = Text(10, ' ') + "<Simple value=\"" + tableName + "\" />";
  std::size_t i = 0;
  while (i < lines.size() && lines[i] != nameLine) ++i;
  while (i < lines.size() && lines[i].rfind(Text(14, ' ') + "<Dictionary name=\"Rows\"", 0) != 0) {
    ++i;
  }
  std::vector<Text> keys;
  for (; i + 1 < lines.size() && lines[i] != Text(14, ' ') + "</Dictionary>"; ++i) {
    if (lines[i] == Text(18, ' ') + "<Item>") keys.push_back(valueOfLine(lines[i + 1]));
  }
  return keys;
}

std::vector<Text> membersOf(const TextArray& rows) {
  std::vector<Text> members;
  for (std::int32_t i = 1; i <= rows.count(); ++i) members.push_back(rows.member(i));
  return members;
}

class SampleRulesTest : public RulesDocumentFixture {
 protected:
  void SetUp() override {
    RulesDocumentFixture::SetUp();
    sample = readSample();
    ASSERT_FALSE(sample.empty()) << "missing sample rules text " << kSamplePath;
    document.load(kSamplePath, window);
  }
  Text sample;
};

TEST_F(SampleRulesTest, ListsEveryRowKeyInDocumentOrder) {
  EXPECT_EQ(document.documentText(), sample);
  EXPECT_EQ(window.items(kEntityList).size(), 75u);
  EXPECT_EQ(window.items(kCommandList).size(), 59u);
  EXPECT_EQ(window.items(kEntityList), keysOfTable(sample, "Entities"));
  EXPECT_EQ(window.items(kCommandList), keysOfTable(sample, "Commands"));
}

TEST_F(SampleRulesTest, EveryRowTextIsAWholeRowFoundOnceInTheText) {
  const struct {
    const TextArray& rows;
    const char* list;
  } tables[] = {{document.entityRows(), kEntityList}, {document.commandRows(), kCommandList}};
  for (const auto& table : tables) {
    ASSERT_EQ(static_cast<std::size_t>(table.rows.count()), window.items(table.list).size());
    for (std::int32_t i = 1; i <= table.rows.count(); ++i) {
      const Text row = table.rows.member(i);
      const Text key = window.items(table.list)[i - 1];
      SCOPED_TRACE(Text(table.list) + " row " + std::to_string(i) + " " + key);
      const std::vector<std::string> lines = linesOf(row);
      ASSERT_GE(lines.size(), 6u);
      EXPECT_EQ(lines[0], Text(20, ' ') + "<Simple value=\"" + key + "\" />");
      EXPECT_EQ(lines[3], Text(24, ' ') + "<Simple value=\"" + key + "\" />");
      EXPECT_EQ(lines[lines.size() - 2], Text(22, ' ') + "</Items>");
      EXPECT_EQ(lines.back(), Text(20, ' ') + "</SingleArray>");
      EXPECT_EQ(occurrences(sample, row), 1);
    }
  }
}

TEST_F(SampleRulesTest, InfoBoxHoldsTheCommandsRowsPart) {
  const Text rowsStart = Text(16, ' ') + "<Items>";
  const std::size_t table = sample.find("\n" + Text(10, ' ') + "<Simple value=\"Commands\" />\r\n");
  const std::size_t rows = sample.find("<Dictionary name=\"Rows\"", table);
  const std::size_t start = sample.find(rowsStart, rows) + rowsStart.size();
  const std::size_t end = sample.find(Text(20, ' ') + "</SingleArray>\r\n" + Text(18, ' ') +
                                          "</Item>\r\n" + Text(16, ' ') + "</Items>",
                                      start);
  ASSERT_NE(table, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(window.editText(kInfoBox), sample.substr(start, end - start));
}

// Small hand-made rules texts.
const SampleTable kCommands{"Commands",
                            {{"Sword", {"10", std::nullopt, "melee"}},
                             {"Bow", {"20", "7", "ranged"}},
                             {"Fire", {"30", "9", std::nullopt}}}};
const SampleTable kEntities{
    "Entities", {{"Tower", {"400", "", "5000"}}, {"Farm", {"100", std::nullopt, "800"}}}};
const SampleTable kSingleRowEntities{"Entities", {{"Hall", {"1", "2", "3"}}}};
const SampleTable kOtherTable{"Techs", {{"Iron", {"1", "2", "3"}}}};

const std::vector<Text> kCommandKeys = {"Sword", "Bow", "Fire"};
const std::vector<Text> kEntityKeys = {"Tower", "Farm"};

Text withLfLineEnds(Text text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

Text withTabIndentation(const Text& text) {
  Text result;
  for (const std::string& line : linesOf(text)) {
    const std::size_t spaces = line.find_first_not_of(' ');
    const std::size_t indent = spaces == std::string::npos ? 0 : spaces;
    result += Text(indent / 2, '\t') + line.substr(indent) + "\r\n";
  }
  return result;
}

// What follows the rows dictionary's <Items> line, up to the table end marker,
// which begins at the last row's </SingleArray> line.
Text rowsPartOf(const SampleTable& table) {
  Text part = "\r\n";
  for (const SampleRow& row : table.rows) part += rowLines(row);
  return part.substr(0, part.rfind(Text(20, ' ') + "</SingleArray>"));
}

struct LayoutCase {
  const char* name;
  Text text;
  std::vector<Text> entityKeys;
  std::vector<Text> commandKeys;
};

class RulesLoadTest : public RulesDocumentFixture {};

TEST_F(RulesLoadTest, ListsTheRowsOfTheTablesPresent) {
  const Text both = buildRulesText({kOtherTable, kCommands, kEntities, kOtherTable});
  const LayoutCase cases[] = {
      {"commands before entities", both, kEntityKeys, kCommandKeys},
      {"entities before commands", buildRulesText({kEntities, kCommands}), kEntityKeys,
       kCommandKeys},
      {"entities only", buildRulesText({kOtherTable, kEntities}), kEntityKeys, {}},
      {"commands only", buildRulesText({kCommands, kOtherTable}), {}, kCommandKeys},
      {"one row", buildRulesText({kSingleRowEntities}), {"Hall"}, {}},
      {"neither table", buildRulesText({kOtherTable}), {}, {}},
      {"LF line ends", withLfLineEnds(both), {}, {}},
      {"tab indentation", withTabIndentation(both), {}, {}},
      {"empty text", "", {}, {}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    RulesDocument fresh;
    FakeWindow freshWindow;
    const std::filesystem::path source = directory_ / "layout.txt";
    std::ofstream(source, std::ios::binary) << c.text;
    fresh.load(source.string(), freshWindow);
    EXPECT_EQ(freshWindow.items(kEntityList), c.entityKeys);
    EXPECT_EQ(freshWindow.items(kCommandList), c.commandKeys);
    EXPECT_EQ(fresh.entityRows().count(), static_cast<std::int32_t>(c.entityKeys.size()));
    EXPECT_EQ(fresh.commandRows().count(), static_cast<std::int32_t>(c.commandKeys.size()));
    EXPECT_EQ(fresh.documentText(), c.text);
  }
}

TEST_F(RulesLoadTest, StoresEveryRowTheLastIncludedInTheSameForm) {
  loadText(buildRulesText({kCommands, kEntities}));
  std::vector<Text> expectedEntities, expectedCommands;
  for (const SampleRow& row : kEntities.rows) expectedEntities.push_back(expectedRowText(row));
  for (const SampleRow& row : kCommands.rows) expectedCommands.push_back(expectedRowText(row));
  EXPECT_EQ(membersOf(document.entityRows()), expectedEntities);
  EXPECT_EQ(membersOf(document.commandRows()), expectedCommands);
}

TEST_F(RulesLoadTest, CallsTheWindowInOrder) {
  loadText(buildRulesText({kCommands, kEntities}));
  std::vector<WindowCall> expected = {
      {"insertListItem", kEntityList, "Tower", 0},
      {"insertListItem", kEntityList, "Farm", 1},
      {"setEditText", kInfoBox, rowsPartOf(kCommands)},
      {"insertListItem", kCommandList, "Sword", 0},
      {"insertListItem", kCommandList, "Bow", 1},
      {"insertListItem", kCommandList, "Fire", 2},
  };
  std::vector<WindowCall> made;
  for (const WindowCall& call : window.calls()) {
    if (call.operation != "processPendingEvents") made.push_back(call);
  }
  EXPECT_EQ(made, expected);
  // Waiting events are handled while the rows are cut out.
  EXPECT_GT(window.pendingEventPumps(), 0);
  EXPECT_TRUE(window.messages().empty());
}

// Nothing to load: no file, or a rules text larger than the program's
// positions reach (its rows are whole, but it is refused before reading).
TEST_F(RulesLoadTest, MissingOrTooLargeFileLeavesEverythingEmpty) {
  const std::filesystem::path tooLarge = directory_ / "too_large.txt";
  std::ofstream(tooLarge, std::ios::binary) << buildRulesText({kCommands, kEntities});
  std::filesystem::resize_file(tooLarge, static_cast<std::uintmax_t>(kLargestText) + 1);
  for (const std::filesystem::path& path : {directory_ / "absent.txt", tooLarge}) {
    SCOPED_TRACE(path.string());
    RulesDocument fresh;
    FakeWindow freshWindow;
    fresh.load(path.string(), freshWindow);
    EXPECT_TRUE(fresh.documentText().empty());
    EXPECT_EQ(fresh.entityRows().count(), 0);
    EXPECT_EQ(fresh.commandRows().count(), 0);
    EXPECT_TRUE(freshWindow.items(kEntityList).empty());
    EXPECT_TRUE(freshWindow.items(kCommandList).empty());
    EXPECT_EQ(freshWindow.editText(kInfoBox), "");
    EXPECT_TRUE(freshWindow.messages().empty());
  }
}

}  // namespace
}  // namespace vantrel::testing

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "os/os.h"
#include "rules/rules_test_fixture.h"
#include "rules/rules_text_builder.h"

namespace vantrel::testing {
namespace {

const Text kSamplePath = VANTREL_DATA_DIR "/VUVazur.txt";

class SampleValueTest : public RulesDocumentFixture {
 protected:
  void SetUp() override {
    RulesDocumentFixture::SetUp();
    document.load(kSamplePath, window);
    ASSERT_EQ(document.entityRows().count(), 75) << "sample rules text " << kSamplePath;
  }
};

TEST_F(SampleValueTest, ReadsTheFirstEntityRowsColumnEleven) {
  window.select(kEntityList, 0);
  EXPECT_EQ(document.getValue(15, Entities, window), "5000");
  EXPECT_EQ(window.editText(kInfoBox), document.entityRows().member(1));
}

struct SampleEdit {
  std::int32_t table;
  std::int32_t selection;
  std::int32_t line;
  Text value;
};

TEST_F(SampleValueTest, SetValueChangesThatOneLineAndRewritesTheWorkingFile) {
  const SampleEdit edits[] = {
      {Entities, 0, 15, "6000"},
      {Entities, 74, 15, "6543"},  // the last row of the table
      {Commands, 58, 5, "77777"},
  };
  const Text original = document.documentText();
  for (const SampleEdit& edit : edits) {
    SCOPED_TRACE("table " + std::to_string(edit.table) + " row " + std::to_string(edit.selection) +
                 " line " + std::to_string(edit.line));
    RulesDocument fresh;
    FakeWindow freshWindow;
    fresh.load(kSamplePath, freshWindow);
    freshWindow.select(edit.table == Entities ? kEntityList : kCommandList, edit.selection);

    fresh.setValue(edit.line, edit.table, edit.value, freshWindow);

    EXPECT_EQ(fresh.getValue(edit.line, edit.table, freshWindow), edit.value);
    const std::vector<std::string> before = linesOf(original);
    const std::vector<std::string> after = linesOf(fresh.documentText());
    ASSERT_EQ(before.size(), after.size());
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (before[i] != after[i]) changed.push_back(i);
    }
    ASSERT_EQ(changed.size(), 1u);
    const std::string& line = after[changed[0]];
    EXPECT_EQ(line.substr(line.find('<')), "<Simple value=\"" + edit.value + "\" />");
    EXPECT_EQ(line.find('<'), before[changed[0]].find('<'));
    EXPECT_EQ(workingFileText(), fresh.documentText());
    const TextArray& rows = edit.table == Entities ? fresh.entityRows() : fresh.commandRows();
    EXPECT_EQ(occurrences(fresh.documentText(), rows.member(edit.selection + 1)), 1);
  }
}

// A small text whose Entities rows hold values that trip up a plain replacement.
SampleTable editableEntities() {
  return {"Entities",
          {{"Tower",
            {/* 5 */ "e", /* 6 */ "a", /* 7 */ " ", /* 8 */ "200", /* 9 */ std::nullopt,
             /* 10 */ "a&amp;b", /* 11 */ "&apos;x&#10;", /* 12 */ "Simple",
             /* 13 */ "&amp;lt;", /* 14 */ "5000"}},
           {"Farm", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
           {"Keep", {"k", std::nullopt, "k", "k", "k", "k", "k", "k", "k", "5000"}}}};
}
SampleTable editableCommands() {
  return {"Commands", {{"Sword", {"10", std::nullopt, "melee"}}, {"Bow", {"20", "7", "ranged"}}}};
}

class RulesValueTest : public RulesDocumentFixture {
 protected:
  // Loads the editable text afresh, forgetting earlier calls and writes.
  void reload() {
    std::filesystem::remove(workingFilePath());
    document = RulesDocument();
    window = FakeWindow();
    entities = editableEntities();
    commands = editableCommands();
    loadText(buildRulesText({commands, entities}));
    window.clearCalls();
  }
  Text expectedText() const { return buildRulesText({commands, entities}); }

  SampleTable entities;
  SampleTable commands;
};

struct ValueEdit {
  std::int32_t row;  // 0-based
  std::int32_t line;
  Text value;
  std::optional<Text> expectedRaw;  // what the text then holds; nullopt: <Null />
};

TEST_F(RulesValueTest, SetValueWritesJustTheValueEscaped) {
  const ValueEdit edits[] = {
      {0, 5, "x", "x"},  // a value that is also a letter of "Simple" and "value"
      {0, 6, "b", "b"},
      {0, 7, "1", "1"},  // a space
      {0, 12, "value", "value"},
      {0, 8, "", ""},    // emptied by the user
      {0, 9, "7", "7"},  // a <Null /> column takes a value
      {0, 9, "", std::nullopt},
      {0, 14, "a\"b<c>&d", "a&quot;b&lt;c&gt;&amp;d"},
      {0, 10, "a&b&c", "a&amp;b&amp;c"},
      {1, 5, "6000", "6000"},
      {2, 14, "6000", "6000"},  // the last row
  };
  for (const ValueEdit& edit : edits) {
    SCOPED_TRACE("row " + std::to_string(edit.row) + " line " + std::to_string(edit.line) +
                 " value [" + edit.value + "]");
    reload();
    window.select(kEntityList, edit.row);

    document.setValue(edit.line, Entities, edit.value, window);

    SampleRow& row = entities.rows[edit.row];
    row.columns[edit.line - 5] = edit.expectedRaw;
    EXPECT_EQ(document.documentText(), expectedText());
    EXPECT_EQ(workingFileText(), expectedText());
    EXPECT_EQ(document.entityRows().member(edit.row + 1), expectedRowText(row));
    EXPECT_EQ(window.editText(kInfoBox), expectedRowText(row));
    EXPECT_EQ(document.getValue(edit.line, Entities, window), edit.value);
    EXPECT_TRUE(window.messages().empty());
  }
}

TEST_F(RulesValueTest, WritingBackEveryValueUnchangedKeepsTheTextByteForByte) {
  reload();
  const Text original = document.documentText();
  window.select(kEntityList, 0);
  for (std::int32_t line = 1; line <= 20; ++line) {  // the row has 16 lines
    SCOPED_TRACE("line " + std::to_string(line));
    std::filesystem::remove(workingFilePath());
    document.setValue(line, Entities, document.getValue(line, Entities, window), window);
    EXPECT_EQ(document.documentText(), original);
    ASSERT_TRUE(workingFileWritten());
    EXPECT_EQ(workingFileText(), original);
  }
  EXPECT_EQ(document.getValue(9, Entities, window), "");  // <Null />
  EXPECT_EQ(document.getValue(11, Entities, window), "'x\n");

  // A line past the end of the row has no value to change.
  std::filesystem::remove(workingFilePath());
  EXPECT_EQ(document.getValue(500, Entities, window), "");
  document.setValue(500, Entities, "x", window);
  EXPECT_EQ(document.documentText(), original);
  EXPECT_EQ(workingFileText(), original);
}

// A value pasted with line breaks must not split its line: each later edit
// of the same row still reaches the column it names.
TEST_F(RulesValueTest, LineBreaksInAValueKeepEveryColumnOnItsLine) {
  reload();
  window.select(kEntityList, 1);
  const ValueEdit edits[] = {
      {1, 5, "6000\r\n", "6000&#13;&#10;"},
      {1, 6, "\n7", "&#10;7"},
      {1, 7, "8", "8"},
      {1, 14, "a\r\nb", "a&#13;&#10;b"},  // the row's last column
  };
  for (const ValueEdit& edit : edits) {
    SCOPED_TRACE("line " + std::to_string(edit.line) + " expected [" + *edit.expectedRaw + "]");
    document.setValue(edit.line, Entities, edit.value, window);

    SampleRow& row = entities.rows[edit.row];
    row.columns[edit.line - 5] = edit.expectedRaw;
    ASSERT_EQ(document.documentText(), expectedText());
    EXPECT_EQ(document.entityRows().member(edit.row + 1), expectedRowText(row));
  }
  EXPECT_EQ(workingFileText(), expectedText());
}

// A value outside ASCII ends in an odd run of bytes of 0x80 or above (UTF-8)
// or not (GBK): either way it reads back, and the line can be changed again.
TEST_F(RulesValueTest, ValuesOutsideAsciiReadBackAndCanBeChangedAgain) {
  const Text zhong = os::encodeLocalCharacter(0x4E2D);
  if (zhong.empty()) GTEST_SKIP() << "the code page has no 中";
  reload();
  window.select(kEntityList, 0);
  const ValueEdit edits[] = {
      {0, 8, "a" + zhong, "a&#x4E2D;"},
      {0, 8, zhong + "\"", "&#x4E2D;&quot;"},
      {0, 8, zhong, "&#x4E2D;"},
      {0, 8, "300", "300"},
  };
  for (const ValueEdit& edit : edits) {
    SCOPED_TRACE("expected [" + *edit.expectedRaw + "]");
    document.setValue(edit.line, Entities, edit.value, window);

    entities.rows[0].columns[edit.line - 5] = edit.expectedRaw;
    ASSERT_EQ(document.documentText(), expectedText());
    EXPECT_EQ(document.getValue(edit.line, Entities, window), edit.value);
  }
  EXPECT_EQ(workingFileText(), expectedText());
}

// The same row text in a table before Entities (a copy of the row): the edit
// lands in the selected row, where it was cut out at load, and the copy stays.
TEST_F(RulesDocumentFixture, AnEditChangesTheRowWhereItWasCutOut) {
  const SampleTable entities = editableEntities();
  const SampleTable copies{"Copies", {entities.rows[1]}};
  loadText(buildRulesText({copies, entities, editableCommands()}));
  window.select(kEntityList, 1);

  document.setValue(5, Entities, "6000", window);
  document.setValue(6, Entities, "7000", window);

  SampleTable edited = entities;
  edited.rows[1].columns[0] = "6000";
  edited.rows[1].columns[1] = "7000";
  const Text expected = buildRulesText({copies, edited, editableCommands()});
  EXPECT_EQ(document.documentText(), expected);
  EXPECT_EQ(workingFileText(), expected);
  EXPECT_EQ(document.entityRows().member(2), expectedRowText(edited.rows[1]));
}

struct SelectionCase {
  const char* name;
  std::int32_t table;
  std::int32_t entitySelection;
  std::int32_t commandSelection;
};

TEST_F(RulesValueTest, WithoutASelectedRowNothingIsReadOrChanged) {
  const SelectionCase cases[] = {
      {"no entity selected", Entities, -1, 0},        {"entity past the end", Entities, 3, 0},
      {"entity far past the end", Entities, 1000, 0}, {"no command selected", Commands, 0, -1},
      {"command past the end", Commands, 0, 2},       {"unknown table", 3, 0, 0},
  };
  for (const SelectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    reload();
    const Text original = document.documentText();
    window.select(kEntityList, c.entitySelection);
    window.select(kCommandList, c.commandSelection);

    EXPECT_EQ(document.getValue(5, c.table, window), "");
    document.setValue(5, c.table, "changed", window);

    EXPECT_EQ(document.documentText(), original);
    EXPECT_EQ(document.entityRows().member(1), expectedRowText(entities.rows[0]));
    EXPECT_EQ(document.commandRows().member(1), expectedRowText(commands.rows[0]));
    EXPECT_TRUE(window.callsOf("setEditText").empty());
    EXPECT_FALSE(workingFileWritten());
  }
}

TEST_F(RulesValueTest, TableZeroAndBelowMeanEntities) {
  for (const std::int32_t table : {0, -3}) {
    SCOPED_TRACE("table " + std::to_string(table));
    reload();
    window.select(kEntityList, 1);
    window.select(kCommandList, 0);
    EXPECT_EQ(document.getValue(4, table, window), "Farm");
    document.setValue(5, table, "x", window);
    entities.rows[1].columns[0] = "x";
    EXPECT_EQ(document.documentText(), expectedText());
  }
}

struct TableEdit {
  std::int32_t table;
  std::int32_t row;  // 0-based
  std::int32_t line;
  Text value;
  Text expectedRaw;
};

// Edits that change the length of rows in both tables, the Commands table
// lying before the Entities table, each row edited more than once.
TEST_F(RulesValueTest, EditsInBothTablesKeepTextAndRowsInStep) {
  reload();
  const TableEdit edits[] = {
      {Commands, 0, 5, "a much longer value than the one before",
       "a much longer value than the one before"},
      {Entities, 2, 14, "1", "1"},
      {Commands, 1, 6, "", ""},
      {Entities, 0, 8, "123456789", "123456789"},
      {Entities, 0, 8, "2", "2"},
      {Commands, 0, 5, "s", "s"},
      {Entities, 2, 6, "new", "new"},
      {Commands, 1, 7, "<far>", "&lt;far&gt;"},
  };
  for (const TableEdit& edit : edits) {
    SCOPED_TRACE("table " + std::to_string(edit.table) + " row " + std::to_string(edit.row) +
                 " line " + std::to_string(edit.line));
    const bool isEntities = edit.table == Entities;
    window.select(isEntities ? kEntityList : kCommandList, edit.row);
    document.setValue(edit.line, edit.table, edit.value, window);

    SampleTable& edited = isEntities ? entities : commands;
    edited.rows[edit.row].columns[edit.line - 5] = edit.expectedRaw;
    ASSERT_EQ(document.documentText(), expectedText());
    for (std::size_t i = 0; i < entities.rows.size(); ++i) {
      EXPECT_EQ(document.entityRows().member(i + 1), expectedRowText(entities.rows[i]));
    }
    for (std::size_t i = 0; i < commands.rows.size(); ++i) {
      EXPECT_EQ(document.commandRows().member(i + 1), expectedRowText(commands.rows[i]));
    }
  }
  EXPECT_EQ(workingFileText(), expectedText());
}

}  // namespace
}  // namespace vantrel::testing

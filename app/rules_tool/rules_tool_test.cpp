// vantrel-rules end to end, in process: every command on copies of the sample
// game archive and rules text in a fresh folder.
#include "app/rules_tool/rules_tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/rules_tool/csv.h"
#include "app/rules_tool/csv_encoding.h"
#include "archive/paths.h"
#include "archive/working_folder_lock.h"
#include "archive/zip_archive.h"
#include "rules/named_tables.h"
#include "rules/rules_test_fixture.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;

const Text kSampleArchive = VANTREL_DATA_DIR "/VUVazur.dat";
const Text kSampleText = VANTREL_DATA_DIR "/VUVazur.txt";

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

void writeFile(const fs::path& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

struct Result {
  int status = 0;
  std::string out;
  std::string err;
};

class RulesToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    directory_ =
        fs::temp_directory_path() /
        ("vantrel_rules_tool_" + std::string(test->test_suite_name()) + "_" + test->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_ / "game");
    fs::create_directories(directory_ / "temp");
    if (const char* saved = std::getenv(kTemporaryDirectoryVariable)) savedTemporary_ = saved;
    // Scratch folders and the editor's working folder go there.
    setVariable(kTemporaryDirectoryVariable, (directory_ / "temp").string().c_str());
    fs::copy_file(kSampleArchive, archivePath());
    originalArchive_ = readFile(archivePath());
    originalText_ = readFile(kSampleText);
    ASSERT_FALSE(originalArchive_.empty());
  }

  void TearDown() override {
    if (savedTemporary_.empty()) {
      unsetVariable(kTemporaryDirectoryVariable);
    } else {
      setVariable(kTemporaryDirectoryVariable, savedTemporary_.c_str());
    }
    fs::remove_all(directory_);
  }

  Result run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "vantrel-rules");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    std::ostringstream out;
    std::ostringstream err;
    const int status = runRulesTool(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
  }

  fs::path archivePath() const { return directory_ / "game" / "VUVazur.dat"; }
  std::string archive() const { return archivePath().string(); }
  std::string file(const std::string& name) const { return (directory_ / name).string(); }

  // The rules text inside an archive.
  std::string entryText(const fs::path& archive) {
    const fs::path folder = directory_ / "unpacked";
    fs::remove_all(folder);
    EXPECT_EQ(unpackArchive(archive.string(), folder.string()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    return readFile(folder / "VUVazur.dat");
  }

  // The exported Entities table, changed by edit (record index, field index,
  // value) and written to a file; its path.
  std::string editedCsv(const std::vector<std::tuple<std::size_t, std::size_t, Text>>& edits,
                        const std::string& name = "edited.csv") {
    const Result exported = run({"export", archive(), "Entities"});
    EXPECT_EQ(exported.status, 0);
    csv::Document document = csv::read(exported.out);
    for (const auto& [record, field, value] : edits) {
      document.records[record].fields[field] = value;
    }
    Text text = "\xEF\xBB\xBF";
    for (const csv::Record& record : document.records) text += csv::record(record.fields);
    writeFile(file(name), text);
    return file(name);
  }

  fs::path directory_;
  std::string savedTemporary_;
  std::string originalArchive_;
  std::string originalText_;
};

// The 1-based numbers of the lines in which two texts differ (same line count).
std::vector<std::size_t> changedLines(const std::string& before, const std::string& after) {
  const std::vector<std::string> a = linesOf(before);
  const std::vector<std::string> b = linesOf(after);
  EXPECT_EQ(a.size(), b.size());
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) changed.push_back(i + 1);
  }
  return changed;
}

constexpr std::size_t kHealthField = 12;  // key, then column 11

TEST_F(RulesToolTest, ListsEveryTableOfAnArchiveOrAText) {
  for (const std::string& source : {archive(), kSampleText}) {
    const Result result = run({"tables", source});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "TableIndex: 6 rows, 5 columns\n"
              "Factions: 4 rows, 14 columns\n"
              "Commands: 59 rows, 122 columns\n"
              "Projectiles: 21 rows, 12 columns\n"
              "Effects: 14 rows, 9 columns\n"
              "Entities: 75 rows, 121 columns\n"
              "Upgrades: 10 rows, 18 columns\n"
              "Strings: 29 rows, 4 columns\n");
  }
}

TEST_F(RulesToolTest, ExportWritesEveryRowWithABomAndCrLf) {
  const Result result = run({"export", archive(), "Entities", "-o", file("entities.csv")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  const std::string text = readFile(file("entities.csv"));
  EXPECT_EQ(text, run({"export", archive(), "Entities"}).out);
  ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
  const csv::Document document = csv::read(text);
  ASSERT_EQ(document.records.size(), 76u);  // the header and all 75 rows, the last one included
  EXPECT_EQ(document.records[0].fields.size(), 122u);
  EXPECT_EQ(document.records[0].fields[0], "key");
  EXPECT_EQ(document.records[0].fields[1], "Key");
  EXPECT_EQ(document.records[0].fields[kHealthField], "Health");
  EXPECT_EQ(document.records[1].fields[0], "bld_citadel");
  EXPECT_EQ(document.records[1].fields[kHealthField], "5000");
  EXPECT_EQ(document.records[1].fields[4], "");  // a <Null /> cell
  EXPECT_EQ(text.find("\n", 0), text.find("\r\n", 0) + 1);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

// Ways a spreadsheet may save an unchanged table.
std::string withoutBom(const std::string& text) { return text.substr(3); }
std::string withLf(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}
std::string rewritten(const std::string& text, bool quoteAll, bool reverse, std::size_t dropField,
                      std::size_t dropRecord) {
  csv::Document document = csv::read(text);
  std::string out;
  for (std::size_t r = 0; r < document.records.size(); ++r) {
    if (r == dropRecord) continue;
    std::vector<Text> fields = document.records[r].fields;
    if (dropField < fields.size()) fields.erase(fields.begin() + dropField);
    if (reverse) std::reverse(fields.begin() + 1, fields.end());
    if (!quoteAll) {
      out += csv::record(fields);
      continue;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
      out += (i ? ",\"" : "\"") + fields[i] + "\"";
    }
    out += "\r\n";
  }
  return out;
}

TEST_F(RulesToolTest, ImportOfTheUnchangedTableChangesNothing) {
  const std::string exported = run({"export", archive(), "Entities"}).out;
  const struct {
    const char* what;
    std::string csv;
  } cases[] = {
      {"as exported", exported},
      {"without byte-order mark", withoutBom(exported)},
      {"LF line ends", withLf(exported)},
      {"every field quoted", rewritten(exported, true, false, 99, 999)},
      {"columns in another order", rewritten(exported, false, true, 99, 999)},
      {"a column left out", rewritten(exported, false, false, kHealthField, 999)},
      {"a row left out", rewritten(exported, false, false, 99, 5)},
      {"the header alone", exported.substr(0, exported.find("\r\n") + 2)},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    writeFile(file("table.csv"), each.csv);
    const Result result = run({"import", archive(), "Entities", file("table.csv")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "# 0 changes, nothing written\n");
    EXPECT_EQ(readFile(archivePath()), originalArchive_);
  }
}

TEST_F(RulesToolTest, AnEditedCellChangesExactlyThatLineAndImportingTheOldTableRestoresIt) {
  ASSERT_EQ(run({"export", archive(), "Entities", "-o", file("old.csv")}).status, 0);
  const Result result =
      run({"import", archive(), "Entities", editedCsv({{3, kHealthField, "6100"}})});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string key = csv::read(readFile(file("old.csv"))).records[3].fields[0];
  const std::string oldValue = csv::read(readFile(file("old.csv"))).records[3].fields[kHealthField];
  EXPECT_EQ(result.out, "Entities/" + key + "/Health: " + oldValue +
                            " -> 6100\n# 1 change written to " + archive() + "\n");
  const std::string text = entryText(archivePath());
  const std::vector<std::size_t> changed = changedLines(originalText_, text);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(linesOf(text)[changed[0] - 1], std::string(24, ' ') + "<Simple value=\"6100\" />");

  const Result back = run({"import", archive(), "Entities", file("old.csv")});
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(entryText(archivePath()), originalText_);
}

TEST_F(RulesToolTest, ValuesWithMarkupLineBreaksAndChineseGoThroughTheLoop) {
  // As the CSV holds them: UTF-8.
  const Text values[] = {"a \"quoted\" <b> & c", "中文",        "中",  "a中",
                         "two\r\nlines",         "comma, here", "'x'", ""};
  for (const Text& value : values) {
    SCOPED_TRACE(value);
    const std::string csv = editedCsv({{2, kHealthField, value}});
    const std::string before = readFile(archivePath());
    const Result result = run({"import", archive(), "Entities", csv});
    // A system whose code page has no Chinese (Windows 1252) can't hold the value.
    const std::optional<Text> local = csv_encoding::fromUtf8(value);
    if (!local) {
      EXPECT_EQ(result.status, 1);
      EXPECT_EQ(result.err, "vantrel-rules: " + csv +
                                ":3: a field that is no UTF-8 or that this system can't hold\n");
      EXPECT_TRUE(readFile(archivePath()) == before) << "the archive was changed";
      continue;
    }
    ASSERT_EQ(result.status, 0) << result.err;
    const csv::Document again = csv::read(run({"export", archive(), "Entities"}).out);
    EXPECT_EQ(again.records[2].fields[kHealthField], value);
    const std::string key = again.records[2].fields[0];
    EXPECT_EQ(run({"get", archive(), "Entities", key, "Health"}).out, *local + "\n");
    // The text keeps one line per value, with the value escaped inside its quotes.
    const std::vector<std::size_t> changed = changedLines(originalText_, entryText(archivePath()));
    ASSERT_EQ(changed.size(), 1u);
    const std::string line = linesOf(entryText(archivePath()))[changed[0] - 1];
    EXPECT_EQ(occurrences(line, "\""), 2) << line;
    EXPECT_EQ(line.find('<', 25), std::string::npos) << line;
  }
}

TEST_F(RulesToolTest, ABadCsvNamesItsLineAndWritesNothing) {
  const std::string good = "bld_citadel,6000\r\n";
  const struct {
    std::string csv;
    std::string error;
  } cases[] = {
      {"key,Health\r\n" + good + "no_such_row,1\r\n", ":3: no row \"no_such_row\" in \"Entities\""},
      {"key,Health,Nope\r\n", ":1: no column \"Nope\" in \"Entities\""},
      {"key,Health\r\n" + good + good, ":3: row \"bld_citadel\" appears twice (first on line 2)"},
      {"key,Health,Health\r\n", ":1: column \"Health\" appears twice"},
      {"key,Health\r\n" + good + "unit_x,1\"2\r\n",
       ":3: a quote inside a field that does not begin with one"},
      {"key,Health\r\n" + good + "unit_x\r\n", ":3: 1 fields where the header has 2"},
      {"Key,Health\r\n" + good, ":1: the first column must be \"key\""},
      {"", ":1: no header line"},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.csv);
    writeFile(file("bad.csv"), each.csv);
    const Result result = run({"import", archive(), "Entities", file("bad.csv")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "vantrel-rules: " + file("bad.csv") + each.error + "\n");
    EXPECT_EQ(readFile(archivePath()), originalArchive_);
  }
  EXPECT_FALSE(fs::exists(archive() + ".orig"));
}

TEST_F(RulesToolTest, DryRunPrintsTheChangesAndWritesNothing) {
  const std::string csv = editedCsv({{1, kHealthField, "1"}});
  const Result result = run({"import", archive(), "Entities", csv, "--dry-run"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "Entities/bld_citadel/Health: 5000 -> 1\n# 1 change (dry run, nothing written)\n");
  EXPECT_EQ(readFile(archivePath()), originalArchive_);
}

TEST_F(RulesToolTest, GetAndSetByTheNamesOfTheText) {
  EXPECT_EQ(run({"get", archive(), "Entities", "bld_citadel", "Health"}).out, "5000\n");
  const Result set =
      run({"set", archive(), "Entities", "bld_citadel", "Health=5200", "Name=Keep = Hall"});
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(set.out,
            "Entities/bld_citadel/Health: 5000 -> 5200\n"
            "Entities/bld_citadel/Name: Citadel -> Keep = Hall\n"
            "# 2 changes written to " +
                archive() + "\n");
  EXPECT_EQ(run({"get", archive(), "Entities", "bld_citadel", "Health"}).out, "5200\n");
  EXPECT_EQ(run({"get", archive(), "Entities", "bld_citadel", "Name"}).out, "Keep = Hall\n");

  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string error;
  } failures[] = {
      {{"get", archive(), "Nope", "k", "c"}, 1, "vantrel-rules: no table \"Nope\"\n"},
      {{"get", archive(), "Entities", "nope", "Health"},
       1,
       "vantrel-rules: no row \"nope\" in table \"Entities\"\n"},
      {{"set", archive(), "Entities", "bld_citadel", "Nope=1"},
       1,
       "vantrel-rules: no column \"Nope\" in table \"Entities\"\n"},
      {{"set", archive(), "Entities", "bld_citadel", "Health"},
       2,
       "vantrel-rules: set: expected COLUMN=VALUE, not \"Health\"\n"},
  };
  const std::string before = readFile(archivePath());
  for (const auto& each : failures) {
    const Result result = run(each.arguments);
    EXPECT_EQ(result.status, each.status) << each.error;
    EXPECT_EQ(result.err, each.error);
    EXPECT_EQ(readFile(archivePath()), before);
  }
}

TEST_F(RulesToolTest, ChangesAValueAsTheWindowDoes) {
  // The window's document, with the third Entities row selected, sets line 15 (column 11).
  RulesDocument window;
  FakeWindow fake;
  window.load(kSampleText, fake);
  fake.select(kEntityList, 2);
  window.setValue(15, Entities, "6001 <&>", fake);
  const std::string key = TablesDocument(originalText_).tables()[5].rows[2].key;

  fs::copy_file(kSampleText, file("rules.txt"));
  for (const std::string& target : {file("rules.txt"), archive()}) {
    const Result result = run({"set", target, "Entities", key, "Health=6001 <&>"});
    ASSERT_EQ(result.status, 0) << result.err;
  }
  EXPECT_EQ(readFile(file("rules.txt")), window.documentText());
  EXPECT_EQ(entryText(archivePath()), window.documentText());
}

TEST_F(RulesToolTest, DiffOfAPatchedArchiveGivesBackThePatch) {
  fs::copy_file(archivePath(), file("VUVazur.dat.before"));
  EXPECT_EQ(run({"diff", file("VUVazur.dat.before"), archive()}).status, 0);
  EXPECT_EQ(run({"diff", file("VUVazur.dat.before"), archive()}).out, "");

  std::string patch;
  const std::vector<std::vector<std::string>> sets = {
      {"Entities", "bld_citadel", "Name=\"Big\" one", "Health=7000"},  // in column order
      {"Entities", "bld_longhouse", "Icon=icons/long house.png"},
  };
  for (std::vector<std::string> arguments : sets) {
    arguments.insert(arguments.begin(), {"set", archive()});
    const Result result = run(arguments);
    ASSERT_EQ(result.status, 0) << result.err;
    patch += result.out.substr(0, result.out.rfind('#'));
  }
  const Result diff = run({"diff", file("VUVazur.dat.before"), archive()});
  EXPECT_EQ(diff.status, 1);
  EXPECT_EQ(diff.out, patch);
  EXPECT_EQ(run({"diff", file("VUVazur.dat.before"), kSampleText}).out, "");

  // The patch brings the same change to a fresh copy of the original.
  writeFile(file("mod.patch"), "\xEF\xBB\xBF" + diff.out);  // as an editor may save it
  fs::copy_file(kSampleText, file("rules.txt"));
  const Result applied = run({"apply", file("rules.txt"), file("mod.patch")});
  ASSERT_EQ(applied.status, 0) << applied.err;
  EXPECT_EQ(applied.out, patch + "# 3 changes written to " + file("rules.txt") + "\n");
  EXPECT_EQ(readFile(file("rules.txt")), entryText(archivePath()));
  // Applied once more, every cell already holds its new value.
  EXPECT_EQ(run({"apply", file("rules.txt"), file("mod.patch")}).out,
            "# 0 changes, nothing written\n");
}

TEST_F(RulesToolTest, ApplyAfterAGameUpdate) {
  const std::string patch =
      "Entities/bld_citadel/Health: 5000 -> 5500\n"
      "Entities/bld_longhouse/Name: Longhouse -> Great Hall\n";
  writeFile(file("mod.patch"), patch);
  const std::string longhouseName =
      run({"get", kSampleText, "Entities", "bld_longhouse", "Name"}).out;
  ASSERT_EQ(longhouseName, "Longhouse\n");

  // The game changed another column of the same row: both changes stand.
  ASSERT_EQ(run({"set", archive(), "Entities", "bld_citadel", "Radius=9"}).status, 0);
  Result result = run({"apply", archive(), file("mod.patch")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(run({"get", archive(), "Entities", "bld_citadel", "Health"}).out, "5500\n");
  EXPECT_EQ(run({"get", archive(), "Entities", "bld_citadel", "Radius"}).out, "9\n");

  // The game changed the same cell: a conflict, and nothing is written.
  fs::copy_file(kSampleArchive, archivePath(), fs::copy_options::overwrite_existing);
  ASSERT_EQ(run({"set", archive(), "Entities", "bld_citadel", "Health=4800"}).status, 0);
  const std::string updated = readFile(archivePath());
  result = run({"apply", archive(), file("mod.patch")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            file("mod.patch") +
                ":1: conflict: Entities/bld_citadel/Health holds \"4800\", not \"5000\"\n"
                "vantrel-rules: 1 conflict, nothing written (--force applies the rest)\n");
  EXPECT_EQ(readFile(archivePath()), updated);

  // --force applies the rest and skips the conflict.
  result = run({"apply", archive(), file("mod.patch"), "--force"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err,
            file("mod.patch") +
                ":1: skipped: Entities/bld_citadel/Health holds \"4800\", not \"5000\"\n");
  EXPECT_EQ(run({"get", archive(), "Entities", "bld_citadel", "Health"}).out, "4800\n");
  EXPECT_EQ(run({"get", archive(), "Entities", "bld_longhouse", "Name"}).out, "Great Hall\n");
}

TEST_F(RulesToolTest, APatchThatCantBeAppliedWritesNothing) {
  const struct {
    std::string patch;
    std::string error;
  } cases[] = {
      {"Entities/bld_citadel/Health: 5000 -> 1\nEntities/nope/Health: 1 -> 2\n",
       ":2: conflict: no row \"nope\" in table \"Entities\"\n"
       "vantrel-rules: 1 conflict, nothing written (--force applies the rest)\n"},
      {"Entities/bld_citadel/Health: 5000 -> 1\nEntities/unit_new: only in NEW\n",
       ":2: conflict: tables, columns and rows are not added or removed: "
       "Entities/unit_new: only in NEW\n"
       "vantrel-rules: 1 conflict, nothing written (--force applies the rest)\n"},
      {"Entities/bld_citadel/Health: 5000 -> 1\n3 changes\n",
       "vantrel-rules: PATCH:2: not a patch line\n"},
  };
  for (const auto& each : cases) {
    writeFile(file("bad.patch"), each.patch);
    const Result result = run({"apply", archive(), file("bad.patch")});
    EXPECT_EQ(result.status, 1);
    std::string expected = each.error;
    const std::size_t placeholder = expected.find("PATCH");
    if (placeholder != std::string::npos) {
      expected.replace(placeholder, 5, file("bad.patch"));
    } else {
      expected = file("bad.patch") + expected;
    }
    EXPECT_EQ(result.err, expected);
    EXPECT_EQ(readFile(archivePath()), originalArchive_);
  }
}

TEST_F(RulesToolTest, FilesThatHoldNoRulesText) {
  writeFile(file("garbage.dat"), std::string("PK\x03\x04", 4) + "not really");
  writeFile(file("zero.txt"), std::string("a\0b", 3));
  fs::create_directories(directory_ / "other");
  writeFile(file("other/notes.txt"), "x");
  ASSERT_EQ(packFolder(file("other"), file("other.dat")), 1);
  const struct {
    std::string path;
    std::string error;
  } cases[] = {
      {file("missing.dat"), ": no such file"},
      {file("garbage.dat"), ": not a ZIP archive that can be unpacked"},
      {file("other.dat"), ": the archive holds no VUVazur.dat"},
      {file("zero.txt"), ": holds a zero byte, which no rules text has"},
      {file("other"), ": is a folder"},
  };
  for (const auto& each : cases) {
    const std::string expected = "vantrel-rules: " + each.path + each.error + "\n";
    Result result = run({"tables", each.path});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, expected);
    result = run({"diff", each.path, archive()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, expected);
  }
}

TEST_F(RulesToolTest, RefusesToChangeRulesWhileTheEditorHoldsItsWorkingFolder) {
  writeFile(file("mod.patch"), "Entities/bld_citadel/Health: 5000 -> 1\n");
  const std::string csv = editedCsv({{1, kHealthField, "1"}});
  const std::vector<std::vector<std::string>> changing = {
      {"set", archive(), "Entities", "bld_citadel", "Health=1"},
      {"import", archive(), "Entities", csv},
      {"apply", archive(), file("mod.patch")},
  };
  {
    const std::unique_ptr<WorkingFolderLock> editor = WorkingFolderLock::acquire(workingFolder());
    ASSERT_NE(editor, nullptr);
    for (const std::vector<std::string>& arguments : changing) {
      const Result result = run(arguments);
      EXPECT_EQ(result.status, 1) << arguments[0];
      EXPECT_EQ(result.err, "vantrel-rules: the editor is running; close it first\n");
      EXPECT_EQ(readFile(archivePath()), originalArchive_);
    }
    // Reading, and a dry run, go on.
    EXPECT_EQ(run({"get", archive(), "Entities", "bld_citadel", "Health"}).out, "5000\n");
    EXPECT_EQ(run({"apply", archive(), file("mod.patch"), "--dry-run"}).status, 0);
  }
  EXPECT_EQ(run(changing[0]).status, 0);
  // The tool let go of the lock: an editor can start.
  EXPECT_NE(WorkingFolderLock::acquire(workingFolder()), nullptr);
}

TEST_F(RulesToolTest, KeepsTheGamesOriginalArchiveOnceAndWritesOneEntry) {
  ASSERT_EQ(run({"set", archive(), "Entities", "bld_citadel", "Health=1"}).status, 0);
  ASSERT_EQ(run({"set", archive(), "Entities", "bld_citadel", "Health=2"}).status, 0);
  EXPECT_EQ(readFile(archive() + ".orig"), originalArchive_);
  const std::vector<std::size_t> changed = changedLines(originalText_, entryText(archivePath()));
  EXPECT_EQ(changed.size(), 1u);

  fs::copy_file(kSampleText, file("rules.txt"));
  ASSERT_EQ(run({"set", file("rules.txt"), "Entities", "bld_citadel", "Health=1"}).status, 0);
  EXPECT_FALSE(fs::exists(file("rules.txt.orig")));
}

TEST_F(RulesToolTest, LeavesNothingBehindButTheEditorsWorkingFolder) {
  ASSERT_EQ(run({"export", archive(), "Entities", "-o", file("e.csv")}).status, 0);
  ASSERT_EQ(run({"set", archive(), "Entities", "bld_citadel", "Health=1"}).status, 0);
  ASSERT_EQ(run({"import", archive(), "Entities", file("e.csv")}).status, 0);
  ASSERT_EQ(run({"diff", archive(), kSampleArchive}).status, 0);
  std::vector<std::string> left;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory_ / "temp")) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"VUVazur.dat"});
  std::vector<std::string> beside;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory_ / "game")) {
    beside.push_back(entry.path().filename().string());
  }
  std::sort(beside.begin(), beside.end());
  EXPECT_EQ(beside, (std::vector<std::string>{"VUVazur.dat", "VUVazur.dat.orig"}));
}

TEST_F(RulesToolTest, HelpVersionAndUsageErrors) {
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string inOutput;
  } cases[] = {
      {{"--help"}, 0, "export"},
      {{"export", "--help"}, 0, "--output"},
      {{"apply", "--help"}, 0, "--force"},
      {{"--version"}, 0, "vantrel-rules 0.1.0"},
      {{}, 2, ""},
      {{"frobnicate"}, 2, ""},
      {{"get", "VUVazur.dat"}, 2, ""},
      {{"export", "VUVazur.dat", "Entities", "--bogus"}, 2, ""},
  };
  for (const auto& each : cases) {
    const Result result = run(each.arguments);
    EXPECT_EQ(result.status, each.status) << result.out << result.err;
    EXPECT_NE(result.out.find(each.inOutput), std::string::npos) << result.out;
    if (each.status != 0) {
      EXPECT_FALSE(result.err.empty());
    }
  }
  for (const char* command : {"tables", "export", "import", "get", "set", "diff", "apply"}) {
    EXPECT_EQ(run({command, "--help"}).status, 0) << command;
  }
}

}  // namespace
}  // namespace vantrel::testing

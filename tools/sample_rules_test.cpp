// Checks the committed sample rules text and archive against the layout that
// the editor relies on: byte-order mark, CR LF lines, space indentation, the
// exact table and row blocks, the markers that find the two shown tables, the
// row and line counts, and the archive holding the text unchanged.
#include <gtest/gtest.h>
#include <unzip.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kDataDir = VANTREL_DATA_DIR;
const std::string kBom = "\xEF\xBB\xBF";

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Position of needle in text at or after from; std::string::find is slow on
// needles that start with long runs of spaces.
std::size_t findIn(const std::string& text, const std::string& needle, std::size_t from = 0) {
  const auto found = std::search(text.begin() + std::min(from, text.size()), text.end(),
                                 std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
  return found == text.end() ? std::string::npos : std::size_t(found - text.begin());
}

std::vector<std::string> splitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (std::size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
    lines.push_back(text.substr(begin, end - begin));
  }
  lines.push_back(text.substr(begin));
  return lines;
}

std::string indented(int spaces, const std::string& content) {
  return std::string(spaces, ' ') + content;
}

std::string joinCrLf(const std::vector<std::string>& lines, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += lines[i];
    if (i + 1 < count) text += "\r\n";
  }
  return text;
}

// The value of a `<Simple value="V" />` line, or nothing for any other line.
bool simpleValue(const std::string& line, int spaces, std::string& value) {
  const std::string head = indented(spaces, "<Simple value=\"");
  const std::string tail = "\" />";
  if (line.size() < head.size() + tail.size() || line.compare(0, head.size(), head) != 0 ||
      line.compare(line.size() - tail.size(), tail.size(), tail) != 0) {
    return false;
  }
  value = line.substr(head.size(), line.size() - head.size() - tail.size());
  return value.find_first_of("\"<>&") == std::string::npos;
}

const std::string kColsDictionary =
    "<Dictionary name=\"Cols\" keyType=\"System.String, mscorlib\" "
    "valueType=\"System.Int32, mscorlib\">";
const std::string kRowsDictionary =
    "<Dictionary name=\"Rows\" keyType=\"System.String, mscorlib\" "
    "valueType=\"System.String[], mscorlib\">";

struct Row {
  std::string key;
  std::vector<std::string> lines;  // the key line through </SingleArray>

  // The value of row line n (1-based); empty for <Null />.
  std::string value(std::size_t n) const {
    std::string result;
    simpleValue(lines.at(n - 1), 24, result);
    return result;
  }
  bool isNull(std::size_t n) const { return lines.at(n - 1) == indented(24, "<Null />"); }
};

struct Table {
  std::string name;
  std::vector<Row> rows;
};

// Reads the tables line by line, requiring every table and row to have its
// exact block form; stops at the first deviation and describes it in error.
class TableReader {
 public:
  explicit TableReader(const std::vector<std::string>& lines) : lines_(lines) {}

  std::vector<Table> readAll() {
    std::vector<Table> tables;
    while (at_ + 2 < lines_.size() && error.empty()) {
      std::string name;
      if (lines_[at_] == indented(8, "<Item>") && simpleValue(lines_[at_ + 1], 10, name) &&
          lines_[at_ + 2] == indented(10, "<Complex>")) {
        at_ += 3;
        tables.push_back(readTable(name));
      } else {
        ++at_;
      }
    }
    return tables;
  }

  std::string error;

 private:
  bool expect(int spaces, const std::string& content) {
    if (!error.empty()) return false;
    if (at_ < lines_.size() && lines_[at_] == indented(spaces, content)) {
      ++at_;
      return true;
    }
    error = "line " + std::to_string(at_ + 1) + ": expected " + std::to_string(spaces) +
            " spaces and " + content;
    return false;
  }

  bool lineIs(int spaces, const std::string& content) const {
    return at_ < lines_.size() && lines_[at_] == indented(spaces, content);
  }

  Table readTable(const std::string& name) {
    Table table{name, {}};
    expect(12, "<Properties>");
    expect(14, kColsDictionary);
    while (error.empty() && at_ < lines_.size() && !lineIs(14, "</Dictionary>")) ++at_;
    expect(14, "</Dictionary>");
    expect(14, kRowsDictionary);
    expect(16, "<Items>");
    while (error.empty() && lineIs(18, "<Item>")) {
      ++at_;
      table.rows.push_back(readRow());
      expect(18, "</Item>");
    }
    expect(16, "</Items>");
    expect(14, "</Dictionary>");
    expect(12, "</Properties>");
    expect(10, "</Complex>");
    expect(8, "</Item>");
    return table;
  }

  Row readRow() {
    Row row;
    const std::size_t first = at_;
    if (at_ >= lines_.size() || !simpleValue(lines_[at_], 20, row.key)) {
      error = "line " + std::to_string(at_ + 1) + ": expected a row key";
      return row;
    }
    ++at_;
    expect(20, "<SingleArray elementType=\"System.String, mscorlib\">");
    expect(22, "<Items>");
    std::string value;
    while (error.empty() && at_ < lines_.size() &&
           (lines_[at_] == indented(24, "<Null />") || simpleValue(lines_[at_], 24, value))) {
      ++at_;
    }
    expect(22, "</Items>");
    expect(20, "</SingleArray>");
    row.lines.assign(lines_.begin() + first, lines_.begin() + at_);
    return row;
  }

  const std::vector<std::string>& lines_;
  std::size_t at_ = 0;
};

class SampleRulesText : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    text_ = readFile(kDataDir + "/VUVazur.txt");
    const std::size_t bodyStart = text_.compare(0, 3, kBom) == 0 ? 3 : 0;
    lines_ = splitCrLf(text_.substr(bodyStart));
    TableReader reader(lines_);
    tables_ = reader.readAll();
    readError_ = reader.error;
  }

  static const Table* table(const std::string& name) {
    for (const Table& table : tables_) {
      if (table.name == name) return &table;
    }
    return nullptr;
  }

  static std::size_t tableIndex(const std::string& name) {
    for (std::size_t i = 0; i < tables_.size(); ++i) {
      if (tables_[i].name == name) return i;
    }
    return tables_.size();
  }

  static inline std::string text_;
  static inline std::vector<std::string> lines_;
  static inline std::vector<Table> tables_;
  static inline std::string readError_;
};

TEST_F(SampleRulesText, HasTheBytesAndLineLayoutTheEditorExpects) {
  ASSERT_FALSE(text_.empty()) << "data/VUVazur.txt is missing";
  EXPECT_GE(text_.size(), 740'000u);
  EXPECT_LE(text_.size(), 800'000u);
  EXPECT_EQ(text_.substr(0, 3), kBom);
  EXPECT_EQ(text_.substr(text_.size() - 2), "\r\n");

  for (std::size_t i = 3; i < text_.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text_[i]);
    const bool lineEnd = (byte == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n') ||
                         (byte == '\n' && text_[i - 1] == '\r');
    ASSERT_TRUE(lineEnd || (byte >= 0x20 && byte < 0x7F))
        << "byte " << int(byte) << " at offset " << i;
  }
  for (std::size_t n = 0; n < lines_.size(); ++n) {
    const std::size_t spaces = lines_[n].find_first_not_of(' ');
    ASSERT_EQ((spaces == std::string::npos ? lines_[n].size() : spaces) % 2, 0u)
        << "line " << n + 1 << " is not indented by whole levels";
  }
}

TEST_F(SampleRulesText, EveryTableAndRowHasTheExactBlockForm) {
  ASSERT_EQ(readError_, "");
  const std::size_t commands = tableIndex("Commands");
  const std::size_t entities = tableIndex("Entities");
  ASSERT_LT(commands, entities) << "Commands must come before Entities";
  ASSERT_LT(entities, tables_.size());
  EXPECT_GT(commands, 0u) << "no table before Commands";
  EXPECT_GT(entities - commands, 1u) << "no table between Commands and Entities";
  EXPECT_LT(entities + 1, tables_.size()) << "no table after Entities";

  std::set<std::string> names;
  for (const Table& table : tables_) {
    EXPECT_TRUE(names.insert(table.name).second) << "table " << table.name << " twice";
    EXPECT_FALSE(table.rows.empty()) << "table " << table.name << " has no rows";
    std::set<std::string> keys;
    for (const Row& row : table.rows) {
      EXPECT_TRUE(keys.insert(row.key).second) << table.name << " key " << row.key << " twice";
      ASSERT_GE(row.lines.size(), 6u);
      EXPECT_EQ(row.value(4), row.key) << table.name << ": column 0 must repeat the key";
    }
  }
}

TEST_F(SampleRulesText, EntitiesHoldBuildingsAndUnitsWithTheirColumns) {
  const Table* entities = table("Entities");
  ASSERT_NE(entities, nullptr);
  ASSERT_EQ(entities->rows.size(), 75u);
  for (const Row& row : entities->rows) {
    EXPECT_EQ(row.lines.size(), 126u) << row.key;
  }

  const Row& first = entities->rows.front();
  EXPECT_EQ(first.value(15), "5000");
  EXPECT_FALSE(first.isNull(16));
  EXPECT_EQ(first.value(16), "");

  int buildings = 0;
  int units = 0;
  for (std::size_t i = 0; i + 1 < entities->rows.size(); ++i) {
    const Row& row = entities->rows[i];
    const bool unit = !row.value(16).empty();
    (unit ? units : buildings) += 1;
    // The edited columns hold values in every row, never <Null />.
    for (std::size_t line : {15, 19, 23, 27, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 77, 78, 79}) {
      EXPECT_FALSE(row.isNull(line)) << row.key << " line " << line;
    }
    EXPECT_FALSE(row.isNull(unit ? 16 : 17)) << row.key;
    if (!unit) {
      EXPECT_FALSE(row.isNull(47)) << row.key;
    }
  }
  EXPECT_EQ(buildings, 56);
  EXPECT_EQ(units, 18);
}

TEST_F(SampleRulesText, CommandsHoldAttacksWithSomeEmptyValues) {
  const Table* commands = table("Commands");
  ASSERT_NE(commands, nullptr);
  ASSERT_EQ(commands->rows.size(), 59u);
  for (const Row& row : commands->rows) {
    EXPECT_LE(row.lines.size(), 127u) << row.key;
    EXPECT_GE(row.lines.size(), 45u) << row.key << " has fewer than 40 columns";
  }
  // Range, damage and interval: each is <Null /> in some listed row (the last
  // row of a table is not listed by the editor) and a value in others.
  for (std::size_t line : {25, 27, 32}) {
    int nulls = 0;
    for (std::size_t i = 0; i + 1 < commands->rows.size(); ++i) {
      nulls += commands->rows[i].isNull(line) ? 1 : 0;
    }
    EXPECT_GT(nulls, 0) << "line " << line;
    EXPECT_LT(nulls, int(commands->rows.size()) - 1) << "line " << line;
  }
}

// The literal markers by which the editor cuts its two tables out of the text.
const std::string kTableEnd =
    "                    </SingleArray>\r\n                  </Item>\r\n                </Items>\r\n"
    "              </Dictionary>\r\n            </Properties>\r\n          </Complex>\r\n"
    "        </Item>";
const std::string kRowsStart = indented(14, kRowsDictionary) + "\r\n                <Items>";

std::string tableStart(int spaces, const std::string& name) {
  return indented(spaces, "<Item>\r\n          <Simple value=\"" + name +
                              "\" />\r\n          <Complex>\r\n            <Properties>\r\n") +
         indented(14, kColsDictionary);
}

TEST_F(SampleRulesText, MarkersFindExactlyTheirOwnTable) {
  struct Case {
    std::string name;
    std::string startMarker;
  };
  const Case cases[] = {{"Entities", tableStart(7, "Entities")},
                        {"Commands", tableStart(8, "Commands")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Table* found = table(c.name);
    ASSERT_NE(found, nullptr);
    const std::size_t start = findIn(text_, c.startMarker);
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(findIn(text_, c.startMarker, start + 1), std::string::npos);
    const std::size_t end = findIn(text_, kTableEnd, start + c.startMarker.size());
    ASSERT_NE(end, std::string::npos);
    const std::string section = text_.substr(start + c.startMarker.size(),
                                             end - start - c.startMarker.size());

    // One rows dictionary, and the section ends inside the table's last row,
    // right before that row's </SingleArray>.
    const std::size_t rowsStart = findIn(section, kRowsStart);
    ASSERT_NE(rowsStart, std::string::npos);
    EXPECT_EQ(findIn(section, kRowsStart, rowsStart + 1), std::string::npos);
    const Row& last = found->rows.back();
    const std::string lastRowOpen = joinCrLf(last.lines, last.lines.size() - 1) + "\r\n";
    ASSERT_GE(section.size(), lastRowOpen.size());
    EXPECT_EQ(section.substr(section.size() - lastRowOpen.size()), lastRowOpen);
    // Every row text is unique in the whole text, so it can be replaced there:
    // its first two lines occur once, and the whole row text is found there.
    for (const Row& row : found->rows) {
      const std::string head = joinCrLf(row.lines, 2);
      const std::size_t at = findIn(text_, head);
      ASSERT_NE(at, std::string::npos) << row.key;
      EXPECT_EQ(findIn(text_, head, at + 1), std::string::npos) << row.key;
      const std::string rowText = joinCrLf(row.lines, row.lines.size());
      EXPECT_EQ(text_.compare(at, rowText.size(), rowText), 0) << row.key;
    }
  }
}

TEST(SampleRulesArchive, HoldsTheTextAsOneDeflatedEntry) {
  const std::string text = readFile(kDataDir + "/VUVazur.txt");
  unzFile archive = unzOpen64((kDataDir + "/VUVazur.dat").c_str());
  ASSERT_NE(archive, nullptr) << "data/VUVazur.dat is missing or not a ZIP archive";

  unz_global_info64 global{};
  ASSERT_EQ(unzGetGlobalInfo64(archive, &global), UNZ_OK);
  EXPECT_EQ(global.number_entry, 1u);
  ASSERT_EQ(unzGoToFirstFile(archive), UNZ_OK);
  unz_file_info64 info{};
  char name[64] = {};
  ASSERT_EQ(unzGetCurrentFileInfo64(archive, &info, name, sizeof name, nullptr, 0, nullptr, 0),
            UNZ_OK);
  EXPECT_STREQ(name, "VUVazur.dat");
  EXPECT_EQ(info.compression_method, 8u);
  EXPECT_EQ(info.uncompressed_size, text.size());

  ASSERT_EQ(unzOpenCurrentFile(archive), UNZ_OK);
  std::string contents;
  char buffer[65536];
  int count;
  while ((count = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0) {
    contents.append(buffer, static_cast<std::size_t>(count));
  }
  EXPECT_EQ(count, 0) << "read error";
  EXPECT_EQ(unzCloseCurrentFile(archive), UNZ_OK) << "CRC-32 mismatch";
  unzClose(archive);
  EXPECT_TRUE(contents == text) << "the archive does not hold data/VUVazur.txt";
}

}  // namespace

#include "app/rules_tool/csv.h"

#include <gtest/gtest.h>

namespace vantrel::csv {
namespace {

using Fields = std::vector<Text>;

TEST(CsvTest, RecordQuotesOnlyFieldsThatNeedIt) {
  const struct {
    Fields fields;
    Text line;
  } cases[] = {
      {{"key", "Health"}, "key,Health\r\n"},
      {{"a,b", ""}, "\"a,b\",\r\n"},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
      {{"two\r\nlines", "x"}, "\"two\r\nlines\",x\r\n"},
      {{"", "", ""}, ",,\r\n"},
      {{" spaced ", "中文"}, " spaced ,中文\r\n"},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(record(each.fields), each.line);
    const Document back = read(each.line);
    ASSERT_EQ(back.records.size(), each.fields == Fields{""} ? 0u : 1u) << each.line;
    EXPECT_EQ(back.records[0].fields, each.fields);
  }
}

TEST(CsvTest, ReadsTheWaysSpreadsheetsWriteIt) {
  const struct {
    const char* what;
    Text input;
    std::vector<Record> records;
  } cases[] = {
      {"CR LF", "key,a\r\nx,1\r\n", {{1, {"key", "a"}}, {2, {"x", "1"}}}},
      {"LF", "key,a\nx,1\n", {{1, {"key", "a"}}, {2, {"x", "1"}}}},
      {"byte-order mark, no final line end",
       "\xEF\xBB\xBFkey,a\r\nx,1",
       {{1, {"key", "a"}}, {2, {"x", "1"}}}},
      {"a line break inside quotes moves the line count on",
       "key,a\r\n\"x\",\"one\r\ntwo\"\r\ny,\"\"\"\"\r\n",
       {{1, {"key", "a"}}, {2, {"x", "one\r\ntwo"}}, {4, {"y", "\""}}}},
      {"LF inside quotes of an LF file", "k\n\"a\nb\"\n", {{1, {"k"}}, {2, {"a\nb"}}}},
      {"empty lines are left out", "key,a\r\n\r\nx,\r\n\r\n", {{1, {"key", "a"}}, {3, {"x", ""}}}},
      {"nothing", "", {}},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    const Document document = read(each.input);
    EXPECT_EQ(document.error, "");
    ASSERT_EQ(document.records.size(), each.records.size());
    for (std::size_t i = 0; i < each.records.size(); ++i) {
      EXPECT_EQ(document.records[i].line, each.records[i].line) << i;
      EXPECT_EQ(document.records[i].fields, each.records[i].fields) << i;
    }
  }
}

TEST(CsvTest, MalformedInputNamesItsLine) {
  const struct {
    Text input;
    std::int64_t line;
    Text error;
  } cases[] = {
      {"key,a\r\nx,1\"2\r\n", 2, "a quote inside a field that does not begin with one"},
      {"key,a\r\nx,\"1\"2\r\n", 2, "text after a closing quote"},
      {"key,a\r\nx,\"1\r\n2\r\n", 2, "a quoted field without its closing quote"},
      {"key,a\r\nx,1\r2\r\n", 2, "a CR without LF outside quotes"},
      {Text("key,a\r\n\r\nx,1") + Text(1, '\0') + "\r\n", 3, "a zero byte"},
  };
  for (const auto& each : cases) {
    const Document document = read(each.input);
    EXPECT_EQ(document.error, each.error) << each.input;
    EXPECT_EQ(document.errorLine, each.line) << each.input;
  }
}

}  // namespace
}  // namespace vantrel::csv

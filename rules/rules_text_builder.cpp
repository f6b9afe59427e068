#include "rules/rules_text_builder.h"

namespace vantrel::testing {
namespace {

Text line(int spaces, const Text& content) { return Text(spaces, ' ') + content + "\r\n"; }

Text valueLine(int spaces, const std::optional<Text>& value) {
  return line(spaces, value ? "<Simple value=\"" + *value + "\" />" : Text("<Null />"));
}

Text tableText(const SampleTable& table) {
  Text text = line(8, "<Item>") + valueLine(10, table.name) + line(10, "<Complex>") +
              line(12, "<Properties>") +
              line(14,
                   "<Dictionary name=\"Cols\" keyType=\"System.String, mscorlib\" "
                   "valueType=\"System.Int32, mscorlib\">") +
              line(16, "<Items>");
  const std::size_t columnCount = table.rows.empty() ? 0 : table.rows.front().columns.size() + 1;
  for (std::size_t c = 0; c < columnCount; ++c) {
    text += line(18, "<Item>") + valueLine(20, "Column" + std::to_string(c)) +
            valueLine(20, std::to_string(c)) + line(18, "</Item>");
  }
  text += line(16, "</Items>") + line(14, "</Dictionary>") +
          line(14,
               "<Dictionary name=\"Rows\" keyType=\"System.String, mscorlib\" "
               "valueType=\"System.String[], mscorlib\">") +
          line(16, "<Items>");
  for (const SampleRow& row : table.rows) text += rowLines(row);
  return text + line(16, "</Items>") + line(14, "</Dictionary>") + line(12, "</Properties>") +
         line(10, "</Complex>") + line(8, "</Item>");
}

}  // namespace

Text rowLines(const SampleRow& row) {
  return line(18, "<Item>") + expectedRowText(row) + "\r\n" + line(18, "</Item>");
}

Text expectedRowText(const SampleRow& row) {
  Text text = valueLine(20, row.key) +
              line(20, "<SingleArray elementType=\"System.String, mscorlib\">") +
              line(22, "<Items>") + valueLine(24, row.key);
  for (const std::optional<Text>& column : row.columns) text += valueLine(24, column);
  return text + line(22, "</Items>") + Text(20, ' ') + "</SingleArray>";
}

Text buildRulesText(const std::vector<SampleTable>& tables) {
  Text text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" +
              line(0, "<Complex name=\"Root\">") + line(2, "<Properties>") +
              line(4,
                   "<Dictionary name=\"Tables\" keyType=\"System.String, mscorlib\" "
                   "valueType=\"System.Object, mscorlib\">") +
              line(6, "<Items>");
  for (const SampleTable& table : tables) text += tableText(table);
  return text + line(6, "</Items>") + line(4, "</Dictionary>") + line(2, "</Properties>") +
         line(0, "</Complex>");
}

}  // namespace vantrel::testing

// Comma-separated values as RFC 4180 has them: fields that hold a comma, a
// quote or a line break are quoted, a quote inside is doubled, records end with
// CR LF. Reading also takes LF line ends and a leading UTF-8 byte-order mark.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace vantrel::csv {

// One record with its CR LF.
Text record(const std::vector<Text>& fields);

struct Record {
  std::int64_t line = 0;  // where the record begins, from 1
  std::vector<Text> fields;
};

struct Document {
  std::vector<Record> records;  // empty lines left out
  // On malformed input: the line of the fault and what is wrong; records
  // are then incomplete.
  std::int64_t errorLine = 0;
  Text error;
};

Document read(std::string_view input);

}  // namespace vantrel::csv

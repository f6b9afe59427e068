#include "app/rules_tool/csv.h"

namespace vantrel::csv {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool needsQuotes(const Text& field) { return field.find_first_of(",\"\r\n") != Text::npos; }

// Reads records from input, keeping count of lines.
class Reader {
 public:
  explicit Reader(std::string_view input) : input_(input) {
    if (input_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
      at_ = kByteOrderMark.size();
    }
  }

  Document readAll() {
    Document document;
    while (at_ < input_.size()) {
      Record record{line_, {}};
      if (!readRecord(record.fields)) {
        document.errorLine = errorLine_;
        document.error = error_;
        return document;
      }
      const bool emptyLine = record.fields.size() == 1 && record.fields[0].empty();
      if (!emptyLine) document.records.push_back(std::move(record));
    }
    return document;
  }

 private:
  bool fail(std::int64_t line, const char* what) {
    errorLine_ = line;
    error_ = what;
    return false;
  }

  // At a line end (CR LF or LF): moves past it.
  bool takeLineEnd() {
    if (input_.substr(at_, 2) == "\r\n") {
      at_ += 2;
    } else if (at_ < input_.size() && input_[at_] == '\n') {
      ++at_;
    } else {
      return false;
    }
    ++line_;
    return true;
  }

  bool readRecord(std::vector<Text>& fields) {
    for (;;) {
      Text field;
      if (!(at_ < input_.size() && input_[at_] == '"' ? readQuoted(field) : readPlain(field))) {
        return false;
      }
      fields.push_back(std::move(field));
      if (at_ >= input_.size() || takeLineEnd()) return true;
      if (input_[at_] != ',') return fail(line_, "text after a closing quote");
      ++at_;
    }
  }

  bool readPlain(Text& field) {
    const std::size_t begin = at_;
    while (at_ < input_.size()) {
      const char c = input_[at_];
      if (c == ',' || c == '\n' || input_.substr(at_, 2) == "\r\n") break;
      if (c == '"') return fail(line_, "a quote inside a field that does not begin with one");
      if (c == '\r') return fail(line_, "a CR without LF outside quotes");
      if (c == '\0') return fail(line_, "a zero byte");
      ++at_;
    }
    field.assign(input_.substr(begin, at_ - begin));
    return true;
  }

  bool readQuoted(Text& field) {
    const std::int64_t startLine = line_;
    ++at_;  // the opening quote
    for (;;) {
      if (at_ >= input_.size()) return fail(startLine, "a quoted field without its closing quote");
      const char c = input_[at_];
      if (c == '"') {
        if (input_.substr(at_, 2) == "\"\"") {
          field += '"';
          at_ += 2;
          continue;
        }
        ++at_;
        return true;
      }
      if (c == '\0') return fail(line_, "a zero byte");
      if (c == '\n') ++line_;
      field += c;
      ++at_;
    }
  }

  std::string_view input_;
  std::size_t at_ = 0;
  std::int64_t line_ = 1;
  std::int64_t errorLine_ = 0;
  Text error_;
};

}  // namespace

Text record(const std::vector<Text>& fields) {
  Text line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    const Text& field = fields[i];
    if (!needsQuotes(field)) {
      line += field;
      continue;
    }
    line += '"';
    for (const char c : field) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + "\r\n";
}

Document read(std::string_view input) { return Reader(input).readAll(); }

}  // namespace vantrel::csv

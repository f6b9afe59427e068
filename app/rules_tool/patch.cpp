#include "app/rules_tool/patch.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace vantrel::patch {
namespace {

constexpr std::string_view kPathEnd = ": ";
constexpr std::string_view kArrow = " -> ";
constexpr std::string_view kOnlyInOld = "only in OLD";
constexpr std::string_view kOnlyInNew = "only in NEW";

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

bool needsQuotes(const Text& part, bool isName) {
  if (part.empty() || part.front() == '"' || part.front() == ' ' || part.back() == ' ') {
    return true;
  }
  for (const char c : part) {
    if (isControl(c) || (isName && c == '/')) return true;
  }
  return part.find(kPathEnd) != Text::npos || part.find(kArrow) != Text::npos;
}

Text quoted(const Text& part) {
  Text result = "\"";
  for (const char c : part) {
    switch (c) {
      case '"':
        result += "\\\"";
        break;
      case '\\':
        result += "\\\\";
        break;
      case '\r':
        result += "\\r";
        break;
      case '\n':
        result += "\\n";
        break;
      case '\t':
        result += "\\t";
        break;
      default:
        if (isControl(c)) {
          char escaped[5];
          std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
          result += escaped;
        } else {
          result += c;
        }
    }
  }
  return result + "\"";
}

Text name(const Text& part) { return needsQuotes(part, true) ? quoted(part) : part; }
Text value(const Text& part) { return needsQuotes(part, false) ? quoted(part) : part; }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads one part of a line from `at`: a quoted part, or everything up to the
// first of the delimiters (or the end when there is none). False when a
// quoted part is broken.
bool readPart(std::string_view line, std::size_t& at, std::vector<std::string_view> delimiters,
              Text& part) {
  part.clear();
  if (at < line.size() && line[at] == '"') {
    for (++at; at < line.size(); ++at) {
      char c = line[at];
      if (c == '"') {
        ++at;
        return true;
      }
      if (c == '\\') {
        if (++at >= line.size()) return false;
        switch (line[at]) {
          case '"':
            c = '"';
            break;
          case '\\':
            c = '\\';
            break;
          case 'r':
            c = '\r';
            break;
          case 'n':
            c = '\n';
            break;
          case 't':
            c = '\t';
            break;
          case 'x': {
            if (at + 2 >= line.size()) return false;
            const int high = hexDigit(line[at + 1]);
            const int low = hexDigit(line[at + 2]);
            if (high < 0 || low < 0) return false;
            c = static_cast<char>(high * 16 + low);
            at += 2;
            break;
          }
          default:
            return false;
        }
      }
      part += c;
    }
    return false;
  }
  std::size_t end = line.size();
  for (const std::string_view delimiter : delimiters) {
    end = std::min(end, line.find(delimiter, at));
  }
  part.assign(line.substr(at, end - at));
  at = end;
  return !part.empty();
}

bool takes(std::string_view line, std::size_t& at, std::string_view expected) {
  if (line.substr(at, expected.size()) != expected) return false;
  at += expected.size();
  return true;
}

}  // namespace

Text cellPath(const Text& table, const Text& key, const Text& column) {
  return name(table) + "/" + name(key) + "/" + name(column);
}

Text changeLine(const Change& change) {
  return cellPath(change.table, change.key, change.column) + ": " + value(change.oldValue) +
         " -> " + value(change.newValue);
}

Text rowOrTableOnlyLine(const Text& table, const std::optional<Text>& key, bool inOld) {
  Text line = name(table);
  if (key) line.append("/").append(name(*key));
  return line.append(": ").append(inOld ? kOnlyInOld : kOnlyInNew);
}

Text columnOnlyLine(const Text& table, const Text& column, bool inOld) {
  return name(table) + ": column " + name(column) + " " + Text(inOld ? kOnlyInOld : kOnlyInNew);
}

Line parseLine(const Text& text) {
  const std::string_view line = text;
  if (line.empty() || line.front() == '#') return {};
  Line result;
  result.kind = Line::kMalformed;
  std::vector<Text> path;
  std::size_t at = 0;
  for (;;) {
    Text part;
    if (!readPart(line, at, {"/", kPathEnd}, part)) return result;
    path.push_back(std::move(part));
    if (takes(line, at, kPathEnd)) break;
    if (!takes(line, at, "/") || path.size() == 3) return result;
  }
  const std::string_view rest = line.substr(at);
  if (path.size() < 3) {
    const bool presence = rest == kOnlyInOld || rest == kOnlyInNew;
    const bool column = path.size() == 1 && rest.substr(0, 7) == "column " &&
                        (rest.ends_with(Text(" ") + Text(kOnlyInOld)) ||
                         rest.ends_with(Text(" ") + Text(kOnlyInNew)));
    if (presence || column) result.kind = Line::kPresence;
    return result;
  }
  Change& change = result.change;
  change.table = path[0];
  change.key = path[1];
  change.column = path[2];
  if (!readPart(line, at, {kArrow}, change.oldValue)) return result;
  if (!takes(line, at, kArrow)) return result;
  if (!readPart(line, at, {}, change.newValue)) return result;
  if (at != line.size()) return result;
  result.kind = Line::kChange;
  return result;
}

}  // namespace vantrel::patch

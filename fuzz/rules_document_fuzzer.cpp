// Loading an arbitrary rules text, then a script of setValue and getValue
// calls through the recording window. Each change may touch only the one line
// it names, every other byte of the text stays as it was, and getValue gives
// back the value set.
//
// Input: the script, a zero byte, then the rules text (no zero byte can be in
// a text). Each step of the script is four bytes, table, selection, line and
// value length, followed by the value's bytes.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "rules/fake_window.h"
#include "rules/row_values.h"
#include "rules/rules_document.h"
#include "rules/rules_markers.h"
#include "text/markers.h"

namespace fs = std::filesystem;
using namespace vantrel;

namespace {

// A scratch folder as the temporary directory, so that the working file is
// written inside it.
struct Scratch {
  Scratch() {
    char name[] = "/tmp/vantrel_rules_fuzz.XXXXXX";
    if (!mkdtemp(name)) std::abort();
    root = name;
    fs::create_directory(root / "VUVazur.dat");
    setenv("TMPDIR", root.c_str(), 1);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path root;
};

void expect(bool holds) {
  if (!holds) std::abort();
}

// Whether text is well-formed UTF-8, written here independently of the
// program's own decoding.
bool isUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3
                                                                      : lead < 0xF5 ? 4
                                                                                    : 0;
    if (length == 0 || i + length > text.size()) return false;
    std::uint32_t codePoint = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      codePoint = codePoint << 6 | (next & 0x3F);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

Text fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

// Checks that after differs from before only by oldLine having become newLine,
// in one place.
void expectOnlyLineChanged(const Text& before, const Text& after, const Text& oldLine,
                           const Text& newLine) {
  expect(after.size() - newLine.size() == before.size() - oldLine.size());
  std::size_t shared = 0;  // bytes at the start that both lines have alike
  while (shared < oldLine.size() && shared < newLine.size() && oldLine[shared] == newLine[shared]) {
    ++shared;
  }
  // A line that begins with the other: the change can't be placed exactly.
  if (shared == oldLine.size() || shared == newLine.size()) return;
  const std::size_t common = std::min(before.size(), after.size());
  std::size_t firstDifference = 0;
  while (firstDifference < common && before[firstDifference] == after[firstDifference]) {
    ++firstDifference;
  }
  expect(firstDifference < common && firstDifference >= shared);
  const std::size_t lineStart = firstDifference - shared;
  expect(before.compare(lineStart, oldLine.size(), oldLine) == 0);
  expect(after.compare(lineStart, newLine.size(), newLine) == 0);
  expect(before.compare(lineStart + oldLine.size(), Text::npos, after,
                        lineStart + newLine.size(), Text::npos) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scratch scratch;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t zero = input.find('\0');
  const std::string_view script = zero == std::string_view::npos ? "" : input.substr(0, zero);
  const std::string_view text = zero == std::string_view::npos ? input : input.substr(zero + 1);

  const fs::path source = scratch.root / "rules.txt";
  std::ofstream(source, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
  fs::remove(scratch.root / "VUVazur.dat" / "VUVazur.dat");
  RulesDocument document;
  FakeWindow window;
  document.load(source.string(), window);

  for (std::size_t at = 0; at + 4 <= script.size();) {
    const std::int32_t table = static_cast<std::uint8_t>(script[at]) % 4;  // 3: no table
    const std::int32_t selection = static_cast<std::int8_t>(script[at + 1]);
    const std::int32_t line = static_cast<std::uint8_t>(script[at + 2]);
    const std::size_t length = static_cast<std::uint8_t>(script[at + 3]) % 64;
    const Text value(script.substr(at + 4, length));
    at += 4 + length;

    const bool commands = table == Commands;
    window.select(commands ? kCommandList : kEntityList, selection);
    const TextArray& rows = commands ? document.commandRows() : document.entityRows();
    const bool selected = table <= Commands && selection >= 0 && selection < rows.count();
    const Text before = document.documentText();
    const Text oldRow = rows.member(selection + 1);

    document.setValue(line, table, value, window);

    const Text& after = document.documentText();
    const Text oldLine = lineAt(oldRow, line);
    const Text newLine = lineWithValue(oldLine, value);
    if (!selected || newLine == oldLine) {
      expect(after == before);
      expect(!selected || rows.member(selection + 1) == oldRow);
    } else {
      expectOnlyLineChanged(before, after, oldLine, newLine);
      expect(rows.member(selection + 1) == replaceLine(oldRow, line, newLine));
    }
    // A line that holds a value, or a <Null /> line given one, reads back
    // what was set (a value in the system's encoding: UTF-8 here).
    const bool takesValue = newLine != oldLine || lineValue(oldLine) == value;
    if (selected && takesValue && isUtf8(value)) {
      expect(document.getValue(line, table, window) == value);
    }
  }
  if (!script.empty() && fs::exists(scratch.root / "VUVazur.dat" / "VUVazur.dat")) {
    expect(fileText(scratch.root / "VUVazur.dat" / "VUVazur.dat") == document.documentText());
  }
  return 0;
}

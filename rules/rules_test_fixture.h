// A fixture for tests of the rules document: a fresh temporary directory set
// as TMPDIR (so the working file lands there), a recording window, and
// helpers to load a text and to read back the working file.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "rules/fake_window.h"
#include "rules/rules_document.h"

namespace vantrel::testing {

// The variable that names the temporary directory: GetTempPathA reads TMP
// first on Windows.
#ifdef _WIN32
inline constexpr const char* kTemporaryDirectoryVariable = "TMP";
inline void setVariable(const char* name, const char* value) { _putenv_s(name, value); }
inline void unsetVariable(const char* name) { _putenv_s(name, ""); }
#else
inline constexpr const char* kTemporaryDirectoryVariable = "TMPDIR";
inline void setVariable(const char* name, const char* value) { setenv(name, value, 1); }
inline void unsetVariable(const char* name) { unsetenv(name); }
#endif

class RulesDocumentFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    directory_ = std::filesystem::temp_directory_path() /
                 ("vantrel_rules_" + std::string(test->test_suite_name()) + "_" + test->name());
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_ / "VUVazur.dat");
    if (const char* saved = std::getenv(kTemporaryDirectoryVariable)) {
      savedTemporaryDirectory_ = saved;
    }
    setVariable(kTemporaryDirectoryVariable, directory_.string().c_str());
  }

  void TearDown() override {
    if (savedTemporaryDirectory_.empty()) {
      unsetVariable(kTemporaryDirectoryVariable);
    } else {
      setVariable(kTemporaryDirectoryVariable, savedTemporaryDirectory_.c_str());
    }
    std::filesystem::remove_all(directory_);
  }

  // Writes text to a source file (not the working file) and loads it.
  void loadText(const Text& text) {
    const std::filesystem::path source = directory_ / "source.txt";
    std::ofstream(source, std::ios::binary) << text;
    document.load(source.string(), window);
  }

  std::filesystem::path workingFilePath() const {
    return directory_ / "VUVazur.dat" / "VUVazur.dat";
  }
  bool workingFileWritten() const { return std::filesystem::exists(workingFilePath()); }
  Text workingFileText() const {
    std::ifstream in(workingFilePath(), std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
  }

  std::filesystem::path directory_;
  std::string savedTemporaryDirectory_;
  RulesDocument document;
  FakeWindow window;
};

// The lines of a text split at CR LF, by the standard library.
inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

// How often sought occurs in text, overlaps included.
inline int occurrences(const std::string& text, const std::string& sought) {
  int count = 0;
  for (std::size_t at = text.find(sought); at != std::string::npos;
       at = text.find(sought, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace vantrel::testing

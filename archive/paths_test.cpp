#include "archive/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "os/os.h"

namespace vantrel {
namespace {

// Sets TMPDIR for one test and puts the old value back afterwards.
class TemporaryDirectoryVariable {
 public:
  explicit TemporaryDirectoryVariable(const char* value) {
    if (const char* old = getenv("TMPDIR")) old_ = old;
    if (value)
      setenv("TMPDIR", value, 1);
    else
      unsetenv("TMPDIR");
  }
  ~TemporaryDirectoryVariable() {
    if (old_)
      setenv("TMPDIR", old_->c_str(), 1);
    else
      unsetenv("TMPDIR");
  }

 private:
  std::optional<std::string> old_;
};

TEST(PathsTest, SeparatorIsThePlatformOne) { EXPECT_EQ(pathSeparator(), os::separator()); }

TEST(PathsTest, TemporaryDirectoryEndsWithExactlyOneSeparator) {
  struct Case {
    const char* tmpdir;  // null: unset
    const char* expected;
  };
  static const Case cases[] = {
      {"/var/spool/scratch", "/var/spool/scratch/"},
      {"/var/spool/scratch/", "/var/spool/scratch/"},
      {"/", "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tmpdir ? c.tmpdir : "(unset)");
    TemporaryDirectoryVariable variable(c.tmpdir);
    EXPECT_EQ(specialFolderPath(11), c.expected);
  }
}

TEST(PathsTest, WithoutTmpdirTheTemporaryDirectoryIsTheUsersOwn) {
  for (const char* tmpdir : {"", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(tmpdir ? "empty" : "(unset)");
    TemporaryDirectoryVariable variable(tmpdir);
    const Text folder = specialFolderPath(11);
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder, "/tmp/");
    EXPECT_EQ(folder.back(), '/');
    EXPECT_NE(workingFolder().find(folder), Text::npos);
  }
}

TEST(PathsTest, KindsOutsideTheTableGiveTheEmptyText) {
  for (std::int32_t kind : {13, -1, 100, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(specialFolderPath(kind), "");
  }
}

TEST(PathsTest, KindZeroIsTheDesktop) { EXPECT_EQ(specialFolderPath(0), specialFolderPath(3)); }

TEST(PathsTest, EveryKnownFolderEndsWithOneSeparator) {
  for (std::int32_t kind = 0; kind <= 12; ++kind) {
    SCOPED_TRACE(kind);
    const Text folder = specialFolderPath(kind);
    if (folder.empty()) continue;  // not every system has every folder
    EXPECT_EQ(folder.back(), pathSeparator());
    if (folder.size() > 1) {
      EXPECT_NE(folder[folder.size() - 2], pathSeparator());
    }
  }
}

TEST(PathsTest, ProgramDirectoryIsTheExecutablesFolder) {
  const Text executable = os::executablePath();
  ASSERT_FALSE(executable.empty());
  const Text directory = programDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_NE(directory.back(), pathSeparator());
  EXPECT_EQ(executable.substr(0, directory.size() + 1), directory + pathSeparator());
  EXPECT_EQ(executable.find(pathSeparator(), directory.size() + 1), Text::npos);
}

TEST(PathsTest, GameArchiveAndWorkingCopy) {
  TemporaryDirectoryVariable variable("/var/spool/scratch");
  EXPECT_EQ(gameArchive(), programDirectory() + "/VUVazur.dat");
  EXPECT_EQ(workingFolder(), "/var/spool/scratch/VUVazur.dat");
  EXPECT_EQ(workingFile(), "/var/spool/scratch/VUVazur.dat/VUVazur.dat");
}

}  // namespace
}  // namespace vantrel

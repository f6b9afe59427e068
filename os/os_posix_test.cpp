// Contract tests of the POSIX platform layer, in a temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "os/os.h"

namespace vantrel::os {
namespace {

class PosixOsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vantrel-os-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

  std::string path(const std::string& name) const { return folder_ + "/" + name; }
  static void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
  }
  static std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::string folder_;
};

TEST_F(PosixOsTest, TemporaryFileReplacesTargetAndKeepsItsMode) {
  const std::string target = path("game.dat");
  writeFile(target, "old");
  ::chmod(target.c_str(), 0640);

  std::string temporary;
  auto file = createTemporaryBeside(target, temporary);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(temporary.rfind(folder_ + "/", 0), 0u) << temporary;
  ASSERT_TRUE(file->write("new!", 4));
  ASSERT_TRUE(file->close());
  ASSERT_TRUE(replaceWith(temporary, target));

  EXPECT_EQ(readFile(target), "new!");
  EXPECT_FALSE(pathExists(temporary));
  struct stat facts;
  ASSERT_EQ(::stat(target.c_str(), &facts), 0);
  EXPECT_EQ(facts.st_mode & 0777, 0640u);
}

TEST_F(PosixOsTest, ReadOnlyTargetIsNotReplacedEvenForRoot) {
  const std::string target = path("locked.dat");
  writeFile(target, "keep");
  ::chmod(target.c_str(), 0444);

  std::string temporary;
  auto file = createTemporaryBeside(target, temporary);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->write("lost", 4));
  file->close();
  EXPECT_FALSE(replaceWith(temporary, target));
  EXPECT_EQ(readFile(target), "keep");
  EXPECT_TRUE(removeFile(temporary));

  EXPECT_TRUE(setAttributesNormal(target));
  FileAttributes attributes;
  ASSERT_TRUE(readAttributes(target, attributes));
  EXPECT_EQ(attributes.bits & kReadOnly, 0u);
}

TEST_F(PosixOsTest, NoTemporaryFileInAMissingFolder) {
  std::string temporary;
  EXPECT_EQ(createTemporaryBeside(path("missing/x.dat"), temporary), nullptr);
}

TEST_F(PosixOsTest, ReadingRefusesFoldersAndMissingFiles) {
  EXPECT_EQ(openForReading(folder_), nullptr);
  EXPECT_EQ(openForReading(path("none")), nullptr);
  EXPECT_EQ(openForReading(""), nullptr);
  writeFile(path("a"), std::string("x\0y", 3));
  auto file = openForReading(path("a"));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->size(), 3);
  char buffer[8];
  EXPECT_EQ(file->read(buffer, sizeof buffer), 3);
  EXPECT_EQ(file->read(buffer, sizeof buffer), 0);
}

TEST_F(PosixOsTest, InspectDoesNotFollowSymbolicLinks) {
  ASSERT_EQ(::symlink(folder_.c_str(), path("link").c_str()), 0);
  PathFacts link = inspect(path("link"));
  EXPECT_TRUE(link.exists);
  EXPECT_TRUE(link.isSymbolicLink);
  EXPECT_FALSE(link.isFolder);
  EXPECT_FALSE(inspect(path("none")).exists);
  EXPECT_TRUE(inspect(folder_).isFolder);
  EXPECT_FALSE(inspect(folder_).ownedByOtherUser);
}

TEST_F(PosixOsTest, ListFolderNamesFilesAndSubfolders) {
  writeFile(path("f.txt"), "1");
  ASSERT_TRUE(createFolder(path("sub")));
  EXPECT_FALSE(createFolder(path("sub")));
  EXPECT_FALSE(createFolder(path("a/b")));
  auto entries = listFolder(folder_);
  ASSERT_EQ(entries.size(), 2u);
  for (const auto& entry : entries) EXPECT_EQ(entry.isFolder, entry.name == "sub") << entry.name;
  EXPECT_TRUE(listFolder(path("none")).empty());
}

TEST_F(PosixOsTest, PrivateFolderIsTheUsersAloneAndRemovedOnlyWhenEmpty) {
  ASSERT_TRUE(createPrivateFolder(path("private")));
  EXPECT_FALSE(createPrivateFolder(path("private")));
  struct stat facts;
  ASSERT_EQ(::stat(path("private").c_str(), &facts), 0);
  EXPECT_EQ(facts.st_mode & 0777, 0700u);
  writeFile(path("private/f.txt"), "1");
  EXPECT_FALSE(removeFolder(path("private")));
  ASSERT_TRUE(removeFile(path("private/f.txt")));
  EXPECT_TRUE(removeFolder(path("private")));
  EXPECT_FALSE(pathExists(path("private")));
}

// Sets an environment variable (null: unsets it) for one scope.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(PosixOsTest, TemporaryFolderFollowsTmpdir) {
  ScopedVariable tmpdir("TMPDIR", folder_.c_str());
  EXPECT_EQ(systemFolder(11), folder_);
  EXPECT_EQ(systemFolder(99), "");
}

// Without TMPDIR the temporary folder is one that no other user can enter:
// $XDG_RUNTIME_DIR when it is private, else a 0700 folder made for this user.
TEST_F(PosixOsTest, TemporaryFolderWithoutTmpdirIsTheUsersOwn) {
  ASSERT_EQ(::mkdir(path("private").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(path("shared").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(path("other").c_str(), 0700), 0);
  const bool canGiveAway = ::chown(path("other").c_str(), 65534, 65534) == 0;
  ASSERT_EQ(::symlink(path("private").c_str(), path("link").c_str()), 0);
  const std::string own = "/tmp/vantrel-editor-" + std::to_string(::geteuid());

  struct Case {
    const char* what;
    const char* tmpdir;
    std::optional<std::string> runtime;
    std::string expected;
  };
  std::vector<Case> cases = {
      {"private runtime folder", nullptr, path("private"), path("private")},
      {"empty TMPDIR", "", path("private"), path("private")},
      {"runtime folder others may enter", nullptr, path("shared"), own},
      {"runtime folder is a link", nullptr, path("link"), own},
      {"relative runtime folder", nullptr, std::string("private"), own},
      {"no runtime folder", nullptr, std::nullopt, own},
  };
  if (canGiveAway) cases.push_back({"another user's runtime folder", nullptr, path("other"), own});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedVariable tmpdir("TMPDIR", c.tmpdir);
    ScopedVariable runtime("XDG_RUNTIME_DIR", c.runtime ? c.runtime->c_str() : nullptr);
    EXPECT_EQ(systemFolder(11), c.expected);
  }
  struct stat facts;
  ASSERT_EQ(::lstat(own.c_str(), &facts), 0);
  EXPECT_TRUE(S_ISDIR(facts.st_mode));
  EXPECT_EQ(facts.st_uid, ::geteuid());
  EXPECT_EQ(facts.st_mode & 0777, 0700u);
}

TEST_F(PosixOsTest, LeftoverTemporariesOfTheTargetAloneAreRemoved) {
  const std::string target = path("VUVazur.dat");
  std::string leftover;
  ASSERT_NE(createTemporaryBeside(target, leftover), nullptr);
  std::string otherLeftover;
  ASSERT_NE(createTemporaryBeside(path("other.dat"), otherLeftover), nullptr);
  writeFile(path("VUVazur.dat.orig"), "kept");
  writeFile(target, "kept");
  // Named like a temporary but not a file the editor makes: left alone.
  const std::string lookalikeFolder = leftover + "-folder";
  ASSERT_EQ(::mkdir(lookalikeFolder.c_str(), 0700), 0);
  const std::string lookalikeLink = leftover + "-link";
  ASSERT_EQ(::symlink(target.c_str(), lookalikeLink.c_str()), 0);

  removeLeftoverTemporaries(target);

  EXPECT_FALSE(pathExists(leftover));
  EXPECT_TRUE(pathExists(otherLeftover));
  EXPECT_TRUE(pathExists(path("VUVazur.dat.orig")));
  EXPECT_TRUE(pathExists(target));
  EXPECT_TRUE(isFolder(lookalikeFolder));
  EXPECT_TRUE(inspect(lookalikeLink).isSymbolicLink);
}

TEST_F(PosixOsTest, ReplacementTargetFollowsLinksToTheirEnd) {
  ASSERT_EQ(::mkdir(path("mods").c_str(), 0700), 0);
  writeFile(path("mods/rules.dat"), "x");
  ASSERT_EQ(::symlink("rules.dat", path("mods/current").c_str()), 0);           // relative
  ASSERT_EQ(::symlink(path("mods/current").c_str(), path("game").c_str()), 0);  // absolute
  ASSERT_EQ(::symlink("missing.dat", path("dangling").c_str()), 0);
  ASSERT_EQ(::symlink("loop", path("loop").c_str()), 0);

  EXPECT_EQ(replacementTarget(path("game")), path("mods/rules.dat"));
  EXPECT_EQ(replacementTarget(path("mods/rules.dat")), path("mods/rules.dat"));
  EXPECT_EQ(replacementTarget(path("dangling")), path("missing.dat"));
  EXPECT_EQ(replacementTarget(path("absent")), path("absent"));
  EXPECT_EQ(replacementTarget(path("loop")), path("loop"));
  EXPECT_TRUE(flushFolderOf(path("mods/rules.dat")));
  EXPECT_FALSE(flushFolderOf(path("nowhere/rules.dat")));
}

TEST_F(PosixOsTest, FileLockHasOneHolderAndNeverFollowsALink) {
  const std::string lockPath = path("editor.lock");
  LockRefusal refusal = LockRefusal::Failed;
  auto first = lockFile(lockPath, refusal);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(refusal, LockRefusal::None);
  EXPECT_EQ(lockFile(lockPath, refusal), nullptr);
  EXPECT_EQ(refusal, LockRefusal::HeldElsewhere);
  first.reset();
  EXPECT_NE(lockFile(lockPath, refusal), nullptr);

  writeFile(path("victim"), "keep");
  ASSERT_EQ(::symlink(path("victim").c_str(), path("planted.lock").c_str()), 0);
  EXPECT_EQ(lockFile(path("planted.lock"), refusal), nullptr);
  EXPECT_EQ(refusal, LockRefusal::Failed);
  EXPECT_EQ(readFile(path("victim")), "keep");
}

TEST(PosixOs, ExecutablePathIsAbsolute) {
  std::string self = executablePath();
  ASSERT_FALSE(self.empty());
  EXPECT_EQ(self[0], '/');
  EXPECT_TRUE(pathExists(self));
}

}  // namespace
}  // namespace vantrel::os

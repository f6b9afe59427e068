// Contract tests of the POSIX platform layer, in a temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

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

TEST_F(PosixOsTest, TemporaryFolderFollowsTmpdir) {
  const char* saved = std::getenv("TMPDIR");
  std::string restore = saved ? saved : "";
  ::setenv("TMPDIR", folder_.c_str(), 1);
  EXPECT_EQ(systemFolder(11), folder_);
  ::setenv("TMPDIR", "", 1);
  EXPECT_EQ(systemFolder(11), "/tmp");
  if (saved)
    ::setenv("TMPDIR", restore.c_str(), 1);
  else
    ::unsetenv("TMPDIR");
  EXPECT_EQ(systemFolder(99), "");
}

TEST(PosixOs, ExecutablePathIsAbsolute) {
  std::string self = executablePath();
  ASSERT_FALSE(self.empty());
  EXPECT_EQ(self[0], '/');
  EXPECT_TRUE(pathExists(self));
}

}  // namespace
}  // namespace vantrel::os

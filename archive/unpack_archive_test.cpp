#include <gtest/gtest.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>  // chmod
#endif

#include <string>

#include "archive/zip_archive.h"
#include "archive/zip_test_support.h"
#include "os/os.h"

namespace vantrel {
namespace {

using test::CraftedEntry;

class UnpackArchiveTest : public ::testing::Test {
 protected:
  void writeArchive(const std::vector<CraftedEntry>& entries) {
    const test::ByteVector bytes = test::craftArchive(entries);
    test::writeFile(archive_, std::string(bytes.begin(), bytes.end()));
  }

  test::ScratchFolder scratch_;
  const std::string archive_ = scratch_ / "game.dat";
  const std::string working_ = scratch_ / "VUVazur.dat";
};

TEST_F(UnpackArchiveTest, TheSampleArchiveGivesTheSampleText) {
  EXPECT_EQ(unpackArchive(VANTREL_DATA_DIR "/VUVazur.dat", working_), 1);
  const std::string text = test::readFile(working_ + test::native("/VUVazur.dat"));
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text, test::readFile(VANTREL_DATA_DIR "/VUVazur.txt"));
}

TEST_F(UnpackArchiveTest, PackingAndUnpackingGivesBackTheSameFiles) {
  const std::string source = scratch_ / "source";
  ASSERT_TRUE(os::createFolder(source));
  ASSERT_TRUE(os::createFolder(source + test::native("/a")));
  ASSERT_TRUE(os::createFolder(source + test::native("/a/empty")));
  test::writeFile(source + test::native("/VUVazur.dat"),
                  test::readFile(VANTREL_DATA_DIR "/VUVazur.txt"));
  test::writeFile(source + test::native("/a/b.txt"), "bee");
  test::writeFile(source + test::native("/a/x.zip"), std::string(70000, '\x7f'));
  test::writeFile(source + test::native("/empty.txt"), "");
  ASSERT_TRUE(os::setModifiedTime(source + test::native("/a/b.txt"), 1236000000));

  ASSERT_EQ(packFolder(source, archive_), 1);
  ASSERT_EQ(unpackArchive(archive_, working_), 1);
  EXPECT_EQ(test::listTree(working_), test::listTree(source));
  for (const char* file : {"VUVazur.dat", "a/b.txt", "a/x.zip", "empty.txt"}) {
    SCOPED_TRACE(file);
    std::string relative = "/";
    relative += file;
    EXPECT_EQ(test::readFile(working_ + test::native(relative)),
              test::readFile(source + test::native(relative)));
  }
  os::FileAttributes attributes;
  ASSERT_TRUE(os::readAttributes(working_ + test::native("/a/b.txt"), attributes));
  EXPECT_EQ(attributes.modified, 1236000000);
}

TEST_F(UnpackArchiveTest, AReadOnlyWorkingFileIsReplacedAndOtherFilesStay) {
  ASSERT_TRUE(os::createFolder(working_));
  test::writeFile(working_ + test::native("/VUVazur.dat"), "old and read-only");
  test::writeFile(working_ + test::native("/notes.txt"), "someone else's");
  ASSERT_EQ(::chmod((working_ + test::native("/VUVazur.dat")).c_str(), 0444), 0);
  writeArchive({CraftedEntry("VUVazur.dat", "new rules").deflated()});

  EXPECT_EQ(unpackArchive(archive_, working_), 1);
  EXPECT_EQ(test::readFile(working_ + test::native("/VUVazur.dat")), "new rules");
  EXPECT_EQ(test::readFile(working_ + test::native("/notes.txt")), "someone else's");
  EXPECT_EQ(test::listTree(working_), (std::vector<std::string>{"VUVazur.dat", "notes.txt"}));
  os::FileAttributes attributes;
  ASSERT_TRUE(os::readAttributes(working_ + test::native("/VUVazur.dat"), attributes));
  EXPECT_EQ(attributes.bits & os::kReadOnly, 0u);
}

TEST_F(UnpackArchiveTest, AnythingButAZipArchiveGivesZeroAndLeavesTheNewFolder) {
  struct Case {
    const char* what;
    std::string contents;
  };
  const test::ByteVector empty = test::craftArchive({});
  const Case cases[] = {
      {"text", "this is not an archive"},
      {"nothing", ""},
      {"archive without entries", std::string(empty.begin(), empty.end())},
      {"local header and nothing else", std::string("PK\x03\x04", 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::writeFile(archive_, c.contents);
    const std::string destination = scratch_ / "new/levels/VUVazur.dat";
    EXPECT_EQ(unpackArchive(archive_, destination), 0);
    EXPECT_TRUE(os::isFolder(destination));
    EXPECT_TRUE(test::listTree(destination).empty());
  }
}

TEST_F(UnpackArchiveTest, AMissingArchiveGivesMinusOneAndCreatesNothing) {
  EXPECT_EQ(unpackArchive(scratch_ / "missing.dat", working_), -1);
  EXPECT_EQ(unpackArchive("", working_), -1);
  EXPECT_FALSE(os::pathExists(working_));
}

TEST_F(UnpackArchiveTest, AnEmptyPackedFolderDoesNotUnpack) {
  const std::string source = scratch_ / "source";
  ASSERT_TRUE(os::createFolder(source));
  ASSERT_EQ(packFolder(source, archive_), 1);
  EXPECT_EQ(unpackArchive(archive_, working_), 0);
}

TEST_F(UnpackArchiveTest, FoldersComeFromDirectoryEntriesOrMustExist) {
  writeArchive({CraftedEntry("a/"), CraftedEntry("a/b.txt", "bee")});
  EXPECT_EQ(unpackArchive(archive_, working_), 1);
  EXPECT_EQ(test::readFile(working_ + test::native("/a/b.txt")), "bee");

  const std::string other = scratch_ / "other";
  writeArchive({CraftedEntry("first.txt", "one"), CraftedEntry("a/b.txt", "bee")});
  EXPECT_EQ(unpackArchive(archive_, other), 0);
  EXPECT_EQ(test::readFile(other + test::native("/first.txt")),
            "one");  // extracted before the failure
  EXPECT_FALSE(os::pathExists(other + test::native("/a")));
  // Once the folder exists, the same archive unpacks.
  ASSERT_TRUE(os::createFolder(other + test::native("/a")));
  EXPECT_EQ(unpackArchive(archive_, other), 1);
  EXPECT_EQ(test::readFile(other + test::native("/a/b.txt")), "bee");
}

TEST_F(UnpackArchiveTest, ADestinationThatCantBeCreatedGivesZero) {
  writeArchive({CraftedEntry("VUVazur.dat", "rules")});
  test::writeFile(scratch_ / "file", "a file, not a folder");
  EXPECT_EQ(unpackArchive(archive_, scratch_ / "file"), 0);
  EXPECT_EQ(unpackArchive(archive_, scratch_ / "file/below"), 0);
  EXPECT_EQ(unpackArchive(archive_, ""), 0);
}

}  // namespace
}  // namespace vantrel

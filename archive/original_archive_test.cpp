// The game's original archive, kept once beside it before the first
// replacement and never touched again.
#include "archive/original_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class OriginalArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("vantrel-orig-" + std::string(
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    ASSERT_TRUE(fs::create_directories(root_));
    archive_ = (root_ / "VUVazur.dat").string();
  }
  void TearDown() override { fs::remove_all(root_); }

  static void write(const fs::path& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
  }
  static std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path original() const { return originalArchivePath(archive_); }

  fs::path root_;
  Text archive_;
};

TEST_F(OriginalArchiveTest, FirstCallCopiesTheArchiveLaterOnesNeverOverwriteIt) {
  write(archive_, std::string("PK\3\4 game's own rules\0 with a zero", 35));
  EXPECT_EQ(original(), root_ / "VUVazur.dat.orig");

  ASSERT_TRUE(keepOriginalArchive(archive_));
  EXPECT_EQ(read(original()), read(archive_));

  const std::string kept = read(original());
  write(archive_, "edited by the editor");
  ASSERT_TRUE(keepOriginalArchive(archive_));
  EXPECT_EQ(read(original()), kept);
}

TEST_F(OriginalArchiveTest, NoArchiveNothingToKeep) {
  EXPECT_TRUE(keepOriginalArchive(archive_));
  EXPECT_FALSE(fs::exists(original()));
}

TEST_F(OriginalArchiveTest, AnEmptyArchiveIsKeptEmpty) {
  write(archive_, "");
  ASSERT_TRUE(keepOriginalArchive(archive_));
  EXPECT_TRUE(fs::exists(original()));
  EXPECT_EQ(fs::file_size(original()), 0u);
}

TEST_F(OriginalArchiveTest, ArchiveThatCantBeReadStopsTheReplacement) {
  fs::create_directory(archive_);  // a folder where the archive belongs
  EXPECT_FALSE(keepOriginalArchive(archive_));
  EXPECT_FALSE(fs::exists(original()));
}

#ifndef _WIN32
TEST_F(OriginalArchiveTest, LinkedArchiveIsKeptByItsContents) {
  write(root_ / "real.dat", "linked rules");
  fs::create_symlink(root_ / "real.dat", archive_);
  ASSERT_TRUE(keepOriginalArchive(archive_));
  EXPECT_FALSE(fs::is_symlink(original()));
  EXPECT_EQ(read(original()), "linked rules");
}
#endif

}  // namespace
}  // namespace vantrel

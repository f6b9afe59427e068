#include "archive/pristine_archive.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <random>
#include <string>

#include "text/text.h"

namespace vantrel {
namespace {

const Text kCommittedArchive = VANTREL_DATA_DIR "/VUVazur.dat";

TEST(PristineArchiveTest, EqualsTheCommittedArchive) {
  const Bytes committed = readWholeFile(kCommittedArchive);
  ASSERT_FALSE(committed.empty()) << kCommittedArchive;
  EXPECT_EQ(pristineArchive(), committed);
}

TEST(PristineArchiveTest, IsAZipArchive) {
  const Bytes& archive = pristineArchive();
  ASSERT_GE(archive.size(), 22u);
  EXPECT_EQ(Bytes(archive.begin(), archive.begin() + 4), (Bytes{0x50, 0x4B, 0x03, 0x04}));
}

TEST(PristineArchiveTest, WritingItOverAGameArchiveIsByteExact) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("pristine_archive_test-" + std::to_string(std::random_device{}()));
  std::filesystem::remove_all(folder);
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const Text gameArchive = (folder / "VUVazur.dat").string();
  ASSERT_TRUE(writeWholeFile(gameArchive, textToBytes("an edited archive, longer than none")));

  ASSERT_TRUE(writeWholeFile(gameArchive, pristineArchive()));
  EXPECT_EQ(readWholeFile(gameArchive), pristineArchive());

  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vantrel

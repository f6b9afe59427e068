// The working folder's lock: one holder at a time, released with its holder,
// never taken in a folder planted by someone else.
#include "archive/working_folder_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class WorkingFolderLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("vantrel-lock-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    ASSERT_TRUE(fs::create_directories(root_));
  }
  void TearDown() override { fs::remove_all(root_); }

  Text folder(const char* name) const { return (root_ / name).string(); }

  fs::path root_;
};

TEST_F(WorkingFolderLockTest, SecondHolderIsRefusedUntilTheFirstLetsGo) {
  const Text working = folder("VUVazur.dat");
  auto first = WorkingFolderLock::acquire(working);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(fs::is_directory(working)) << "a missing working folder is created";

  bool heldElsewhere = false;
  EXPECT_EQ(WorkingFolderLock::acquire(working, heldElsewhere), nullptr);
  EXPECT_TRUE(heldElsewhere);

  first.reset();
  auto again = WorkingFolderLock::acquire(working, heldElsewhere);
  EXPECT_NE(again, nullptr);
  EXPECT_FALSE(heldElsewhere);
}

TEST_F(WorkingFolderLockTest, LocksOfDifferentFoldersDoNotMeet) {
  auto one = WorkingFolderLock::acquire(folder("one"));
  auto other = WorkingFolderLock::acquire(folder("other"));
  EXPECT_NE(one, nullptr);
  EXPECT_NE(other, nullptr);
}

TEST_F(WorkingFolderLockTest, CannotBeTakenIsNotHeldElsewhere) {
  fs::create_directories(root_ / "real");
  struct Case {
    const char* what;
    Text workingFolder;
  };
  std::vector<Case> cases = {{"empty path", Text()}};
  {
    std::ofstream(root_ / "file") << "x";
    cases.push_back({"a file where the folder belongs", folder("file")});
  }
#ifndef _WIN32
  fs::create_directory_symlink(root_ / "real", root_ / "link");
  cases.push_back({"a planted link", folder("link")});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool heldElsewhere = true;
    EXPECT_EQ(WorkingFolderLock::acquire(c.workingFolder, heldElsewhere), nullptr);
    EXPECT_FALSE(heldElsewhere);
  }
  EXPECT_TRUE(fs::is_empty(root_ / "real")) << "nothing written through the link";
}

}  // namespace
}  // namespace vantrel

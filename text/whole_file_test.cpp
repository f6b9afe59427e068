#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>

#include "text/text.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// A fresh folder of its own for each test, removed afterwards.
class WholeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    folder = fs::temp_directory_path() / ("vantrel-whole-file-" + std::to_string(random()));
    fs::create_directories(folder);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder / "target.dat", fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder, ignored);
  }

  Text pathOf(const std::string& name) const { return (folder / name).string(); }

  void putFile(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }

  Bytes contentsOf(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  fs::path folder;
};

const Bytes kWithZeros = {0x61, 0x00, 0x62, 0xFF, 0x00, 0x0D, 0x0A};

TEST_F(WholeFileTest, ReadGivesEveryByteOrNothing) {
  putFile("zeros.dat", kWithZeros);
  putFile("empty.dat", {});
  EXPECT_EQ(readWholeFile(pathOf("zeros.dat")), kWithZeros);
  EXPECT_EQ(readWholeFile(pathOf("empty.dat")), Bytes{});
  EXPECT_EQ(readWholeFile(pathOf("missing.dat")), Bytes{});
  EXPECT_EQ(readWholeFile(folder.string()), Bytes{});
  EXPECT_EQ(readWholeFile(""), Bytes{});
}

TEST_F(WholeFileTest, ReadAsTextStopsAtTheFirstZeroByte) {
  struct Case {
    Bytes contents;
    Text expected;
  };
  const Case cases[] = {
      {kWithZeros, "a"},
      {{0x00, 0x61}, ""},
      {{0x61, 0xFF, 0x0D, 0x0A}, "a\xFF\r\n"},
      {{}, ""},
  };
  for (const Case& c : cases) {
    putFile("text.dat", c.contents);
    EXPECT_EQ(readWholeFileAsText(pathOf("text.dat")), c.expected)
        << "file of " << c.contents.size() << " bytes beginning "
        << (c.contents.empty() ? -1 : c.contents[0]);
  }
  EXPECT_EQ(readWholeFileAsText(pathOf("missing.dat")), "");
  EXPECT_EQ(readWholeFileAsText(folder.string()), "");
  EXPECT_EQ(readWholeFileAsText(""), "");
}

TEST_F(WholeFileTest, WriteCreatesOrReplacesTheFile) {
  for (const bool flush : {true, false}) {
    SCOPED_TRACE(flush ? "flushed to disk" : "not flushed");
    ASSERT_TRUE(writeWholeFile(pathOf("target.dat"), kWithZeros, flush));
    EXPECT_EQ(contentsOf("target.dat"), kWithZeros);
    ASSERT_TRUE(writeWholeFile(pathOf("target.dat"), Bytes{0x7A}, flush));
    EXPECT_EQ(contentsOf("target.dat"), Bytes{0x7A});
    // Empty data leaves a file of length 0.
    ASSERT_TRUE(writeWholeFile(pathOf("target.dat"), Bytes{}, flush));
    EXPECT_EQ(fs::file_size(folder / "target.dat"), 0u);
    EXPECT_EQ(readWholeFile(pathOf("target.dat")), Bytes{});
    EXPECT_EQ(entries(), std::set<std::string>{"target.dat"}) << "no temporary file is left";
  }
}

TEST_F(WholeFileTest, ReadOnlyTargetIsLeftUnchanged) {
  putFile("target.dat", kWithZeros);
  fs::permissions(folder / "target.dat",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(writeWholeFile(pathOf("target.dat"), Bytes{0x7A}));
  EXPECT_EQ(contentsOf("target.dat"), kWithZeros);
  EXPECT_EQ(entries(), std::set<std::string>{"target.dat"}) << "no temporary file is left";
}

TEST_F(WholeFileTest, FolderAsTargetFailsAndLeavesNothing) {
  fs::create_directory(folder / "target.dat");
  EXPECT_FALSE(writeWholeFile(pathOf("target.dat"), kWithZeros));
  EXPECT_TRUE(fs::is_directory(folder / "target.dat"));
  EXPECT_EQ(entries(), std::set<std::string>{"target.dat"}) << "no temporary file is left";
}

TEST_F(WholeFileTest, MissingFolderOrEmptyPathFails) {
  EXPECT_FALSE(writeWholeFile(pathOf("missing/target.dat"), kWithZeros));
  EXPECT_FALSE(fs::exists(folder / "missing"));
  EXPECT_FALSE(writeWholeFile("", kWithZeros));
  EXPECT_EQ(entries(), std::set<std::string>{});
}

}  // namespace
}  // namespace vantrel

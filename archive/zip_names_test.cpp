#include "archive/zip_names.h"

#include <gtest/gtest.h>

#include <string>

#include "archive/paths.h"

namespace vantrel::zip_names {
namespace {

TEST(ZipNamesTest, OnlyRelativeNamesInsideTheDestinationAreSafe) {
  struct Case {
    std::string name;
    bool safe;
  };
  static const Case cases[] = {
      {"VUVazur.dat", true},
      {"a/", true},
      {"a/b.txt", true},
      {"a/b/c/", true},
      {"..hidden..", true},
      {"a..b/c", true},
      {"", false},
      {"/", false},
      {"/etc/passwd", false},
      {"\\evil.txt", false},
      {"C:evil.txt", false},
      {"C:/evil.txt", false},
      {"c:\\evil.txt", false},
      {"a/b.txt:stream", false},
      {"..", false},
      {"../evil.txt", false},
      {"a/../../evil.txt", false},
      {"a/..", false},
      {"..\\evil.txt", false},
      {"a\\..\\..\\evil.txt", false},
      {"a//b.txt", false},
      {"./a.txt", false},
      {"a//", false},
      {std::string("a\0b", 3), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("name: \"" + c.name + "\"");
    EXPECT_EQ(isSafeEntryName(c.name), c.safe);
  }
}

TEST(ZipNamesTest, CompressedKindsAreStored) {
  struct Case {
    const char* name;
    bool stored;
  };
  static const Case cases[] = {
      {"x.zip", true},      {"X.GZ", true},         {"a.Z", true},       {"a.z", true},
      {"b.zoo", true},      {"c.arc", true},        {"d.LZH", true},     {"e.arj", true},
      {"f.tgz", true},      {"g.tar.gz", true},     {"x.zipped", false}, {"zip", false},
      {"x.zip.txt", false}, {"VUVazur.dat", false}, {"x.", false},       {".gz", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(isStoredName(c.name), c.stored);
  }
}

TEST(ZipNamesTest, TargetsUseThePlatformSeparatorOnce) {
  const std::string s(1, pathSeparator());
  const std::string w = s + "tmp" + s + "w";
  EXPECT_EQ(targetPath(w, "VUVazur.dat"), w + s + "VUVazur.dat");
  EXPECT_EQ(targetPath(w + s, "a/b.txt"), w + s + "a" + s + "b.txt");
  EXPECT_EQ(targetPath(w, "a/b/"), w + s + "a" + s + "b");
  EXPECT_EQ(lastComponent(w + s + "VUVazur.dat"), "VUVazur.dat");
  EXPECT_EQ(lastComponent("VUVazur.dat"), "VUVazur.dat");
}

}  // namespace
}  // namespace vantrel::zip_names

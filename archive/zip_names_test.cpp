#include "archive/zip_names.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

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
      {"a\tb.txt", false},
      {"a/\x1F/b", false},
      {"a\x7F", false},
      {"\xE4\xB8\xAD.txt", true},  // a UTF-8 character is no control byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("name: \"" + c.name + "\"");
    EXPECT_EQ(isSafeEntryName(c.name), c.safe);
  }
}

TEST(ZipNamesTest, NamesLandingOnOneFileOrFolderClash) {
  struct Case {
    std::vector<std::string_view> names;
    bool clash;
  };
  static const Case cases[] = {
      {{"VUVazur.dat"}, false},
      {{"VUVazur.dat", "a/", "a/b.txt", "a/c/", "a/c/d.txt"}, false},
      {{"a/b.txt", "b.txt"}, false},  // a folder implied by a name alone
      {{"a/b.txt", "a/B.txt.bak"}, false},
      {{}, false},
      {{"x", "x"}, true},
      {{"a/", "a/"}, true},
      {{"VUVazur.dat", "vuvazur.DAT"}, true},
      {{"x", "x/"}, true},
      {{"x/", "x"}, true},
      {{"x", "x/y"}, true},
      {{"x/y/z", "X/Y"}, true},
      {{"a\\b", "a/b"}, true},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (std::string_view name : c.names) shown += std::string(name) + " ";
    SCOPED_TRACE(shown);
    EXPECT_EQ(haveClashingNames(c.names), c.clash);
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

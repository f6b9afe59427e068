#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <optional>
#include <string>

#include "archive/zip_archive.h"
#include "archive/zip_test_support.h"
#include "archive/zip_times.h"
#include "os/os.h"

namespace vantrel {
namespace {

using test::ByteVector;
using test::ParsedArchive;

constexpr std::int64_t kModified = 1236000000;  // 2009-03-02 13:20:00 UTC
constexpr std::uint32_t kModifiedDos = (29u << 9 | 3u << 5 | 2u) << 16 | (13u << 11 | 20u << 5);

std::string sampleText() { return test::readFile(VANTREL_DATA_DIR "/VUVazur.txt"); }

ByteVector le32(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

ByteVector concat(ByteVector a, const ByteVector& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::int64_t changeTimeOf(const std::string& path) {
  struct stat facts {};
  EXPECT_EQ(::stat(path.c_str(), &facts), 0);
  return facts.st_ctime;
}

// Packs in UTC, so that MS-DOS times are predictable, into a scratch folder
// with a source folder src and an archive path out.dat.
class PackFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* zone = getenv("TZ")) oldZone_ = zone;
    setenv("TZ", "UTC0", 1);
    tzset();
    ASSERT_TRUE(os::createFolder(source_));
  }
  void TearDown() override {
    if (oldZone_)
      setenv("TZ", oldZone_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

  void addFile(const std::string& relative, const std::string& contents) {
    const std::string path = source_ + "/" + relative;
    test::writeFile(path, contents);
    ASSERT_TRUE(os::setModifiedTime(path, kModified));
  }

  ParsedArchive packAndParse() {
    ParsedArchive parsed;
    EXPECT_EQ(packFolder(source_, archive_), 1);
    test::parseArchive(test::readBytes(archive_), parsed);
    return parsed;
  }

  test::ScratchFolder scratch_;
  const std::string source_ = scratch_ / "src";
  const std::string archive_ = scratch_ / "out.dat";

 private:
  std::optional<std::string> oldZone_;
};

// The fields every entry shares, in both headers, and the absence of data
// descriptors: each entry's data ends where the next header begins.
void expectCommonFields(const ParsedArchive& parsed) {
  for (std::size_t i = 0; i < parsed.central.size(); ++i) {
    const test::CentralHeader& c = parsed.central[i];
    const test::LocalHeader& l = parsed.local[i];
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.versionMadeBy, 0x0B17);
    EXPECT_EQ(c.versionNeeded, 20);
    EXPECT_EQ(l.versionNeeded, 20);
    EXPECT_EQ(l.name, c.name);
    EXPECT_EQ(l.flags, c.flags);
    EXPECT_EQ(l.method, c.method);
    EXPECT_EQ(l.dosDateTime, c.dosDateTime);
    EXPECT_EQ(l.crc, c.crc);
    EXPECT_EQ(l.compressedSize, c.compressedSize);
    EXPECT_EQ(l.uncompressedSize, c.uncompressedSize);
    EXPECT_EQ(c.flags & 0x08, 0) << "data descriptor";
    EXPECT_EQ(c.diskNumberStart, 0);
    EXPECT_EQ(c.internalAttributes, 0);
    EXPECT_EQ(c.comment, "");
    ASSERT_EQ(l.extra.size(), 17u);
    ASSERT_EQ(c.extra.size(), 9u);
    EXPECT_EQ(ByteVector(l.extra.begin(), l.extra.begin() + 5), (ByteVector{0x55, 0x54, 13, 0, 7}));
    EXPECT_EQ(ByteVector(c.extra.begin(), c.extra.begin() + 5), (ByteVector{0x55, 0x54, 5, 0, 7}));
    EXPECT_EQ(ByteVector(c.extra.begin() + 5, c.extra.end()),
              ByteVector(l.extra.begin() + 5, l.extra.begin() + 9))
        << "modification times differ";
    const std::uint64_t next = i + 1 < parsed.central.size()
                                   ? parsed.central[i + 1].localHeaderOffset
                                   : parsed.end.centralDirectoryOffset;
    EXPECT_EQ(l.dataOffset + l.compressedSize, next);
  }
  EXPECT_EQ(parsed.end.diskNumber, 0);
  EXPECT_EQ(parsed.end.centralDirectoryDisk, 0);
  EXPECT_EQ(parsed.end.entriesOnDisk, parsed.central.size());
  EXPECT_EQ(parsed.end.entries, parsed.central.size());
  EXPECT_EQ(parsed.end.commentLength, 0);
}

TEST_F(PackFolderTest, TheWorkingFileBecomesOneDeflatedEntryWithItsOwnValues) {
  const std::string text = sampleText();
  ASSERT_FALSE(text.empty());
  addFile("VUVazur.dat", text);

  const ParsedArchive parsed = packAndParse();
  ASSERT_EQ(parsed.central.size(), 1u);
  expectCommonFields(parsed);
  const test::CentralHeader& c = parsed.central[0];
  const test::LocalHeader& l = parsed.local[0];
  EXPECT_EQ(c.name, "VUVazur.dat");
  EXPECT_EQ(c.method, 8);
  EXPECT_EQ(c.flags, 2);
  EXPECT_EQ(l.crc, test::crc32Of(text));
  EXPECT_EQ(l.uncompressedSize, text.size());
  EXPECT_EQ(c.dosDateTime, kModifiedDos);
  EXPECT_EQ(c.externalAttributes, 0x81800020u);
  const std::string path = source_ + "/VUVazur.dat";
  EXPECT_EQ(l.extra,
            concat(concat(concat({0x55, 0x54, 13, 0, 7}, le32(kModified)), le32(kModified)),
                   le32(static_cast<std::uint32_t>(changeTimeOf(path)))));
  // Level 8 deflate of the whole file, byte for byte.
  const ByteVector bytes = test::readBytes(archive_);
  const std::string data(
      bytes.begin() + static_cast<std::ptrdiff_t>(l.dataOffset),
      bytes.begin() + static_cast<std::ptrdiff_t>(l.dataOffset + l.compressedSize));
  EXPECT_EQ(data, test::deflateRaw(text));
}

TEST_F(PackFolderTest, FilesComeFirstThenEachFolderWithItsContents) {
  addFile("VUVazur.dat", "rules");
  ASSERT_TRUE(os::createFolder(source_ + "/a"));
  addFile("a/b.txt", "bee");

  const std::int64_t before = std::time(nullptr);
  const ParsedArchive parsed = packAndParse();
  const std::int64_t after = std::time(nullptr);
  expectCommonFields(parsed);
  ASSERT_EQ(parsed.central.size(), 3u);
  EXPECT_EQ(parsed.central[0].name, "VUVazur.dat");
  EXPECT_EQ(parsed.central[1].name, "a/");
  EXPECT_EQ(parsed.central[2].name, "a/b.txt");

  const test::CentralHeader& folder = parsed.central[1];
  EXPECT_EQ(folder.method, 0);
  EXPECT_EQ(folder.flags, 0);
  EXPECT_EQ(folder.crc, 0u);
  EXPECT_EQ(folder.compressedSize, 0u);
  EXPECT_EQ(folder.uncompressedSize, 0u);
  EXPECT_EQ(folder.externalAttributes, 0x41C00010u);
  // All three times are the moment the entry was added, and so is the MS-DOS time.
  const ByteVector& extra = parsed.local[1].extra;
  const ByteVector modified(extra.begin() + 5, extra.begin() + 9);
  EXPECT_EQ(ByteVector(extra.begin() + 9, extra.begin() + 13), modified);
  EXPECT_EQ(ByteVector(extra.begin() + 13, extra.end()), modified);
  const std::int64_t added =
      static_cast<std::int32_t>(modified[0] | modified[1] << 8 | modified[2] << 16 |
                                static_cast<std::uint32_t>(modified[3]) << 24);
  EXPECT_GE(added, before);
  EXPECT_LE(added, after);
  EXPECT_EQ(folder.dosDateTime, zip_times::dosDateTime(added));
}

TEST_F(PackFolderTest, AttributesOfReadOnlyAndHiddenFiles) {
  addFile("ro.txt", "read only");
  addFile(".hidden", "dot file");
  ASSERT_EQ(::chmod((source_ + "/ro.txt").c_str(), 0444), 0);

  const ParsedArchive parsed = packAndParse();
  expectCommonFields(parsed);
  ASSERT_EQ(parsed.central.size(), 2u);
  for (const test::CentralHeader& c : parsed.central) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.externalAttributes, c.name == "ro.txt" ? 0x81000021u : 0x81800020u);
  }
}

TEST_F(PackFolderTest, CompressedKindsAreStoredByTheirSuffix) {
  struct Case {
    const char* name;
    std::uint16_t method;
    std::uint16_t flags;
  };
  static const Case cases[] = {
      {"x.zip", 0, 0}, {"X.GZ", 0, 0}, {"x.zipped", 8, 2}, {"y.tar.Z", 0, 0}};
  for (const Case& c : cases) addFile(c.name, std::string(300, 'q'));

  const ParsedArchive parsed = packAndParse();
  expectCommonFields(parsed);
  ASSERT_EQ(parsed.central.size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto entry = std::find_if(parsed.central.begin(), parsed.central.end(),
                                    [&](const test::CentralHeader& h) { return h.name == c.name; });
    ASSERT_NE(entry, parsed.central.end());
    EXPECT_EQ(entry->method, c.method);
    EXPECT_EQ(entry->flags, c.flags);
    if (c.method == 0) {
      EXPECT_EQ(entry->compressedSize, 300u);
    }
  }
}

TEST_F(PackFolderTest, TimesOutsideTheTimestampRangeAreClamped) {
  addFile("old.txt", "old");
  addFile("future.txt", "future");
  ASSERT_TRUE(os::setModifiedTime(source_ + "/old.txt", -100000000));     // 1966-10-31 14:13:20
  ASSERT_TRUE(os::setModifiedTime(source_ + "/future.txt", 2208992523));  // 2040-01-01 01:02:03

  const ParsedArchive parsed = packAndParse();
  for (const test::CentralHeader& c : parsed.central) {
    SCOPED_TRACE(c.name);
    const std::uint32_t expected = c.name == "old.txt" ? 51200u : 2145834123u;
    EXPECT_EQ(ByteVector(c.extra.begin() + 5, c.extra.end()), le32(expected));
  }
}

TEST_F(PackFolderTest, AnEmptyFolderGivesOnlyTheEndRecord) {
  EXPECT_EQ(packFolder(source_, archive_), 1);
  const ByteVector expected = {0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 0, 0, 0,
                               0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(test::readBytes(archive_), expected);
}

TEST_F(PackFolderTest, ASingleFileIsPackedUnderItsOwnName) {
  addFile("VUVazur.dat", "rules");
  EXPECT_EQ(packFolder(source_ + "/VUVazur.dat", archive_), 1);
  ParsedArchive parsed;
  test::parseArchive(test::readBytes(archive_), parsed);
  ASSERT_EQ(parsed.central.size(), 1u);
  EXPECT_EQ(parsed.central[0].name, "VUVazur.dat");
}

TEST_F(PackFolderTest, AnArchiveInsideTheFolderDoesNotPackItself) {
  addFile("VUVazur.dat", "rules");
  const std::string inside = source_ + "/inside.dat";
  EXPECT_EQ(packFolder(source_, inside), 1);
  ParsedArchive parsed;
  test::parseArchive(test::readBytes(inside), parsed);
  ASSERT_EQ(parsed.central.size(), 1u);
  EXPECT_EQ(parsed.central[0].name, "VUVazur.dat");
}

// Every failure leaves the old archive as it was and no temporary file behind.
TEST_F(PackFolderTest, FailuresLeaveTheOldArchiveAlone) {
  struct Case {
    const char* what;
    std::string source;
    std::string archive;
    std::int32_t expected;
  };
  addFile("VUVazur.dat", "rules");
  const std::string unreadable = scratch_ / "unreadable";
  ASSERT_TRUE(os::createFolder(unreadable));
  test::writeFile(unreadable + "/first.txt", "fine");
  ASSERT_EQ(::mkfifo((unreadable + "/pipe").c_str(), 0600), 0);  // can't be read as a file
  const std::string readOnly = scratch_ / "read_only.dat";
  const std::string folderArchive = scratch_ / "folder.dat";
  ASSERT_TRUE(os::createFolder(folderArchive));

  const Case cases[] = {
      {"missing source", scratch_ / "missing", archive_, -1},
      {"empty source path", "", archive_, -1},
      {"empty archive path", source_, "", 0},
      {"unreadable file in the source", unreadable, archive_, 0},
      {"read-only archive", source_, readOnly, 0},
      {"archive is a folder", source_, folderArchive, 0},
      {"archive's folder missing", source_, scratch_ / "missing/out.dat", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::writeFile(archive_, "old archive");
    test::writeFile(readOnly, "old read-only archive");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const std::vector<std::string> before = test::listTree(scratch_.path());

    EXPECT_EQ(packFolder(c.source, c.archive), c.expected);
    EXPECT_EQ(test::readFile(archive_), "old archive");
    EXPECT_EQ(test::readFile(readOnly), "old read-only archive");
    EXPECT_EQ(test::listTree(scratch_.path()), before);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0644), 0);
  }
}

}  // namespace
}  // namespace vantrel

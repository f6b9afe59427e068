// Archives made to write outside the destination, or broken ones: unpacking
// refuses them and writes nothing outside the destination.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "archive/zip_archive.h"
#include "archive/zip_test_support.h"
#include "os/os.h"
#include "text/text.h"

namespace vantrel {
namespace {

using test::ByteVector;
using test::CraftedEntry;

// A scratch folder holding the archive, the destination dest with one file
// keep.txt in it, and a folder outside that must stay untouched.
class HostileArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(os::createFolder(destination_));
    ASSERT_TRUE(os::createFolder(outside_));
    test::writeFile(destination_ + "/keep.txt", "old contents");
    test::writeFile(outside_ + "/victim.txt", "untouched");
  }

  void writeArchive(const ByteVector& bytes) {
    test::writeFile(archive_, std::string(bytes.begin(), bytes.end()));
    // The archives double as starting inputs for fuzzing unpacking.
    if (const char* seeds = std::getenv("VANTREL_SAVE_ARCHIVES_IN")) {
      static int saved = 0;
      test::writeFile(std::string(seeds) + "/hostile_" + std::to_string(saved++),
                      std::string(bytes.begin(), bytes.end()));
    }
  }

  void expectNothingWritten() {
    EXPECT_EQ(test::listTree(outside_), std::vector<std::string>{"victim.txt"});
    EXPECT_EQ(test::readFile(outside_ + "/victim.txt"), "untouched");
    EXPECT_EQ(test::listTree(destination_), std::vector<std::string>{"keep.txt"});
    EXPECT_EQ(test::readFile(destination_ + "/keep.txt"), "old contents");
  }

  test::ScratchFolder scratch_;
  const std::string archive_ = scratch_ / "game.dat";
  const std::string destination_ = scratch_ / "dest";
  const std::string outside_ = scratch_ / "outside";
};

TEST_F(HostileArchiveTest, RefusedArchivesWriteNothing) {
  const std::string sample = "the rules, repeated; " + std::string(5000, 'r');
  const std::string bomb(200000, '\0');
  CraftedEntry bombEntry = CraftedEntry("keep.txt", bomb).deflated();
  // Inflates to far more than declared; the CRC fits the declared part.
  bombEntry.withUncompressedSize(1000).withCrc(test::crc32Of(bomb.substr(0, 1000)));

  // Inflates, as declared, to just over the largest text the program takes in.
  const std::uint64_t hugeSize = kLargestText + 1;
  const CraftedEntry hugeEntry = CraftedEntry("keep.txt")
                                     .deflated()
                                     .withStoredBytes(test::deflatedZeros(hugeSize))
                                     .withUncompressedSize(static_cast<std::uint32_t>(hugeSize))
                                     .withCrc(test::crc32OfZeros(hugeSize));

  struct Case {
    const char* what;
    std::vector<CraftedEntry> entries;
  };
  const std::vector<Case> cases = {
      {"absolute name", {CraftedEntry(outside_ + "/evil.txt", "x")}},
      {"backslash root", {CraftedEntry("\\evil.txt", "x")}},
      {"drive letter", {CraftedEntry("C:evil.txt", "x")}},
      {"parent component", {CraftedEntry("../outside/evil.txt", "x")}},
      {"parent inside", {CraftedEntry("a/"), CraftedEntry("a/../../outside/evil.txt", "x")}},
      {"parent with backslashes", {CraftedEntry("..\\outside\\evil.txt", "x")}},
      {"safe entry first, then escape",
       {CraftedEntry("fine.txt", "x"), CraftedEntry("../outside/evil.txt", "x")}},
      {"encrypted", {CraftedEntry("keep.txt", "secret").withFlags(1)}},
      {"symbolic link made on Unix",
       {CraftedEntry("keep.txt", "../outside/victim.txt").madeOnUnixWithMode(0120777u)}},
      {"unknown method", {CraftedEntry("keep.txt", "x").withMethod(12)}},
      {"CRC mismatch", {CraftedEntry("keep.txt", sample).deflated().withCrc(0x12345678)}},
      {"stored CRC mismatch", {CraftedEntry("keep.txt", sample).withCrc(0x12345678)}},
      {"more data than declared", {bombEntry}},
      {"less data than declared",
       {CraftedEntry("keep.txt", sample)
            .deflated()
            .withUncompressedSize(static_cast<std::uint32_t>(sample.size() + 10))}},
      {"stored sizes disagree",
       {CraftedEntry("keep.txt", sample).withUncompressedSize(10).withCompressedSize(10)}},
      {"local header disagrees with the central one",
       {CraftedEntry("keep.txt", sample).deflated().withLocalMethod(0)}},
      {"folder where the working file belongs", {CraftedEntry("VUVazur.dat/")}},
      {"folder where the working file belongs, other case", {CraftedEntry("vuvAZUR.DAT/")}},
      {"same name twice", {CraftedEntry("keep.txt", "a"), CraftedEntry("keep.txt", "b")}},
      {"names differing in case", {CraftedEntry("new.txt", "a"), CraftedEntry("NEW.txt", "b")}},
      {"folder of a file's name", {CraftedEntry("new.txt", "a"), CraftedEntry("new.txt/")}},
      {"file under a file's name", {CraftedEntry("new", "a"), CraftedEntry("new/b.txt", "b")}},
      {"file where a folder goes",
       {CraftedEntry("a/"), CraftedEntry("a/b/"), CraftedEntry("A/B", "x")}},
      {"line break in a name", {CraftedEntry("new\n.txt", "x")}},
      {"escape byte in a name", {CraftedEntry("new\x1B[2J.txt", "x")}},
      {"delete byte in a name", {CraftedEntry("new\x7F.txt", "x")}},
      {"more data than a text may hold", {hugeEntry}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeArchive(test::craftArchive(c.entries));
    EXPECT_EQ(unpackArchive(archive_, destination_), 0);
    expectNothingWritten();
  }
}

// Broken in ways a writer of entries can't express: cut short or overwritten.
TEST_F(HostileArchiveTest, DamagedArchivesWriteNothing) {
  const std::string sample = "the rules, repeated; " + std::string(5000, 'r');
  const ByteVector good = test::craftArchive({CraftedEntry("keep.txt", sample).deflated()});
  const std::size_t dataStart = 30 + std::string("keep.txt").size();

  ByteVector corruptData = good;
  for (std::size_t i = dataStart; i < dataStart + 8; ++i) corruptData[i] ^= 0xFF;
  ByteVector compressedSizeTooLarge = good;  // in both headers: data runs into the directory
  const std::size_t centralAt = good.size() - 22 - 46 - 8;
  for (std::size_t at : {std::size_t{18}, centralAt + 20}) compressedSizeTooLarge[at] += 40;
  ByteVector entryCountTooLarge = good;
  entryCountTooLarge[good.size() - 22 + 8] = 2;
  entryCountTooLarge[good.size() - 22 + 10] = 2;

  struct Case {
    const char* what;
    ByteVector bytes;
  };
  const std::vector<Case> cases = {
      {"cut in the data",
       ByteVector(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(dataStart + 10))},
      {"cut in the central directory", ByteVector(good.begin(), good.end() - 30)},
      {"cut in the end record", ByteVector(good.begin(), good.end() - 5)},
      {"corrupt deflate data", corruptData},
      {"compressed size too large", compressedSizeTooLarge},
      {"more entries counted than present", entryCountTooLarge},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeArchive(c.bytes);
    EXPECT_EQ(unpackArchive(archive_, destination_), 0);
    expectNothingWritten();
  }
}

// Something planted where unpacking would write: a link to elsewhere, or a
// folder of another user. Unpacking refuses instead of writing through it.
TEST_F(HostileArchiveTest, PlantedLinksAreNotFollowed) {
  struct Case {
    const char* what;
    std::string linkAt;  // relative to the scratch folder
    std::string linkTo;
    std::vector<CraftedEntry> entries;
  };
  const std::vector<Case> cases = {
      {"destination is a link",
       "dest/planted",
       outside_,
       {CraftedEntry("victim.txt", "overwritten")}},
      {"target file is a link",
       "dest/planted",
       outside_ + "/victim.txt",
       {CraftedEntry("planted", "overwritten")}},
      {"folder on the way is a link",
       "dest/planted",
       outside_,
       {CraftedEntry("planted/victim.txt", "overwritten")}},
      {"directory entry is a link",
       "dest/planted",
       outside_,
       {CraftedEntry("planted/"), CraftedEntry("planted/new/"),
        CraftedEntry("planted/new/evil.txt", "x")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string link = scratch_ / c.linkAt;
    ASSERT_EQ(::symlink(c.linkTo.c_str(), link.c_str()), 0);
    writeArchive(test::craftArchive(c.entries));
    const std::string destination =
        std::string(c.what) == "destination is a link" ? link : destination_;
    EXPECT_EQ(unpackArchive(archive_, destination), 0);
    EXPECT_EQ(test::listTree(outside_), std::vector<std::string>{"victim.txt"});
    EXPECT_EQ(test::readFile(outside_ + "/victim.txt"), "untouched");
    ASSERT_EQ(::unlink(link.c_str()), 0);
  }
}

TEST_F(HostileArchiveTest, ADestinationOfAnotherUserIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a folder to another user needs root";
  ASSERT_EQ(::chown(destination_.c_str(), 65534, 65534), 0);
  writeArchive(test::craftArchive({CraftedEntry("keep.txt", "overwritten")}));
  EXPECT_EQ(unpackArchive(archive_, destination_), 0);
  expectNothingWritten();
}

}  // namespace
}  // namespace vantrel

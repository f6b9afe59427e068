// Archives written by packing pass other ZIP tools' checks, and unpacking
// accepts what other ZIP tools write.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "archive/zip_archive.h"
#include "archive/zip_test_support.h"
#include "os/os.h"

namespace vantrel {
namespace {

bool toolAvailable(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command with its output captured in output; its exit status.
int run(const std::string& command, std::string& output, const std::string& outputFile) {
  const int status = std::system((command + " >'" + outputFile + "' 2>&1").c_str());
  output = test::readFile(outputFile);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#define REQUIRE_TOOL(tool)  \
  if (!toolAvailable(tool)) \
  GTEST_SKIP() << tool " is not installed (scripts/install-deps.sh installs it)"

class ZipInteroperabilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(os::createFolder(source_));
    ASSERT_TRUE(os::createFolder(source_ + "/a"));
    test::writeFile(source_ + "/VUVazur.dat", test::readFile(VANTREL_DATA_DIR "/VUVazur.txt"));
    test::writeFile(source_ + "/a/b.txt", "bee\r\n");
    test::writeFile(source_ + "/a/x.zip", std::string(1000, 'z'));
  }

  // Unpacks archive into a fresh folder and expects the source's files there.
  void expectUnpacksToSource(const std::string& archive) {
    const std::string destination = scratch_ / "unpacked";
    ASSERT_EQ(unpackArchive(archive, destination), 1);
    for (const char* file : {"VUVazur.dat", "a/b.txt", "a/x.zip"}) {
      SCOPED_TRACE(file);
      EXPECT_EQ(test::readFile(destination + "/" + file), test::readFile(source_ + "/" + file));
    }
  }

  test::ScratchFolder scratch_;
  const std::string source_ = scratch_ / "source";
  const std::string archive_ = scratch_ / "packed.dat";
  const std::string outputFile_ = scratch_ / "tool-output.txt";
  std::string output_;
};

TEST_F(ZipInteroperabilityTest, InfoZipUnzipTestsThePackedArchive) {
  REQUIRE_TOOL("unzip");
  ASSERT_EQ(packFolder(source_, archive_), 1);
  EXPECT_EQ(run("unzip -t '" + archive_ + "'", output_, outputFile_), 0) << output_;
  EXPECT_NE(output_.find("No errors detected"), std::string::npos) << output_;
}

TEST_F(ZipInteroperabilityTest, PythonZipfileTestsThePackedArchive) {
  REQUIRE_TOOL("python3");
  ASSERT_EQ(packFolder(source_, archive_), 1);
  const std::string script =
      "import zipfile,sys; z=zipfile.ZipFile(sys.argv[1]); "
      "print(sorted(i.filename for i in z.infolist())); sys.exit(z.testzip() is not None)";
  EXPECT_EQ(run("python3 -c \"" + script + "\" '" + archive_ + "'", output_, outputFile_), 0)
      << output_;
  EXPECT_NE(output_.find("['VUVazur.dat', 'a/', 'a/b.txt', 'a/x.zip']"), std::string::npos)
      << output_;
}

TEST_F(ZipInteroperabilityTest, ZipinfoShowsTheHeaderFields) {
  REQUIRE_TOOL("zipinfo");
  ASSERT_EQ(packFolder(source_ + "/VUVazur.dat", archive_), 1);
  ASSERT_EQ(run("zipinfo -v '" + archive_ + "'", output_, outputFile_), 0) << output_;
  static const char* const expectedLines[] = {
      "version of encoding software:                   2.3",
      "minimum software version required to extract:   2.0",
      "compression method:                             deflated",
      "compression sub-type (deflation):               maximum",
      "file security status:                           not encrypted",
      "extended local header:                          no",
      "length of extra field:                          9 bytes",
      "length of file comment:                         0 characters",
      "A subfield with ID 0x5455 (universal time) and 5 data bytes",
      "The local extra field has UTC/GMT modification/access/creation times",
      "MS-DOS file attributes (20 hex):                arc",
      "There is no zipfile comment",
  };
  for (const char* line : expectedLines)
    EXPECT_NE(output_.find(line), std::string::npos) << line << "\n" << output_;
}

TEST_F(ZipInteroperabilityTest, UnpacksWhatInfoZipWrites) {
  REQUIRE_TOOL("zip");
  const std::string archive = scratch_ / "infozip.zip";
  ASSERT_EQ(run("cd '" + source_ + "' && zip -8 -r -q '" + archive + "' .", output_, outputFile_),
            0)
      << output_;
  expectUnpacksToSource(archive);
}

TEST_F(ZipInteroperabilityTest, UnpacksWhatPythonZipfileWrites) {
  REQUIRE_TOOL("python3");
  const std::string archive = scratch_ / "python.zip";
  const std::string script =
      "import zipfile,sys,os; z=zipfile.ZipFile(sys.argv[2],'w',zipfile.ZIP_DEFLATED); "
      "os.chdir(sys.argv[1]); z.write('a'); "
      "[z.write(n) for n in ('VUVazur.dat','a/b.txt','a/x.zip')]; z.close()";
  ASSERT_EQ(run("python3 -c \"" + script + "\" '" + source_ + "' '" + archive + "'", output_,
                outputFile_),
            0)
      << output_;
  expectUnpacksToSource(archive);
}

}  // namespace
}  // namespace vantrel

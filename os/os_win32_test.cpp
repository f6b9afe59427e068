// Tests of the Windows platform layer and of the paths and folder creation
// built on it, in a scratch folder under the temporary directory.
#include <windows.h>
// shlobj.h needs the full windows.h of above first.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "archive/folder_levels.h"
#include "archive/paths.h"
#include "os/os.h"
#include "text/text.h"

namespace vantrel::os {
namespace {

// Started with this flag, the executable prints programDirectory and
// gameArchive, one a line, and ends before any test runs. The drive-root test
// starts a copy of itself this way.
constexpr const char* kPrintPathsFlag = "--print-program-paths";

const bool kPrintedPaths = [] {
  if (std::strstr(GetCommandLineA(), kPrintPathsFlag) == nullptr) return false;
  std::printf("%s\n%s\n", programDirectory().c_str(), gameArchive().c_str());
  std::fflush(stdout);
  std::exit(0);
}();

// Two characters of code page 936 (GBK) whose second byte is a backslash.
const std::string kTrailBackslashName = "\x95\x5C\x81\x5C";

void removeTree(const Path& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!isFolder(path)) {
    DeleteFileA(path.c_str());
    return;
  }
  for (const FolderEntry& entry : listFolder(path)) removeTree(path + "\\" + entry.name);
  RemoveDirectoryA(path.c_str());
}

bool writeRaw(const Path& path, const std::string& contents) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == contents.size();
}

std::string asString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

class Win32OsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static unsigned counter = 0;
    folder_ = systemFolder(11);
    ASSERT_FALSE(folder_.empty());
    if (folder_.back() != '\\') folder_ += '\\';
    folder_ +=
        "vantrel-os-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    ASSERT_TRUE(createFolder(folder_)) << folder_;
  }
  void TearDown() override { removeTree(folder_); }

  Path path(const std::string& name) const { return folder_ + "\\" + name; }

  std::vector<std::string> namesIn(const Path& folder) const {
    std::vector<std::string> names;
    for (const FolderEntry& entry : listFolder(folder)) names.push_back(entry.name);
    return names;
  }

  Path folder_;
};

TEST_F(Win32OsTest, AnotherHandleDecidesWhetherTheFileCanBeReadOrReplaced) {
  struct Case {
    const char* holder;
    DWORD access;
    DWORD share;
    bool readable;
  };
  static const Case cases[] = {
      {"a reader that lets others read", GENERIC_READ, FILE_SHARE_READ, true},
      {"a reader that lets others read and write", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
       true},
      {"a writer that lets others read", GENERIC_WRITE, FILE_SHARE_READ, false},
      {"a writer that lets others read and write", GENERIC_WRITE,
       FILE_SHARE_READ | FILE_SHARE_WRITE, false},
  };
  const Path file = path("VUVazur.dat");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.holder);
    ASSERT_TRUE(writeRaw(file, std::string("old\0bytes", 9)));
    HANDLE other = CreateFileA(file.c_str(), c.access, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);

    EXPECT_EQ(asString(readWholeFile(file)), c.readable ? std::string("old\0bytes", 9) : "");
    EXPECT_FALSE(writeWholeFile(file, textToBytes("new")));

    CloseHandle(other);
    EXPECT_EQ(asString(readWholeFile(file)), std::string("old\0bytes", 9));
    EXPECT_EQ(namesIn(folder_), std::vector<std::string>{"VUVazur.dat"}) << "temporary file left";
    EXPECT_TRUE(writeWholeFile(file, textToBytes("new")));
    EXPECT_EQ(asString(readWholeFile(file)), "new");
  }
}

TEST_F(Win32OsTest, NothingToOpenForReading) {
  ASSERT_TRUE(createFolder(path("sub")));
  for (const Path& missing : {Path(), path("missing.dat"), path("sub"), path("nowhere\\x.dat")}) {
    SCOPED_TRACE(missing);
    EXPECT_EQ(openForReading(missing), nullptr);
    EXPECT_TRUE(readWholeFile(missing).empty());
  }
}

TEST_F(Win32OsTest, OpenFileReadsSeeksAndReportsItsSize) {
  ASSERT_TRUE(writeRaw(path("f"), "0123456789"));
  auto file = openForReading(path("f"));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->size(), 10);
  ASSERT_TRUE(file->seek(4, SEEK_SET));
  ASSERT_TRUE(file->seek(2, SEEK_CUR));
  EXPECT_EQ(file->tell(), 6);
  EXPECT_FALSE(file->seek(0, 42)) << "no such origin";
  ASSERT_TRUE(file->seek(-3, SEEK_END));
  EXPECT_EQ(file->tell(), 7);
  char buffer[8] = {};
  EXPECT_EQ(file->read(buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "789");
  EXPECT_EQ(file->read(buffer, sizeof buffer), 0);
  EXPECT_FALSE(file->write("x", 1)) << "opened for reading only";
  EXPECT_TRUE(file->close());
  EXPECT_EQ(file->tell(), -1);
}

TEST_F(Win32OsTest, TemporaryFileLiesBesideItsTargetAndIsHeldAlone) {
  const Path target = path("VUVazur.dat");
  Path first;
  Path second;
  auto firstFile = createTemporaryBeside(target, first);
  auto secondFile = createTemporaryBeside(target, second);
  ASSERT_NE(firstFile, nullptr);
  ASSERT_NE(secondFile, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(first.rfind(folder_ + "\\", 0), 0u) << first;
  EXPECT_EQ(openForReading(first), nullptr) << "shared while being written";

  ASSERT_TRUE(firstFile->write("data", 4));
  ASSERT_TRUE(firstFile->flushToDisk());
  ASSERT_TRUE(firstFile->close());
  ASSERT_TRUE(replaceWith(first, target));
  EXPECT_EQ(asString(readWholeFile(target)), "data");
  EXPECT_FALSE(pathExists(first));

  secondFile->close();
  EXPECT_TRUE(removeFile(second));
  EXPECT_FALSE(removeFile(second));

  Path unused;
  EXPECT_EQ(createTemporaryBeside(path("missing\\x.dat"), unused), nullptr);
  EXPECT_EQ(createTemporaryBeside(folder_ + "\\", unused), nullptr) << "a folder, not a file";
  EXPECT_FALSE(replaceWith("", target));
  EXPECT_FALSE(removeFile(""));
}

TEST_F(Win32OsTest, FolderIsNeverReplacedByAFile) {
  ASSERT_TRUE(createFolder(path("VUVazur.dat")));
  Path temporary;
  auto file = createTemporaryBeside(path("VUVazur.dat"), temporary);
  ASSERT_NE(file, nullptr);
  file->close();
  EXPECT_FALSE(replaceWith(temporary, path("VUVazur.dat")));
  EXPECT_TRUE(isFolder(path("VUVazur.dat")));
  EXPECT_TRUE(removeFile(temporary));
}

TEST_F(Win32OsTest, TargetWithoutAFolderGetsItsTemporaryFileInTheCurrentOne) {
  char previous[MAX_PATH] = {};
  ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
  Path temporary;
  auto file = createTemporaryBeside("VUVazur.dat", temporary);
  const bool created = file != nullptr;
  if (file) file->close();
  SetCurrentDirectoryA(previous);
  ASSERT_TRUE(created);
  EXPECT_EQ(temporary.find('\\'), Path::npos) << temporary;
  EXPECT_EQ(namesIn(folder_), std::vector<std::string>{temporary});
}

TEST_F(Win32OsTest, ReadOnlyFileIsReplacedOnlyOnceSetToNormal) {
  const Path file = path("locked.dat");
  ASSERT_TRUE(writeRaw(file, "keep"));
  ASSERT_TRUE(SetFileAttributesA(
      file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_FALSE(writeWholeFile(file, textToBytes("lost")));
  EXPECT_EQ(asString(readWholeFile(file)), "keep");
  EXPECT_EQ(namesIn(folder_), std::vector<std::string>{"locked.dat"}) << "temporary file left";

  ASSERT_TRUE(setAttributesNormal(file));
  FileAttributes attributes;
  ASSERT_TRUE(readAttributes(file, attributes));
  EXPECT_EQ(attributes.bits & (kReadOnly | kHidden | kSystem), 0u);
  EXPECT_TRUE(writeWholeFile(file, textToBytes("new")));
  EXPECT_EQ(asString(readWholeFile(file)), "new");
  EXPECT_FALSE(setAttributesNormal(path("missing")));
}

TEST_F(Win32OsTest, AttributeBitsAreTheOnesPackingStores) {
  struct Case {
    DWORD set;
    std::uint32_t bits;
  };
  // Wine marks every file for archiving, so each case sets that bit too.
  static const Case cases[] = {
      {FILE_ATTRIBUTE_ARCHIVE, kArchive},
      {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, kArchive | kReadOnly},
      {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, kArchive | kHidden},
      {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM, kArchive | kSystem},
      {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
           FILE_ATTRIBUTE_SYSTEM,
       kArchive | kReadOnly | kHidden | kSystem},
  };
  const Path file = path("f");
  ASSERT_TRUE(writeRaw(file, "x"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), c.set));
    FileAttributes attributes;
    ASSERT_TRUE(readAttributes(file, attributes));
    EXPECT_EQ(attributes.bits, c.bits);
  }
  FileAttributes attributes;
  ASSERT_TRUE(readAttributes(folder_, attributes));
  EXPECT_EQ(attributes.bits & kDirectory, kDirectory);
  EXPECT_FALSE(readAttributes(path("missing"), attributes));
}

TEST_F(Win32OsTest, TimesComeBackAsUnixSeconds) {
  const Path file = path("f");
  ASSERT_TRUE(writeRaw(file, "x"));
  // 1969-01-01, 1980-01-01, 2023-11-14, and one after the 32-bit end in 2038.
  for (std::int64_t time : {std::int64_t{-31536000}, std::int64_t{315532800},
                            std::int64_t{1700000000}, std::int64_t{4102444800}}) {
    SCOPED_TRACE(time);
    for (const Path& target : {file, folder_}) {
      ASSERT_TRUE(setModifiedTime(target, time)) << target;
      FileAttributes attributes;
      ASSERT_TRUE(readAttributes(target, attributes));
      EXPECT_EQ(attributes.modified, time);
      EXPECT_EQ(attributes.accessed, time);
    }
  }
  FileAttributes attributes;
  ASSERT_TRUE(readAttributes(file, attributes));
  EXPECT_GT(attributes.created, 1600000000) << "created just now";
  EXPECT_FALSE(setModifiedTime(path("missing"), 0));
}

TEST_F(Win32OsTest, FractionsOfASecondRoundTowardThePast) {
  struct Case {
    std::int64_t ticksSince1970;  // 100 ns steps
    std::int64_t seconds;
  };
  static const Case cases[] = {{15'000'000, 1}, {-5'000'000, -1}, {-10'000'000, -1}};
  const Path file = path("f");
  ASSERT_TRUE(writeRaw(file, "x"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ticksSince1970);
    const auto ticks = static_cast<std::uint64_t>(c.ticksSince1970 + 116'444'736'000'000'000);
    FILETIME time = {static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    HANDLE handle =
        CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(handle, nullptr, nullptr, &time));
    CloseHandle(handle);
    FileAttributes attributes;
    ASSERT_TRUE(readAttributes(file, attributes));
    EXPECT_EQ(attributes.modified, c.seconds);
  }
}

TEST(Win32LocalTimeTest, IsTheLocalTimeOfTheSameInstant) {
  for (std::int64_t time :
       {std::int64_t{86400}, std::int64_t{1700000000}, std::int64_t{4102444800}}) {
    SCOPED_TRACE(time);
    std::tm local = {};
    ASSERT_TRUE(localTime(time, local));
    local.tm_isdst = -1;
    EXPECT_EQ(static_cast<std::int64_t>(std::mktime(&local)), time);
  }
  std::tm local = {};
  EXPECT_FALSE(localTime(-86400 * 2, local)) << "before 1970 has no local time here";
}

TEST_F(Win32OsTest, ListsEntriesAndTellsFoldersFromFiles) {
  ASSERT_TRUE(writeRaw(path("b.txt"), ""));
  ASSERT_TRUE(createFolder(path("a")));
  ASSERT_TRUE(writeRaw(path("a\\inner"), ""));
  ASSERT_TRUE(writeRaw(path("h"), ""));
  ASSERT_TRUE(SetFileAttributesA(path("h").c_str(), FILE_ATTRIBUTE_HIDDEN));

  for (const Path& folder : {folder_, folder_ + "\\"}) {
    SCOPED_TRACE(folder);
    std::vector<FolderEntry> entries = listFolder(folder);
    ASSERT_EQ(entries.size(), 3u);
    for (const FolderEntry& entry : entries) {
      EXPECT_EQ(entry.isFolder, entry.name == "a") << entry.name;
    }
  }
  EXPECT_TRUE(listFolder(path("missing")).empty());
  EXPECT_TRUE(listFolder(path("b.txt")).empty());
  EXPECT_TRUE(listFolder("").empty());
}

TEST_F(Win32OsTest, InspectsWithoutFollowing) {
  ASSERT_TRUE(writeRaw(path("f"), ""));
  struct Case {
    Path path;
    bool exists;
    bool folder;
  };
  const Case cases[] = {
      {path("f"), true, false},
      {folder_, true, true},
      {path("missing"), false, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const PathFacts facts = inspect(c.path);
    EXPECT_EQ(facts.exists, c.exists);
    EXPECT_EQ(facts.isFolder, c.folder);
    EXPECT_FALSE(facts.isSymbolicLink);
    EXPECT_FALSE(facts.ownedByOtherUser);
    EXPECT_EQ(pathExists(c.path), c.exists);
    EXPECT_EQ(isFolder(c.path), c.folder);
  }
  EXPECT_FALSE(createFolder(folder_)) << "exists already";
  EXPECT_FALSE(createFolder(path("missing\\below")));
}

TEST_F(Win32OsTest, FoldersAreCreatedOneLevelAtATime) {
  const Path deepest = path("a\\b\\c");
  ASSERT_TRUE(folder_levels::createWithParents(deepest));
  EXPECT_TRUE(isFolder(path("a\\b")));
  EXPECT_TRUE(isFolder(deepest));
  EXPECT_TRUE(folder_levels::createWithParents(deepest)) << "existing levels are fine";

  ASSERT_TRUE(writeRaw(path("file"), ""));
  EXPECT_FALSE(folder_levels::createWithParents(path("file\\below")));
  EXPECT_FALSE(isFolder(path("file\\below")));
}

TEST_F(Win32OsTest, SingleByteCodePageLetterBeforeABackslashIsNoLeadByte) {
  if (isLeadByte('\xE9')) GTEST_SKIP() << "code page " << GetACP() << " pairs E9 with a trail";
  // "José" in code page 1252: the E9 before the backslash is a letter of its own.
  const Path inner = path("Jos\xE9\\inner");
  ASSERT_TRUE(folder_levels::createWithParents(inner));
  EXPECT_TRUE(isFolder(path("Jos\xE9")));
  EXPECT_TRUE(isFolder(inner));
}

TEST(Win32PathsTest, ProgramDirectoryIsTheExecutablesFolder) {
  char module[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, module, MAX_PATH), 0u);
  const std::string executable = module;
  EXPECT_EQ(executablePath(), executable);
  const std::string folder = executable.substr(0, executable.rfind('\\'));
  EXPECT_EQ(programDirectory(), folder);
  EXPECT_EQ(gameArchive(), folder + "\\VUVazur.dat");
}

// Runs program with the print flag; its output, or "" when it can't be run.
std::string printedPaths(const std::string& program) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "";
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  std::string commandLine = "\"" + program + "\" " + kPrintPathsFlag;
  const BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  std::string output;
  if (started) {
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
      output.append(buffer, got);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(readEnd);
  // The console may turn \n into \r\n.
  std::string lines;
  for (char c : output) {
    if (c != '\r') lines += c;
  }
  return lines;
}

TEST(Win32PathsTest, AnExecutableInADriveRootHasTheDriveAsItsDirectory) {
  const std::string copy =
      "C:\\vantrel-root-probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
  if (!CopyFileA(executablePath().c_str(), copy.c_str(), FALSE)) {
    GTEST_SKIP() << "the root of drive C: is not writable here";
  }
  const std::string printed = printedPaths(copy);
  DeleteFileA(copy.c_str());
  EXPECT_EQ(printed, "C:\nC:\\VUVazur.dat\n");
}

TEST(Win32PathsTest, SpecialFoldersEndWithOneBackslash) {
  struct Case {
    std::int32_t kind;
    int csidl;  // -1: asked for with another call
  };
  static const Case cases[] = {
      {0, CSIDL_DESKTOPDIRECTORY},
      {1, CSIDL_PERSONAL},
      {2, CSIDL_FAVORITES},
      {3, CSIDL_DESKTOPDIRECTORY},
      {4, CSIDL_FONTS},
      {5, CSIDL_STARTMENU},
      {6, CSIDL_PROGRAMS},
      {7, CSIDL_STARTUP},
      {8, CSIDL_APPDATA},
      {9, -1},
      {10, -1},
      {11, -1},
      {12, CSIDL_INTERNET_CACHE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    char raw[MAX_PATH] = {};
    if (c.csidl >= 0) {
      SHGetSpecialFolderPathA(nullptr, raw, c.csidl, FALSE);
    } else if (c.kind == 9) {
      GetWindowsDirectoryA(raw, MAX_PATH);
    } else if (c.kind == 10) {
      GetSystemDirectoryA(raw, MAX_PATH);
    } else {
      GetTempPathA(MAX_PATH, raw);
    }
    std::string expected = raw;
    if (!expected.empty() && expected.back() != '\\') expected += '\\';
    const Text folder = specialFolderPath(c.kind);
    EXPECT_EQ(folder, expected);
    ASSERT_GE(folder.size(), 3u);
    EXPECT_NE(folder[folder.size() - 2], '\\') << "two backslashes at the end";
  }
  for (std::int32_t kind : {13, -1}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(specialFolderPath(kind), "");
    EXPECT_EQ(systemFolder(kind), "");
  }
  EXPECT_EQ(workingFolder(), specialFolderPath(11) + "VUVazur.dat");
  EXPECT_EQ(specialFolderPath(0), specialFolderPath(3));
  EXPECT_EQ(workingFile(), specialFolderPath(11) + "VUVazur.dat\\VUVazur.dat");
}

// Sets TMP, which GetTempPathA reads first, for one test.
class TemporaryDirectoryVariable {
 public:
  explicit TemporaryDirectoryVariable(const std::string& value) {
    char old[4096] = {};
    const DWORD length = GetEnvironmentVariableA("TMP", old, sizeof old);
    hadOld_ = length > 0 && length < sizeof old;
    old_ = old;
    SetEnvironmentVariableA("TMP", value.c_str());
  }
  ~TemporaryDirectoryVariable() {
    SetEnvironmentVariableA("TMP", hadOld_ ? old_.c_str() : nullptr);
  }

 private:
  bool hadOld_ = false;
  std::string old_;
};

TEST_F(Win32OsTest, TemporaryDirectoryGetsOneBackslashOrNoneWhenTooLong) {
  {
    TemporaryDirectoryVariable variable(folder_);  // without a trailing backslash
    EXPECT_EQ(specialFolderPath(11), folder_ + "\\");
    EXPECT_EQ(workingFile(), folder_ + "\\VUVazur.dat\\VUVazur.dat");
  }
  {
    // Longer than the 260 bytes the path may have: no folder rather than a cut one.
    TemporaryDirectoryVariable variable(folder_ + "\\" + std::string(300, 'x'));
    EXPECT_EQ(systemFolder(11), "");
    EXPECT_EQ(specialFolderPath(11), "");
    EXPECT_EQ(workingFolder(), "");
    EXPECT_EQ(workingFile(), "");
  }
}

// Run with Wine's ANSI code page 936; skipped under a single-byte code page
// unless VANTREL_REQUIRE_CODE_PAGE names the one expected.
class DoubleBytePathsTest : public Win32OsTest {
 protected:
  void SetUp() override {
    if (const char* required = std::getenv("VANTREL_REQUIRE_CODE_PAGE")) {
      ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(required)));
    } else if (!isLeadByte('\x95') || !isLeadByte('\x81')) {
      GTEST_SKIP() << "code page " << GetACP() << " has no double-byte characters";
    }
    Win32OsTest::SetUp();
  }
};

TEST_F(DoubleBytePathsTest, TrailBackslashDoesNotSplitAFolderName) {
  const Path named = path(kTrailBackslashName);
  ASSERT_TRUE(folder_levels::createWithParents(named + "\\inner")) << named;

  const std::vector<FolderEntry> entries = listFolder(folder_);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, kTrailBackslashName);
  EXPECT_TRUE(entries[0].isFolder);
  EXPECT_EQ(namesIn(named), std::vector<std::string>{"inner"});
  EXPECT_EQ(namesIn(named + "\\"), std::vector<std::string>{"inner"}) << "with a separator";
}

TEST_F(DoubleBytePathsTest, FileNameEndingInATrailBackslashIsWrittenBesideItself) {
  const Path file = path(kTrailBackslashName);
  ASSERT_TRUE(writeWholeFile(file, textToBytes("rules")));
  EXPECT_EQ(asString(readWholeFile(file)), "rules");
  EXPECT_EQ(namesIn(folder_), std::vector<std::string>{kTrailBackslashName});
}

TEST_F(DoubleBytePathsTest, ExecutableNameWithATrailBackslashKeepsItsFolder) {
  const Path copy = path("x" + kTrailBackslashName + ".exe");
  ASSERT_TRUE(CopyFileA(executablePath().c_str(), copy.c_str(), FALSE));
  EXPECT_EQ(printedPaths(copy), folder_ + "\n" + folder_ + "\\VUVazur.dat\n");
}

// Characters of the ANSI code page and their code points: in GBK 中 is D6 D0.
TEST_F(DoubleBytePathsTest, LocalCharactersConvertToCodePointsAndBack) {
  const LocalCharacter zhong = decodeLocalCharacter("\xD6\xD0x");
  EXPECT_EQ(zhong.codePoint, char32_t{0x4E2D});
  EXPECT_EQ(zhong.length, 2u);
  EXPECT_EQ(encodeLocalCharacter(0x4E2D), "\xD6\xD0");
  const LocalCharacter letter = decodeLocalCharacter("a\xD6\xD0");
  EXPECT_EQ(letter.codePoint, char32_t{'a'});
  EXPECT_EQ(letter.length, 1u);
  // A lead byte without its trail byte is no character.
  const LocalCharacter cut = decodeLocalCharacter("\xD6");
  EXPECT_EQ(cut.codePoint, kReplacementCharacter);
  EXPECT_EQ(cut.length, 1u);
  // Characters the code page lacks get no look-alike.
  EXPECT_EQ(encodeLocalCharacter(0x1F600), "");
  EXPECT_EQ(encodeLocalCharacter(0xD800), "");
  EXPECT_EQ(encodeLocalCharacter(0), "");
}

}  // namespace
}  // namespace vantrel::os

// Start-up, write-out and restore against the game's files going wrong: an
// archive that does not unpack, a planted working copy, a working file that
// lost the edits, stray and leftover files, a second editor, a linked archive.
// Each case must either do the sound thing or nothing, never lose rules, and
// never show "写出完成" or "还原完成" for something that did not happen.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "archive/original_archive.h"
#include "archive/pristine_archive.h"
#include "archive/working_folder_lock.h"
#include "archive/zip_archive.h"
#include "archive/zip_test_support.h"
#include "os/os.h"
#include "rules/fake_window.h"
#include "rules/rules_text_builder.h"
#include "ui/editor_commands.h"
#include "ui/sample_game_folder.h"
#include "ui/working_copy_claim.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

// A rules text that an earlier run left in the working folder.
Text earlierRulesText() {
  return testing::buildRulesText({
      {"Entities", {{"earlier_keep", {Text("1"), Text("2")}}}},
      {"Commands", {{"earlier_slash", {Text("3")}}}},
  });
}

// Leaves a temporary file beside target as a process killed while writing it would.
Text leaveTemporaryBeside(const Text& target) {
  Text path;
  auto file = os::createTemporaryBeside(target, path);
  if (file) {
    file->write("half written", 12);
    file->close();
  }
  return path;
}

class GameFilesSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    originalArchive_ = readFile(paths().gameArchive);
  }

  GamePaths paths() const { return folder_.paths(); }
  const Text& workingFile() const { return paths_.workingFile; }

  // A working folder that an earlier run left, holding its working file.
  void leaveEarlierWorkingCopy() {
    ASSERT_TRUE(fs::create_directories(paths_.workingFolder) || fs::exists(paths_.workingFolder));
    writeFile(workingFile(), earlierRulesText());
  }

  // The entries of an archive, as unpacking lays them out.
  static std::vector<std::string> entriesOf(const Text& archive) {
    test::ScratchFolder unpacked;
    if (unpackArchive(archive, unpacked.path()) != 1) return {"(does not unpack)"};
    return test::listTree(unpacked.path());
  }
  // The rules text inside an archive.
  static std::string rulesIn(const Text& archive) {
    test::ScratchFolder unpacked;
    if (unpackArchive(archive, unpacked.path()) != 1) return "(does not unpack)";
    return readFile(unpacked / "VUVazur.dat");
  }

  void writeOut() { commands_.onWriteOut(); }
  std::vector<Text> messages() const { return window_.messages(); }
  static Text text(const char* utf8) { return Text(utf8); }

  SampleGameFolder folder_;
  GamePaths paths_ = folder_.paths();
  std::string originalArchive_;
  RulesDocument document_;
  FakeWindow window_;
  ZipComponent zip_;
  EditorCommands commands_{document_, window_, zip_, paths_};
};

TEST_F(GameFilesSafetyTest, ArchiveThatDoesNotUnpackLoadsNothingAndIsNeverReplaced) {
  struct Case {
    const char* what;
    std::string archive;
  };
  const std::string sample = readFile(SampleGameFolder::sampleArchive().toStdString());
  const Case cases[] = {
      {"not a ZIP archive", "this is no archive"},
      {"cut off", sample.substr(0, sample.size() / 2)},
      {"an archive without entries", std::string("PK\5\6", 4) + std::string(18, '\0')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RulesDocument document;
    FakeWindow window;
    EditorCommands commands(document, window, zip_, paths_);
    leaveEarlierWorkingCopy();
    writeFile(paths_.gameArchive, c.archive);

    commands.onWindowCreated();
    EXPECT_TRUE(window.items(kEntityList).empty());
    EXPECT_TRUE(window.items(kCommandList).empty());
    commands.onWriteOut();

    EXPECT_TRUE(window.messages().empty());
    EXPECT_EQ(readFile(paths_.gameArchive), c.archive);
  }
}

TEST_F(GameFilesSafetyTest, MissingArchiveLoadsTheEarlierWorkingFileAndWritesItOut) {
  leaveEarlierWorkingCopy();
  fs::remove(paths_.gameArchive);

  commands_.onWindowCreated();
  EXPECT_EQ(window_.items(kEntityList), std::vector<Text>{"earlier_keep"});
  writeOut();

  EXPECT_EQ(messages(), std::vector<Text>{text("写出完成")});
  EXPECT_EQ(rulesIn(paths_.gameArchive), earlierRulesText());
}

#ifndef _WIN32
TEST_F(GameFilesSafetyTest, PlantedWorkingCopyIsNeitherLoadedNorPacked) {
  struct Case {
    const char* what;
    bool linkFolder;  // else the working file is the link
    bool withArchive;
  };
  const Case cases[] = {
      {"working folder is a link, archive present", true, true},
      {"working folder is a link, no archive", true, false},
      {"working file is a link, archive present", false, true},
      {"working file is a link, no archive", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScratchFolder elsewhere;
    writeFile(elsewhere / "VUVazur.dat", earlierRulesText());
    fs::remove_all(paths_.workingFolder);
    if (c.linkFolder) {
      fs::create_directory_symlink(elsewhere.path(), paths_.workingFolder);
    } else {
      fs::create_directory(paths_.workingFolder);
      fs::create_symlink(elsewhere / "VUVazur.dat", workingFile());
    }
    if (c.withArchive) {
      writeFile(paths_.gameArchive, originalArchive_);
    } else {
      fs::remove(paths_.gameArchive);
    }
    RulesDocument document;
    FakeWindow window;
    EditorCommands commands(document, window, zip_, paths_);

    commands.onWindowCreated();
    EXPECT_TRUE(window.items(kEntityList).empty());
    commands.onWriteOut();

    EXPECT_TRUE(window.messages().empty());
    EXPECT_EQ(fs::exists(paths_.gameArchive), c.withArchive);
    if (c.withArchive) {
      EXPECT_EQ(readFile(paths_.gameArchive), originalArchive_);
    }
    EXPECT_EQ(test::listTree(elsewhere.path()), std::vector<std::string>{"VUVazur.dat"});
    EXPECT_EQ(readFile(elsewhere / "VUVazur.dat"), earlierRulesText());
  }
}
#endif

TEST_F(GameFilesSafetyTest, WriteOutFirstPutsTheDocumentIntoTheWorkingFile) {
  commands_.onWindowCreated();
  ASSERT_FALSE(document_.documentText().empty());
  // As after a rewrite that failed, or a change behind the editor's back.
  writeFile(workingFile(), "not what the editor holds");

  writeOut();

  EXPECT_EQ(messages(), std::vector<Text>{text("写出完成")});
  EXPECT_EQ(readFile(workingFile()), document_.documentText());
  EXPECT_EQ(rulesIn(paths_.gameArchive), document_.documentText());
}

TEST_F(GameFilesSafetyTest, WorkingFileThatCannotBeRewrittenStopsTheWriteOut) {
  commands_.onWindowCreated();
  fs::remove(workingFile());
  fs::create_directory(workingFile());  // nothing can be written there now

  writeOut();

  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(readFile(paths_.gameArchive), originalArchive_);
}

TEST_F(GameFilesSafetyTest, WriteOutPacksTheWorkingFileAloneAndLeavesTheRestInPlace) {
  commands_.onWindowCreated();
  const auto lock = WorkingFolderLock::acquire(paths_.workingFolder);
  ASSERT_NE(lock, nullptr);
  writeFile(paths_.workingFolder + "/notes.txt", "mine");
  fs::create_directory(paths_.workingFolder + "/saves");
  writeFile(paths_.workingFolder + "/saves/a.txt", "mine too");

  writeOut();

  EXPECT_EQ(messages(), std::vector<Text>{text("写出完成")});
  EXPECT_EQ(entriesOf(paths_.gameArchive), std::vector<std::string>{"VUVazur.dat"});
  EXPECT_EQ(readFile(paths_.workingFolder + "/notes.txt"), "mine");
  EXPECT_EQ(readFile(paths_.workingFolder + "/saves/a.txt"), "mine too");
}

TEST_F(GameFilesSafetyTest, LeftoverTemporariesGoAtStartAndBeforeTheArchiveIsReplaced) {
  leaveEarlierWorkingCopy();
  const Text inWorkingFolder = leaveTemporaryBeside(workingFile());
  const Text besideArchive = leaveTemporaryBeside(paths_.gameArchive);
  ASSERT_TRUE(fs::exists(inWorkingFolder));
  ASSERT_TRUE(fs::exists(besideArchive));
  writeFile(paths_.workingFolder + "/notes.txt", "not the editor's");

  commands_.onWindowCreated();
  EXPECT_FALSE(fs::exists(inWorkingFolder));
  EXPECT_TRUE(fs::exists(besideArchive)) << "the game's folder is touched only by a replacement";
  commands_.onRestore();

  EXPECT_FALSE(fs::exists(besideArchive));
  EXPECT_TRUE(fs::exists(paths_.workingFolder + "/notes.txt"));
  EXPECT_EQ(messages(), std::vector<Text>{text("还原完成")});
}

TEST_F(GameFilesSafetyTest, FirstReplacementKeepsTheGamesArchiveOnceAndForAll) {
  const Text original = originalArchivePath(paths_.gameArchive);
  commands_.onWindowCreated();
  writeOut();
  EXPECT_EQ(readFile(original), originalArchive_);

  commands_.onRestore();
  writeFile(workingFile(), "");  // the next write-out rewrites it from the document
  writeOut();

  EXPECT_EQ(messages(), (std::vector<Text>{text("写出完成"), text("还原完成"), text("写出完成")}));
  EXPECT_EQ(readFile(original), originalArchive_);
  EXPECT_EQ(entriesOf(paths_.gameArchive), std::vector<std::string>{"VUVazur.dat"});
}

#ifndef _WIN32
TEST_F(GameFilesSafetyTest, ArchiveThatCannotBeKeptIsNotReplaced) {
  commands_.onWindowCreated();
  fs::remove(paths_.gameArchive);
  ASSERT_EQ(::mkfifo(paths_.gameArchive.c_str(), 0600), 0);  // can't be copied

  writeOut();
  commands_.onRestore();

  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(fs::is_fifo(paths_.gameArchive));
  EXPECT_FALSE(fs::exists(originalArchivePath(paths_.gameArchive)));
}

TEST_F(GameFilesSafetyTest, LinkedArchiveStaysALinkAndItsTargetIsReplaced) {
  const fs::path target = fs::path(paths_.gameArchive).parent_path() / "mods" / "rules.dat";
  fs::create_directory(target.parent_path());
  fs::rename(paths_.gameArchive, target);
  fs::create_symlink(target, paths_.gameArchive);
  commands_.onWindowCreated();

  writeOut();
  ASSERT_TRUE(fs::is_symlink(paths_.gameArchive));
  EXPECT_EQ(rulesIn(target.string()), readFile(workingFile()));
  commands_.onRestore();

  EXPECT_EQ(messages(), (std::vector<Text>{text("写出完成"), text("还原完成")}));
  ASSERT_TRUE(fs::is_symlink(paths_.gameArchive));
  const Bytes pristine = pristineArchive();
  EXPECT_EQ(readFile(target.string()), std::string(pristine.begin(), pristine.end()));
  EXPECT_FALSE(fs::is_symlink(originalArchivePath(paths_.gameArchive)));
  EXPECT_EQ(readFile(originalArchivePath(paths_.gameArchive)), originalArchive_);
  EXPECT_EQ(test::listTree(target.parent_path().string()), std::vector<std::string>{"rules.dat"});
}
#endif

TEST_F(GameFilesSafetyTest, SecondStartFindsTheWorkingFolderTakenAndLeavesItAlone) {
  WorkingCopyClaim first = claimWorkingCopy(paths_);
  ASSERT_NE(first.lock, nullptr);
  EXPECT_FALSE(first.anotherEditorRunning);
  EXPECT_EQ(first.paths.workingFile, paths_.workingFile);
  leaveEarlierWorkingCopy();
  const auto before = test::listTree(paths_.workingFolder);

  WorkingCopyClaim second = claimWorkingCopy(paths_);

  EXPECT_EQ(second.lock, nullptr);
  EXPECT_TRUE(second.anotherEditorRunning);
  EXPECT_EQ(test::listTree(paths_.workingFolder), before);
  EXPECT_EQ(readFile(workingFile()), earlierRulesText());
}

#ifndef _WIN32
TEST_F(GameFilesSafetyTest, PlantedWorkingFolderIsNotLockedAndRunsWithoutIt) {
  test::ScratchFolder elsewhere;
  fs::create_directory_symlink(elsewhere.path(), paths_.workingFolder);

  WorkingCopyClaim claim = claimWorkingCopy(paths_);

  EXPECT_EQ(claim.lock, nullptr);
  EXPECT_FALSE(claim.anotherEditorRunning);
  EXPECT_TRUE(claim.paths.workingFolder.empty());
  EXPECT_EQ(claim.paths.gameArchive, paths_.gameArchive);
  EXPECT_TRUE(test::listTree(elsewhere.path()).empty());
}
#endif

}  // namespace
}  // namespace vantrel

// The handlers against a recording fake window: which boxes they read and
// write, in which order, on a small rules text whose every value names its own
// column, and that failures stay silent.
#include "ui/editor_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "os/os.h"
#include "rules/fake_window.h"
#include "rules/rules_text_builder.h"
#ifdef _WIN32
#include "ui/win32/sample_game_folder.h"
#else
#include "ui/qt/sample_game_folder.h"
#endif

namespace vantrel {
namespace {

#ifdef _WIN32
using win32::SampleGameFolder;
#endif

using BoxTexts = std::vector<std::pair<Text, Text>>;

constexpr std::int32_t kUnitMarkerColumn = 12;  // line 16

// A row whose column c holds "<prefix><c>"; a building has no unit marker.
testing::SampleRow row(const Text& key, const Text& prefix, int columns, bool unit) {
  testing::SampleRow spec{key, {}};
  for (int column = 1; column <= columns; ++column) {
    if (column == kUnitMarkerColumn && !unit) {
      spec.columns.push_back(std::nullopt);
    } else {
      spec.columns.push_back(prefix + std::to_string(column));
    }
  }
  return spec;
}

class EditorCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    const GamePaths paths = folder_.paths();
    ASSERT_TRUE(os::createFolder(paths.workingFolder));
    const Text rules = testing::buildRulesText({
        {"Entities", {row("keep", "b", 80, false), row("scout", "u", 80, true)}},
        {"Commands", {row("slash", "c", 30, false)}},
    });
    ASSERT_TRUE(writeWholeFile(paths.workingFile, textToBytes(rules), false));
    document_.load(paths.workingFile, window_);
    window_.clearCalls();
  }

  // The edit boxes set, in order, leaving out the info box.
  BoxTexts boxesSet() const {
    BoxTexts set;
    for (const WindowCall& call : window_.callsOf("setEditText")) {
      if (call.control != kInfoBox) set.emplace_back(call.control, call.text);
    }
    return set;
  }

  // The edit boxes read, in order.
  std::vector<Text> boxesRead() const {
    std::vector<Text> read;
    for (const WindowCall& call : window_.callsOf("getEditText")) read.push_back(call.control);
    return read;
  }

  SampleGameFolder folder_{SampleGameFolder::Archive::None};
  RulesDocument document_;
  FakeWindow window_;
  ZipComponent zip_;
  EditorCommands commands_{document_, window_, zip_, folder_.paths()};
};

TEST_F(EditorCommandsTest, SelectingBuildingFillsBuildingThenEmptiesUnitThenShared) {
  window_.select(kEntityList, 0);
  commands_.onEntitySelected();
  EXPECT_EQ(
      boxesSet(),
      (BoxTexts{
          {"编辑框_生命", "b11"},     {"编辑框_防御", "b13"},     {"编辑框_视野", "b15"},
          {"编辑框_电网", "b43"},     {"编辑框_人物生命", ""},    {"编辑框_人物防御", ""},
          {"编辑框_人物视野", ""},    {"编辑框_人物移速", ""},    {"编辑框_建造速度", "b23"},
          {"编辑框_需求工人", "b52"}, {"编辑框_需求食物", "b53"}, {"编辑框_需求能源", "b54"},
          {"编辑框_需求金币", "b55"}, {"编辑框_需求木材", "b56"}, {"编辑框_需求石材", "b57"},
          {"编辑框_需求铁矿", "b58"}, {"编辑框_需求石油", "b59"}, {"编辑框_产出殖民者", "b60"},
          {"编辑框_产出工人", "b61"}, {"编辑框_采集范围", "b73"}, {"编辑框_采集系数", "b74"},
          {"编辑框_采集预估", "b75"},
      }));
}

TEST_F(EditorCommandsTest, SelectingUnitFillsUnitThenEmptiesBuilding) {
  window_.select(kEntityList, 1);
  commands_.onEntitySelected();
  const BoxTexts set = boxesSet();
  ASSERT_GE(set.size(), 8u);
  EXPECT_EQ(BoxTexts(set.begin(), set.begin() + 8), (BoxTexts{
                                                        {"编辑框_人物生命", "u11"},
                                                        {"编辑框_人物防御", "u12"},
                                                        {"编辑框_人物视野", "u15"},
                                                        {"编辑框_人物移速", "u19"},
                                                        {"编辑框_生命", ""},
                                                        {"编辑框_防御", ""},
                                                        {"编辑框_视野", ""},
                                                        {"编辑框_电网", ""},
                                                    }));
}

TEST_F(EditorCommandsTest, SelectingCommandFillsCommandBoxes) {
  window_.select(kCommandList, 0);
  commands_.onCommandSelected();
  EXPECT_EQ(boxesSet(),
            (BoxTexts{{"编辑框_距离", "c21"}, {"编辑框_伤害", "c23"}, {"编辑框_间隔", "c28"}}));
}

// Each confirm reads every bound box of the row's kind, in order, just before
// writing it.
TEST_F(EditorCommandsTest, ConfirmReadsEveryBoundBoxInOrder) {
  const std::vector<Text> shared = {"编辑框_建造速度",   "编辑框_需求工人", "编辑框_需求食物",
                                    "编辑框_需求能源",   "编辑框_需求金币", "编辑框_需求木材",
                                    "编辑框_需求石材",   "编辑框_需求铁矿", "编辑框_需求石油",
                                    "编辑框_产出殖民者", "编辑框_产出工人", "编辑框_采集范围",
                                    "编辑框_采集系数",   "编辑框_采集预估"};
  struct Case {
    const char* name;
    const char* list;
    std::int32_t row;
    void (EditorCommands::*confirm)();
    std::vector<Text> firstBoxes;
    bool entity;
  };
  const Case cases[] = {
      {"building",
       kEntityList,
       0,
       &EditorCommands::onConfirmEntity,
       {"编辑框_生命", "编辑框_防御", "编辑框_视野", "编辑框_电网"},
       true},
      {"unit",
       kEntityList,
       1,
       &EditorCommands::onConfirmEntity,
       {"编辑框_人物生命", "编辑框_人物防御", "编辑框_人物视野", "编辑框_人物移速"},
       true},
      {"command",
       kCommandList,
       0,
       &EditorCommands::onConfirmCommand,
       {"编辑框_距离", "编辑框_伤害", "编辑框_间隔"},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_.clearCalls();
    window_.select(c.list, c.row);
    (commands_.*c.confirm)();
    std::vector<Text> expected = c.firstBoxes;
    if (c.entity) expected.insert(expected.end(), shared.begin(), shared.end());
    EXPECT_EQ(boxesRead(), expected);
  }
}

TEST_F(EditorCommandsTest, ConfirmWithoutSelectionWritesNothing) {
  commands_.onConfirmEntity();
  commands_.onConfirmCommand();
  EXPECT_EQ(boxesRead(), std::vector<Text>());
  EXPECT_EQ(window_.callsOf("setEditText").size(), 0u);
}

TEST_F(EditorCommandsTest, FailedWriteOutAndRestoreStaySilent) {
  ZipComponent zip;
  const Text missingFolder = folder_.paths().workingFolder + "/missing";
  EditorCommands commands(document_, window_, zip,
                          {missingFolder + "/VUVazur.dat", missingFolder, missingFolder});
  commands.onWriteOut();
  commands.onRestore();
  EXPECT_EQ(window_.messages(), std::vector<Text>());
}

}  // namespace
}  // namespace vantrel

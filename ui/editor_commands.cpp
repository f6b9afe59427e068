#include "ui/editor_commands.h"

#include <QString>
#include <cstdint>
#include <span>
#include <utility>

#include "archive/original_archive.h"
#include "archive/pristine_archive.h"
#include "os/os.h"
#include "ui/local_text.h"

namespace vantrel {

namespace {

// An edit box bound to a line of a row text.
struct FieldBinding {
  const char* editBox;
  std::int32_t line;
};

// An entity row is a unit when this line holds a value, a building otherwise.
constexpr std::int32_t kUnitMarkerLine = 16;

constexpr FieldBinding kBuildingFields[] = {
    {"编辑框_生命", 15},
    {"编辑框_防御", 17},
    {"编辑框_视野", 19},
    {"编辑框_电网", 47},
};

constexpr FieldBinding kUnitFields[] = {
    {"编辑框_人物生命", 15},
    {"编辑框_人物防御", 16},
    {"编辑框_人物视野", 19},
    {"编辑框_人物移速", 23},
};

constexpr FieldBinding kSharedEntityFields[] = {
    {"编辑框_建造速度", 27},   {"编辑框_需求工人", 56}, {"编辑框_需求食物", 57},
    {"编辑框_需求能源", 58},   {"编辑框_需求金币", 59}, {"编辑框_需求木材", 60},
    {"编辑框_需求石材", 61},   {"编辑框_需求铁矿", 62}, {"编辑框_需求石油", 63},
    {"编辑框_产出殖民者", 64}, {"编辑框_产出工人", 65}, {"编辑框_采集范围", 77},
    {"编辑框_采集系数", 78},   {"编辑框_采集预估", 79},
};

constexpr FieldBinding kCommandFields[] = {
    {"编辑框_距离", 25},
    {"编辑框_伤害", 27},
    {"编辑框_间隔", 32},
};

// Fills each box, in order, with the value of its line of the selected row.
void fillBoxes(std::span<const FieldBinding> fields, RowTable table, RulesDocument& document,
               WindowOperations& window) {
  for (const FieldBinding& field : fields) {
    window.setEditText(field.editBox, document.getValue(field.line, table, window));
  }
}

void emptyBoxes(std::span<const FieldBinding> fields, WindowOperations& window) {
  for (const FieldBinding& field : fields) {
    window.setEditText(field.editBox, Text());
  }
}

// Writes each box, in order, to its line of the selected row; each box is
// read just before its own write.
void writeBoxes(std::span<const FieldBinding> fields, RowTable table, RulesDocument& document,
                WindowOperations& window) {
  for (const FieldBinding& field : fields) {
    document.setValue(field.line, table, window.getEditText(field.editBox), window);
  }
}

// The program's own messages are UTF-8 literals; the window shows local texts.
Text message(const char* utf8) { return toLocalText(QString::fromUtf8(utf8)); }

}  // namespace

EditorCommands::EditorCommands(RulesDocument& document, WindowOperations& window, ZipComponent& zip,
                               GamePaths paths)
    : document_(document), window_(window), zip_(zip), paths_(std::move(paths)) {}

void EditorCommands::onWindowCreated() {
  workingCopyLoaded_ = false;
  if (workingCopyRefused(paths_)) return;
  os::removeLeftoverTemporaries(paths_.workingFile);
  // 0: the archive is there but did not unpack. Whatever the working folder
  // holds then is not the game's current rules and must not be packed over them.
  if (zip_.unpack(paths_.gameArchive, paths_.workingFolder) == 0) return;
  document_.load(paths_.workingFile, window_);
  workingCopyLoaded_ = true;
}

bool EditorCommands::selectedEntityIsUnit() {
  return !document_.getValue(kUnitMarkerLine, Entities, window_).empty();
}

void EditorCommands::onEntitySelected() {
  const bool unit = selectedEntityIsUnit();
  fillBoxes(unit ? std::span(kUnitFields) : std::span(kBuildingFields), Entities, document_,
            window_);
  emptyBoxes(unit ? std::span(kBuildingFields) : std::span(kUnitFields), window_);
  fillBoxes(kSharedEntityFields, Entities, document_, window_);
}

void EditorCommands::onCommandSelected() {
  fillBoxes(kCommandFields, Commands, document_, window_);
}

void EditorCommands::onConfirmEntity() {
  if (window_.getListSelection(kEntityList) < 0) return;
  const bool unit = selectedEntityIsUnit();
  writeBoxes(unit ? std::span(kUnitFields) : std::span(kBuildingFields), Entities, document_,
             window_);
  writeBoxes(kSharedEntityFields, Entities, document_, window_);
}

void EditorCommands::onConfirmCommand() {
  if (window_.getListSelection(kCommandList) < 0) return;
  writeBoxes(kCommandFields, Commands, document_, window_);
}

bool EditorCommands::workingFileHoldsDocument() {
  const Bytes text = textToBytes(document_.documentText());
  if (text.empty()) return false;  // nothing loaded: nothing to write out
  // A rewrite after a change may have failed; the file may have been changed
  // behind the editor's back.
  if (readWholeFile(paths_.workingFile) == text) return true;
  return writeWholeFile(paths_.workingFile, text, /*flushToDisk=*/false);
}

bool EditorCommands::prepareArchiveReplacement() {
  if (!keepOriginalArchive(paths_.gameArchive)) return false;
  os::removeLeftoverTemporaries(os::replacementTarget(paths_.gameArchive));
  return true;
}

void EditorCommands::onWriteOut() {
  if (!workingCopyLoaded_ || !workingFileHoldsDocument() || !prepareArchiveReplacement()) return;
  // The working file alone: nothing else in the working folder (the lock, a
  // stray file) may reach the game, whose archive holds exactly one entry.
  if (zip_.pack(paths_.workingFile, paths_.gameArchive) == 1) {
    window_.showMessage(message("写出完成"));
  }
}

void EditorCommands::onRestore() {
  if (!prepareArchiveReplacement()) return;
  if (writeWholeFile(paths_.gameArchive, pristineArchive(), /*flushToDisk=*/true)) {
    window_.showMessage(message("还原完成"));
  }
}

}  // namespace vantrel

#include "ui/win32/sample_game_folder.h"

#include <windows.h>

#include <filesystem>

#include "archive/paths.h"

namespace vantrel::win32 {

namespace {

std::optional<std::string> environmentVariable(const char* name) {
  const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::string value(size, '\0');
  value.resize(GetEnvironmentVariableA(name, value.data(), size));
  return value;
}

void restoreVariable(const char* name, const std::optional<std::string>& value) {
  SetEnvironmentVariableA(name, value ? value->c_str() : nullptr);
}

// A new folder under the system's temporary directory, empty on failure.
std::string createUniqueFolder() {
  char temporary[MAX_PATH + 1] = {};
  if (GetTempPathA(sizeof(temporary), temporary) == 0) return {};
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = std::string(temporary) + "vantrel-window-" +
                               std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++counter);
    if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
  }
  return {};
}

}  // namespace

SampleGameFolder::SampleGameFolder(Archive archive) {
  previousTmp_ = environmentVariable("TMP");
  previousTemp_ = environmentVariable("TEMP");
  root_ = createUniqueFolder();
  if (root_.empty()) return;
  gameFolder_ = root_ + "\\game";
  const std::string temporary = root_ + "\\tmp";
  if (!CreateDirectoryA(gameFolder_.c_str(), nullptr) ||
      !CreateDirectoryA(temporary.c_str(), nullptr)) {
    return;
  }
  if (archive == Archive::Sample &&
      !CopyFileA(sampleArchive().c_str(), (gameFolder_ + "\\VUVazur.dat").c_str(), TRUE)) {
    return;
  }
  SetEnvironmentVariableA("TMP", temporary.c_str());
  SetEnvironmentVariableA("TEMP", temporary.c_str());
  valid_ = true;
}

SampleGameFolder::~SampleGameFolder() {
  restoreVariable("TMP", previousTmp_);
  restoreVariable("TEMP", previousTemp_);
  if (root_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(root_), ignored);
}

GamePaths SampleGameFolder::paths() const {
  return {gameFolder_ + "\\VUVazur.dat", workingFolder(), workingFile()};
}

std::string SampleGameFolder::sampleArchive() { return VANTREL_DATA_DIR "/VUVazur.dat"; }

}  // namespace vantrel::win32

// A throw-away game installation for the Windows window tests and tools: a
// game folder that holds a copy of the sample rules archive (or nothing), and
// a temporary directory of its own that is the process's TMP and TEMP while
// the object lives, so the working folder lands inside it too.
#pragma once

#include <optional>
#include <string>

#include "ui/game_paths.h"

namespace vantrel::win32 {

class SampleGameFolder {
 public:
  enum class Archive { Sample, None };

  explicit SampleGameFolder(Archive archive = Archive::Sample);
  ~SampleGameFolder();  // gives TMP and TEMP back and removes the folders
  SampleGameFolder(const SampleGameFolder&) = delete;
  SampleGameFolder& operator=(const SampleGameFolder&) = delete;

  // False when the folders could not be made or the sample not copied.
  bool isValid() const { return valid_; }
  // The game's archive in the game folder; the working folder and file where
  // the program itself puts them, under this object's temporary directory.
  GamePaths paths() const;
  // The game folder, without a separator at the end.
  const std::string& gameFolder() const { return gameFolder_; }
  // The sample rules archive that the game folder starts with.
  static std::string sampleArchive();

 private:
  std::string root_;
  std::string gameFolder_;
  std::optional<std::string> previousTmp_;
  std::optional<std::string> previousTemp_;
  bool valid_ = false;
};

}  // namespace vantrel::win32

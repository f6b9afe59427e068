// A throw-away game installation for the window tests and tools: a game folder
// that holds a copy of the sample rules archive (or nothing), and a temporary
// directory of its own that is the process's TMPDIR while the object lives, so
// the working folder lands inside it too.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "ui/game_paths.h"

namespace vantrel {

class SampleGameFolder {
 public:
  enum class Archive { Sample, None };

  explicit SampleGameFolder(Archive archive = Archive::Sample);
  ~SampleGameFolder();  // gives TMPDIR back its former value
  SampleGameFolder(const SampleGameFolder&) = delete;
  SampleGameFolder& operator=(const SampleGameFolder&) = delete;

  // False when the folders could not be made or the sample not copied.
  bool isValid() const { return valid_; }
  // The game's archive in the game folder; the working folder and file where
  // the program itself puts them, under this object's temporary directory.
  GamePaths paths() const;
  // The sample rules archive that the game folder starts with.
  static QString sampleArchive();

 private:
  QTemporaryDir root_;
  QByteArray previousTemporaryDirectory_;
  bool hadTemporaryDirectory_ = false;
  bool valid_ = false;
};

}  // namespace vantrel

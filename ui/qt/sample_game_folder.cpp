#include "ui/qt/sample_game_folder.h"

#include <QDir>
#include <QFile>

#include "archive/paths.h"

namespace vantrel {

namespace {

constexpr const char* kTemporaryDirectoryVariable = "TMPDIR";

QString gameFolder(const QTemporaryDir& root) { return root.filePath(QStringLiteral("game")); }

}  // namespace

SampleGameFolder::SampleGameFolder(Archive archive) {
  hadTemporaryDirectory_ = qEnvironmentVariableIsSet(kTemporaryDirectoryVariable);
  previousTemporaryDirectory_ = qgetenv(kTemporaryDirectoryVariable);
  if (!root_.isValid()) return;
  const QDir root(root_.path());
  if (!root.mkdir(QStringLiteral("game")) || !root.mkdir(QStringLiteral("tmp"))) return;
  if (archive == Archive::Sample &&
      !QFile::copy(sampleArchive(), gameFolder(root_) + QStringLiteral("/VUVazur.dat"))) {
    return;
  }
  qputenv(kTemporaryDirectoryVariable, QFile::encodeName(root_.filePath(QStringLiteral("tmp"))));
  valid_ = true;
}

SampleGameFolder::~SampleGameFolder() {
  if (hadTemporaryDirectory_) {
    qputenv(kTemporaryDirectoryVariable, previousTemporaryDirectory_);
  } else {
    qunsetenv(kTemporaryDirectoryVariable);
  }
}

GamePaths SampleGameFolder::paths() const {
  const QByteArray archive = QFile::encodeName(gameFolder(root_) + QStringLiteral("/VUVazur.dat"));
  return {archive.toStdString(), workingFolder(), workingFile()};
}

QString SampleGameFolder::sampleArchive() {
  return QStringLiteral(VANTREL_DATA_DIR "/VUVazur.dat");
}

}  // namespace vantrel

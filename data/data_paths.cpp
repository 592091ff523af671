#include "data/data_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "data/info_box.h"

using namespace Qt::StringLiterals;

namespace {

const QString kWinnersFile = u"Winners.tbl"_s;

// The entry of `folder` named "data" in any letter case that is a folder; the
// exact name "Data" first, then the others in order of name.
QString FindDataFolder(const QString& folder) {
  const QDir dir(folder);
  if (folder.isEmpty() || !dir.exists()) return {};
  if (QFileInfo(dir.filePath(u"Data"_s)).isDir()) return u"Data"_s;
  const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
  for (const QString& name : names) {
    if (name.compare(u"data"_s, Qt::CaseInsensitive) == 0) return name;
  }
  return {};
}

// Where the leaderboard goes when the program's folder is read-only. A leaderboard
// that came with the program moves along the first time, so it is not lost.
QString PlayerWinnersPath(const QString& besideProgram) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) return besideProgram;
  const QString path = QDir(folder).filePath(kWinnersFile);
  if (!QFileInfo::exists(path) && QFileInfo(besideProgram).isFile()) QFile::copy(besideProgram, path);
  return path;
}

}  // namespace

bool IsFolderWritable(const QString& folder) {
  const QFileInfo info(folder);
  return info.isDir() && info.isWritable();
}

DataPaths ResolvePaths(const QString& programFolder, InfoBox& box, const FolderWritableCheck& writable) {
  DataPaths paths;
  paths.programFolder = programFolder;
  const QString separator = programFolder.endsWith(u'/') ? QString() : u"/"_s;
  const QString besideProgram = programFolder + separator + kWinnersFile;
  paths.winnersPath = writable(programFolder) ? besideProgram : PlayerWinnersPath(besideProgram);

  const QString dataName = FindDataFolder(programFolder);
  if (dataName.isEmpty()) {
    // The path as the file system spells it: an upper-cased path would name another
    // folder wherever letter case counts.
    const QString shown = QDir::toNativeSeparators(programFolder + separator + u"Data/"_s);
    box.Show(u"Папка "_s + shown + u" не найдена!!!"_s, InfoBox::StopOk);
  } else {
    paths.questionFolder = programFolder + separator + dataName + u'/';
  }
  return paths;
}

DataPaths ResolvePaths(const QString& programFolder, InfoBox& box) {
  return ResolvePaths(programFolder, box, IsFolderWritable);
}

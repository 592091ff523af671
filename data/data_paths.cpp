#include "data/data_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "data/info_box.h"
#include "data/ordinary_file.h"

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <climits>
#endif

using namespace Qt::StringLiterals;

namespace {

const QString kWinnersFile = u"Winners.tbl"_s;
const QString kGameFolder = u"fartovik"_s;

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

QString WithSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }
QByteArray WithSlash(const QByteArray& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

// Whether `folder`, named in the file system's own bytes, is a folder (links followed).
bool IsFolder(const QByteArray& folder) {
#ifdef Q_OS_UNIX
  struct stat st {};
  return ::stat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode);
#else
  return QFileInfo(QFile::decodeName(folder)).isDir();
#endif
}

// `path` made absolute against the working folder, byte for byte: the working
// folder's name need not be valid text either.
QByteArray AbsoluteNative(const QByteArray& path) {
#ifdef Q_OS_UNIX
  if (path.startsWith('/')) return path;
  char here[PATH_MAX];
  if (::getcwd(here, sizeof here) != nullptr) return WithSlash(QByteArray(here)) + path;
#endif
  return QFile::encodeName(QFileInfo(QFile::decodeName(path)).absoluteFilePath());
}

// The same folder on disk, however it was spelled.
bool SameFolder(const QString& a, const QString& b) {
  const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
  return !ca.isEmpty() && ca == cb;
}

// Versions before the game had its own place kept the leaderboard one level deeper,
// where the toolkit's organisation name doubled the folder. The board moves up once;
// a board already at the new place is never replaced.
void MoveDoubledLeaderboard(const QString& playerFolder, const QString& path) {
  const QString doubledFolder = QDir(playerFolder).filePath(kGameFolder);
  const QString doubled = QDir(doubledFolder).filePath(kWinnersFile);
  if (QFileInfo::exists(path) || !QFileInfo(doubled).isFile()) return;
  if (!QFile::rename(doubled, path)) {
    if (!QFile::copy(doubled, path)) return;
    QFile::remove(doubled);
  }
  QDir().rmdir(doubledFolder);  // only when nothing else is left in it
}

// The leaderboard in the player's folder. One that came with a read-only portable
// copy moves along the first time, so it is not lost.
QString PlayerWinnersPath(const QString& playerFolder, const QString& besideProgram, bool portable) {
  // Creating it may fail (no home folder); saving then fails and says so.
  QDir().mkpath(playerFolder);
  const QString path = QDir(playerFolder).filePath(kWinnersFile);
  MoveDoubledLeaderboard(playerFolder, path);
  // Never through a link someone else planted beside the program.
  if (portable && !QFileInfo::exists(path) && ExaminePlace(besideProgram) == FilePlace::OwnFile) {
    QFile::copy(besideProgram, path);
  }
  return path;
}

// The player's own question folder, created empty on the first start so that it is
// there to drop base files into. Empty when it cannot be had.
QString PlayerQuestionFolder(const QString& playerFolder) {
  if (playerFolder.isEmpty()) return {};
  const QString folder = QDir(playerFolder).filePath(u"Data"_s);
  if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) return {};
  return WithSlash(folder);
}

// The lines naming the other folders the bases were looked for in.
QString AlsoLookedIn(const QStringList& folders) {
  if (folders.isEmpty()) return {};
  return u"\r\nНет их и здесь:\r\n"_s + QDir::toNativeSeparators(folders.join(u"\r\n"_s));
}

}  // namespace

DataLocations DataLocations::ForProgram(const QString& programFolder, const QString& installedRelative,
                                        const QByteArray& questionOverride) {
  DataLocations locations;
  if (!questionOverride.isEmpty()) locations.questionOverride = AbsoluteNative(questionOverride);
  if (!installedRelative.isEmpty()) {
    locations.sharedQuestionFolders.append(QDir::cleanPath(programFolder + u'/' + installedRelative));
  }
  // The first generic data location is the player's own; the rest are the system's.
  const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  for (const QString& shared : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    if (shared == home) continue;
    const QString folder = QDir::cleanPath(shared + u'/' + kGameFolder + u"/Data"_s);
    if (!locations.sharedQuestionFolders.contains(folder)) locations.sharedQuestionFolders.append(folder);
  }
  locations.playerFolder = PlayerDataFolder();
  return locations;
}

QString PlayerDataFolder() {
  const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return home.isEmpty() ? QString() : QDir::cleanPath(home + u'/' + kGameFolder);
}

bool IsFolderOpenToOthers(const QString& folder) {
#ifdef Q_OS_UNIX
  struct stat st {};
  if (::stat(QFile::encodeName(folder).constData(), &st) != 0) return false;
  if (st.st_uid != ::geteuid()) return true;
  if (st.st_mode & S_IWOTH) return true;
  if (!(st.st_mode & S_IWGRP)) return false;
  // A group named after the owner, with no one else in it, is the owner alone.
  const group* g = ::getgrgid(st.st_gid);
  const passwd* owner = ::getpwuid(st.st_uid);
  if (!g || !owner || qstrcmp(g->gr_name, owner->pw_name) != 0) return true;
  for (char* const* member = g->gr_mem; member && *member; ++member) {
    if (qstrcmp(*member, owner->pw_name) != 0) return true;
  }
  return false;
#else
  Q_UNUSED(folder);
  return false;
#endif
}

bool IsFolderWritable(const QString& folder) {
  const QFileInfo info(folder);
  return info.isDir() && info.isWritable() && !IsFolderOpenToOthers(folder);
}

DataPaths ResolvePaths(const QString& programFolder, const DataLocations& locations, InfoBox& box,
                       const FolderWritableCheck& writable) {
  DataPaths paths;
  paths.programFolder = programFolder;
  const QString program = WithSlash(programFolder);
  const QString besideProgram = program + kWinnersFile;

  const QString dataName = FindDataFolder(programFolder);
  const bool dataBeside = !dataName.isEmpty();
  paths.portable = dataBeside && writable(programFolder);
  if (paths.portable || locations.playerFolder.isEmpty()) {
    paths.winnersPath = besideProgram;
  } else {
    const bool firstMove = !QFileInfo::exists(QDir(locations.playerFolder).filePath(kWinnersFile));
    paths.winnersPath = PlayerWinnersPath(locations.playerFolder, besideProgram, dataBeside);
    if (dataBeside && firstMove && IsFolderOpenToOthers(programFolder)) {
      box.Inform(u"В папку игры могут записывать другие пользователи:\r\n"_s + QDir::toNativeSeparators(programFolder) +
                 u"\r\nТаблицу лидеров игра поэтому хранит в вашей собственной папке:\r\n"_s +
                 QDir::toNativeSeparators(paths.winnersPath));
    }
  }

  QStringList lookedIn;
  // Looked for by its bytes: as text, a name in another encoding is another name.
  QByteArray chosen;
  if (!locations.questionOverride.isEmpty()) {
    if (IsFolder(locations.questionOverride)) chosen = WithSlash(locations.questionOverride);
    paths.questionFolder = QFile::decodeName(chosen);
  } else if (dataBeside) {
    paths.questionFolder = program + dataName + u'/';
  } else {
    for (const QString& folder : locations.sharedQuestionFolders) {
      if (QFileInfo(folder).isDir()) {
        paths.questionFolder = WithSlash(folder);
        break;
      }
      lookedIn.append(folder);
    }
  }

  if (paths.questionFolder.isEmpty()) {
    // The path as the file system spells it: an upper-cased path would name another
    // folder wherever letter case counts.
    const QString shown = QDir::toNativeSeparators(
        locations.questionOverride.isEmpty() ? program + u"Data/"_s : QFile::decodeName(locations.questionOverride));
    box.Warn(u"Папка "_s + shown + u" не найдена!!!"_s + AlsoLookedIn(lookedIn));
    return paths;
  }
  if (!locations.questionOverride.isEmpty()) {
    paths.questionFolders.append(chosen);
    return paths;
  }
  paths.questionFolders.append(QFile::encodeName(paths.questionFolder));
  const QString own = PlayerQuestionFolder(locations.playerFolder);
  if (!own.isEmpty() && !SameFolder(own, paths.questionFolder)) paths.questionFolders.append(QFile::encodeName(own));
  return paths;
}

DataPaths ResolvePaths(const QString& programFolder, InfoBox& box, const FolderWritableCheck& writable) {
  return ResolvePaths(programFolder, DataLocations{}, box, writable);
}

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class InfoBox;

/// Where a game finds its files besides its own folder. Left empty, the game is a
/// portable copy that knows nothing but its folder (tests, tools).
struct DataLocations {
  /// A question folder chosen on the command line, in the file system's own bytes
  /// (its name need not be valid text); it replaces every other one.
  QByteArray questionOverride;
  /// Folders of an installed game's shipped bases, tried in order when there is no
  /// "Data" beside the program: the one relative to the binary, then those of the
  /// XDG data folders.
  QStringList sharedQuestionFolders;
  /// The player's own data folder ($XDG_DATA_HOME/fartovik): the leaderboard of an
  /// installed game, and a "Data" folder whose bases are added to the shipped ones.
  QString playerFolder;

  /// The locations of the running program: `programFolder` + `installedRelative`
  /// (where the install rules put the bases, relative to the binary) and the XDG
  /// data folders as QStandardPaths reports them.
  static DataLocations ForProgram(const QString& programFolder, const QString& installedRelative,
                                  const QByteArray& questionOverride);
};

struct DataPaths {
  QString programFolder;
  QString winnersPath;
  /// The folder the shipped question bases are listed from, as it exists on disk,
  /// ending in "/"; empty when there is none, and then no base is loaded. As text,
  /// for showing: a name that is not valid text has replacement characters here.
  QString questionFolder;
  /// Every folder whose bases are read, in order, in the file system's own bytes,
  /// each ending in "/": questionFolder first, then the player's own. Empty when
  /// questionFolder is.
  QList<QByteArray> questionFolders;
  /// A copy of the game with "Data" beside it and a writable folder: it keeps its
  /// leaderboard beside itself.
  bool portable = false;
};

/// Whether the leaderboard may be written into `folder`.
using FolderWritableCheck = std::function<bool(const QString& folder)>;
/// The player can write `folder`, and nobody else can: in a folder another user can
/// write, a link planted under the board's name would turn a save onto any file the
/// player may write.
bool IsFolderWritable(const QString& folder);
/// Another user can put files into `folder`: it belongs to someone else, or its
/// group or everyone may write it (a group of the owner's own, as many systems give
/// each user, does not count).
bool IsFolderOpenToOthers(const QString& folder);

/// The player's data folder, one level below the XDG data home: ".../fartovik".
QString PlayerDataFolder();

/// Finds the leaderboard file and the question folders.
///
/// Questions: the folder from the command line if one was given; otherwise "Data"
/// beside the program in any letter case (a portable copy); otherwise the first
/// shared folder that exists. When there is none, the stop message "Папка " + the
/// path beside the program, in native separators, + " не найдена!!!" is shown,
/// followed by the other folders looked at, and questionFolder stays empty. Except with a folder from
/// the command line, the player's "Data" folder (created here, empty) is read too.
///
/// Leaderboard: "Winners.tbl" beside a portable copy whose folder can be written;
/// otherwise in the player's folder, so that an installed game never writes into its
/// installation, also when root could. A portable copy in a folder other users can
/// write says once, when the board first goes to the player's folder, where it is kept. A leaderboard left by earlier
/// versions in the doubled folder ".../fartovik/fartovik" moves up once; one beside a read-only portable copy is copied
/// once.
DataPaths ResolvePaths(const QString& programFolder, const DataLocations& locations, InfoBox& box,
                       const FolderWritableCheck& writable = IsFolderWritable);
/// A portable copy that knows only its own folder.
DataPaths ResolvePaths(const QString& programFolder, InfoBox& box, const FolderWritableCheck& writable);

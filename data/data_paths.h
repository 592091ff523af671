#pragma once

#include <QString>
#include <functional>

class InfoBox;

struct DataPaths {
  QString programFolder;
  QString winnersPath;
  /// The folder the question bases are listed from, as it exists on disk, ending
  /// in "/"; empty when there is none, and then no base is loaded.
  QString questionFolder;
};

/// Whether the leaderboard may be written into `folder`.
using FolderWritableCheck = std::function<bool(const QString& folder)>;
bool IsFolderWritable(const QString& folder);

/// Finds the leaderboard file and the question folder of the program in
/// `programFolder`. The question folder is "Data" in any letter case; when there is
/// none, the stop message "Папка " + the path, in native separators, + " не найдена!!!" is
/// shown and questionFolder stays empty. The leaderboard is "Winners.tbl" beside
/// the program where that folder can be written, and otherwise in the player's data
/// folder (created here), so an installed game still keeps its results.
DataPaths ResolvePaths(const QString& programFolder, InfoBox& box);
/// The same with the writability test supplied (tests; root writes anywhere).
DataPaths ResolvePaths(const QString& programFolder, InfoBox& box, const FolderWritableCheck& writable);

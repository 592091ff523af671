#pragma once

#include <QString>
#include <vector>

#include "data/game_record.h"

/// What a look at the kept games found.
struct HistoryRead {
  std::vector<GameRecord> games;  ///< oldest first
  /// What the player should hear about the file (damaged, unreadable …); empty: nothing.
  QString message;
};

/// How a change of the kept games went.
struct HistoryWrite {
  bool written = false;
  /// When written: every game kept now, oldest first, those other games running
  /// side by side added meanwhile included.
  std::vector<GameRecord> games;
  /// When not written: why, in the player's words.
  QString message;
};

/// Where the player's finished games are kept from one evening to the next. The game
/// file implements it; tests keep the games in memory.
class GameHistory {
 public:
  virtual ~GameHistory() = default;
  /// Reads the games kept in the player's data folder `folder`, where the leaderboard
  /// is kept too.
  virtual HistoryRead Open(const QString& folder) = 0;
  /// Adds `games`, in order, after those kept. When not written nothing changed, and
  /// the caller may offer the same games again later.
  virtual HistoryWrite Add(const std::vector<GameRecord>& games) = 0;
  /// Forgets every kept game.
  virtual HistoryWrite Forget() = 0;
};

#pragma once

#include <QString>
#include <vector>

#include "data/game_history.h"

/// Keeps the games in memory, as the history file keeps them on disk; a test may
/// make it refuse writes or put in games "another copy" played meanwhile.
class MemoryHistory : public GameHistory {
 public:
  HistoryRead Open(const QString& folder) override {
    openedIn = folder;
    return {games, openMessage};
  }
  HistoryWrite Add(const std::vector<GameRecord>& added) override {
    ++writes;
    if (!refusal.isEmpty()) return {false, {}, refusal};
    games.insert(games.end(), added.begin(), added.end());
    return {true, games, {}};
  }
  HistoryWrite Forget() override {
    ++writes;
    if (!refusal.isEmpty()) return {false, {}, refusal};
    games.clear();
    return {true, {}, {}};
  }

  std::vector<GameRecord> games;
  /// Said when the games are read, as a damaged file would.
  QString openMessage;
  /// Not empty: every write fails with this message and changes nothing.
  QString refusal;
  QString openedIn;
  int writes = 0;
};

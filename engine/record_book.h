#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSet>

#include <array>
#include <vector>

#include "data/game_record.h"
#include "data/question_table.h"

/// The fingerprints of the questions each level now offers, by level 0 … 6.
using AvailableQuestions = std::array<QSet<QByteArray>, kLevelCount>;

/// The fingerprints of every question the table holds, by level.
AvailableQuestions FingerprintsOf(const QuestionTable& table);

/// The player's figures over every finished game, as the record book shows them.
struct RecordBook {
  /// Right answers out of the questions answered at one level.
  struct Answers {
    int answered = 0;  ///< a question left by taking the money was not answered
    int right = 0;
  };
  struct Lifeline {
    int used = 0;
    int pointedRight = 0;  ///< times the answer it pointed to was the right one
  };
  /// Questions of a level the player has met, out of those the level now offers.
  struct Met {
    int met = 0;
    int available = 0;
  };
  /// One of the last games, for the list of them.
  struct Recent {
    QDateTime endedAt;
    GameOutcome outcome = GameOutcome::Wrong;
    int sum = 0;
  };
  static constexpr int kRecentCount = 10;

  int games = 0;
  /// Games by how they ended, indexed by `GameOutcome`.
  std::array<int, 4> endings{};
  qint64 bestSum = 0;
  qint64 totalSum = 0;
  /// The total shared among the games, rounded to whole units; 0 with no games.
  qint64 averageSum = 0;
  std::array<Answers, kLevelCount> answers{};
  /// By `LifelineKind`.
  std::array<Lifeline, 3> lifelines{};
  /// The most right answers in a row, game after game in the order played.
  int longestRun = 0;
  /// The last games, the latest first.
  std::vector<Recent> recent;
  std::array<Met, kLevelCount> met{};

  int EndedBy(GameOutcome outcome) const { return endings[std::size_t(outcome)]; }
  const Lifeline& Used(LifelineKind kind) const { return lifelines[std::size_t(kind)]; }
};

/// The figures of `games` (in the order played, the first played first) against the
/// questions the bases now hold. A met question the bases no longer hold is not
/// counted as met; one moved to another level counts where it now stands.
RecordBook SummariseGames(const std::vector<GameRecord>& games, const AvailableQuestions& available);

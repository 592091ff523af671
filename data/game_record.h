#pragma once

#include <QByteArray>
#include <QDateTime>
#include <vector>

/// How a finished game ended, in the words the player's history file stores.
enum class GameOutcome {
  Wrong,      ///< a wrong answer
  TimeOut,    ///< the clock ran out
  TookMoney,  ///< the player took the money
  Million,    ///< the fifteenth question answered
};

/// The three one-time helps, as the history file names them.
enum class LifelineKind { FiftyFifty, PhoneFriend, AskAudience };

/// One question a game asked: enough to keep it from coming back soon and to count
/// right answers per level.
struct AskedQuestion {
  int level = 0;               ///< 1 … 7, the level it was drawn from
  QByteArray fingerprint;      ///< QuestionFingerprint() of the question as it was asked
  bool answeredRight = false;  ///< false also for the question left by time-out or taking the money
};

/// One lifeline taken in a game, and whether the answer it pointed to was the right one
/// (50/50: the right answer always stays, so it counts whether the player then answered right).
struct LifelineUse {
  LifelineKind kind = LifelineKind::FiftyFifty;
  int question = 0;  ///< 1 … 15
  bool pointedRight = false;
};

/// A finished game as the player's history keeps it: committed once, when the game ends.
struct GameRecord {
  QDateTime endedAt;  ///< UTC
  GameOutcome outcome = GameOutcome::Wrong;
  int sum = 0;                       ///< what the player went home with
  std::vector<AskedQuestion> asked;  ///< in the order asked
  std::vector<LifelineUse> lifelines;
};

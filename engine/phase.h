#pragma once

/// Where the game stands, as a player would say it.
enum class Phase {
  Idle,         ///< the start screen: no game yet, or the last one put away
  Revealing,    ///< a question appears, letter by letter
  Answering,    ///< the answers and lifelines take clicks, the clock runs
  Judging,      ///< a choice is locked in and the answer is being shown
  Over,         ///< a result panel tells how the game ended
  Leaderboard,  ///< the board is open
};

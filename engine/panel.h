#pragma once

/// The panels that open over the playing field. At most one counts as open: the one
/// shown last.
enum class Panel {
  None,
  Phone,        ///< the friend's words
  Poll,         ///< the audience's bars
  Leaderboard,  ///< the board between games
  Record,       ///< the result that goes home, with the name box
  Loss,         ///< nothing goes home after a wrong answer
  Timeout,      ///< nothing goes home after the time ran out
};

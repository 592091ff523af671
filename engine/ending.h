#pragma once

/// How a game came to its end: what its result panel tells the player.
enum class Ending {
  Wrong,      ///< a wrong answer: the guaranteed sum goes home
  TimeOut,    ///< the clock ran out: the guaranteed sum goes home
  TookMoney,  ///< "Взять деньги"
  Million,    ///< the fifteenth question answered
};

#pragma once

#include <array>

/// The number of questions in a game; answering the last wins the top prize.
constexpr int kQuestionsInGame = 15;

/// The prize of each question 1 … 15.
constexpr std::array<int, kQuestionsInGame> PrizeLadder = {100,   200,   300,   500,    1000,   2000,   4000,   8000,
                                                           16000, 32000, 64000, 125000, 250000, 500000, 1000000};

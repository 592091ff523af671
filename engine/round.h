#pragma once

#include <array>
#include <optional>

#include "engine/prize_ladder.h"
#include "screen/element.h"

/// The three helps a game offers, each once.
enum class Lifeline { FiftyFifty, PhoneFriend, AudiencePoll };

/// The button that offers `lifeline`.
constexpr ElementId LifelineButton(Lifeline lifeline) { return kLifelines[std::size_t(lifeline)]; }

/// The question being played and what goes with it: the drawn row, where each answer
/// stands, the sums, the lifelines the game has used, the answers 50/50 took away and
/// the last choice.
struct Round {
  int question = 0;                      ///< 1 … 15 while a question is on the ladder; 0 none
  int level = 0;                         ///< the level the question was drawn from
  int row = 0;                           ///< its row in that level, from 1
  std::array<int, 5> slots{};            ///< answer k (1 … 4, 1 correct) stands in slot slots[k] (1 = A … 4 = D)
  int guaranteedSum = 0;                 ///< what goes home after a wrong answer or the time-out
  int currentSum = 0;                    ///< what goes home when the player takes the money
  bool answersOpen = false;              ///< the answers and lifelines take clicks
  std::optional<ElementId> chosen;       ///< the answer chosen last, kept from question to question
  int friendReliability = 0;             ///< how well the friend knows this question: higher knows more
  std::array<bool, 3> lifelinesUsed{};   ///< by `Lifeline`: used in this game
  std::array<bool, 5> answersRemoved{};  ///< answer k (1 … 4) taken away by 50/50 on this question

  bool LifelineUsed(Lifeline lifeline) const { return lifelinesUsed[std::size_t(lifeline)]; }
  bool AnswerRemoved(int answer) const { return answer >= 1 && answer <= 4 && answersRemoved[std::size_t(answer)]; }
  /// The answer (1 … 4) standing in slot `position` (1 = A … 4 = D); 0 when none does.
  int AnswerAt(int position) const {
    for (int k = 1; k <= 4; ++k)
      if (slots[std::size_t(k)] == position) return k;
    return 0;
  }

  /// A question of a game stands on the ladder (it stays there while the panel that
  /// ends the game is open).
  bool QuestionInPlay() const { return question >= 1 && question <= kQuestionsInGame; }
};

/// Where a test or benchmark puts a running game: question `question` drawn and
/// prepared as the game prepares it on reaching it (its limit, its sums; a guaranteed
/// sum stays as the game left it), with what is given here changed on top.
struct RoundSetup {
  int question = 1;
  int guaranteedSum = -1;  ///< -1: as the game sets it
  int timeLimit = 0;       ///< 0: as the game sets it
};

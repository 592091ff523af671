#pragma once

#include <QString>

#include <array>
#include <optional>

#include "screen/pointer_input.h"

/// How a game came to its end: what its result panel tells the player.
enum class GameEnd {
  WonAll,       ///< the fifteenth question answered
  TookMoney,    ///< "Взять деньги"
  WrongAnswer,  ///< the guaranteed sum goes home
  TimeOut,      ///< the guaranteed sum goes home
};

/// The game's variables, one instance for the whole run.
struct GameState {
  int QuestionNumber = 0;  ///< 1 … 15 in play, 16 after a won game, 0 idle
  int TimeLimit = 0;          ///< seconds for the current question
  int GuaranteedSum = 0;
  int CurrentSum = 0;
  bool AnswersOpen = false;
  std::optional<ElementId> ChosenElement;  ///< the answer chosen last; never reset
  int CurrentLevel = 0;
  int QuestionRow = 0;
  double ClockStart = 0;  ///< steady seconds when the question clock started
  double ClockNow = 0;    ///< steady seconds at its latest reading
  bool TimeUp = false;
  std::array<bool, 5> TaskActive{};
  std::array<int, 5> TaskStep{};
  std::array<int, 5> PollShare{};
  QString FriendAnswerText;
  int FriendReliability = 0;
  PointerState pointer;  ///< `HotElement`, `WindowDragging`, `DragStartX/Y`, `ThumbDragging`
  int CurrentPanel = 0;
  int RecordRank = 0;  ///< 0: the result got no row
  GameEnd Ending = GameEnd::WrongAnswer;  ///< of the game last ended
};

/// Timed tasks, in the order the tick runs them.
namespace task {
constexpr int AnswerReveal = 0, PollAnimation = 1, QuestionClock = 2, QuestionReveal = 3,
              FriendReveal = 4;
}

/// The step of `task::AnswerReveal` from which the correct answer is shown: the
/// screen marks it then, and what is spoken of the judging follows the screen.
constexpr int kCorrectShown = 21;

/// Panels of `ShowPanel`.
enum PanelMode : int {
  PhonePanel = 1,
  AudiencePanel = 2,
  LeaderboardPanel = 3,
  RecordPanel = 4,
  LossPanel = 5,
  TimeoutPanel = 6,
};

/// The prize of each question 1 … 15.
constexpr std::array<int, 15> PrizeLadder = {
    100, 200, 300, 500, 1000, 2000, 4000, 8000, 16000, 32000, 64000, 125000, 250000, 500000, 1000000};

#pragma once

#include <QString>

#include "screen/command.h"
#include "screen/element_id.h"

class Game;

/// The game in words, for players who hear the screen instead of seeing it. Read-only
/// queries: nothing here changes the game.
namespace spoken {

/// The letter of answer position p (1 = A … 4 = D).
QString Letter(int position);

/// What the game is doing now: "Игра не начата", "Вопрос 7 на 4000", …
QString Situation(const Game& game);

/// What judging has shown so far about the answer at position p (1 = A … 4 = D).
enum class Outcome { None, Chosen, Correct, ChosenCorrect, ChosenWrong };
Outcome AnswerOutcome(const Game& game, int position);
/// The outcome as a description; empty for None.
QString OutcomeWords(Outcome outcome);

/// The question's text has fully appeared (false while it is still being revealed).
bool QuestionShown(const Game& game);
/// The friend has finished speaking on the phone panel.
bool FriendFinished(const Game& game);
/// The poll's bars have reached their shares.
bool PollSettled(const Game& game);
/// The audience's share of the answer at position p (1 = A … 4 = D), in per cent.
int PollShare(const Game& game, int position);
/// Seconds left on the question clock, as the clock shows them.
int SecondsLeft(const Game& game);

/// Words painted into the art of a panel or button (the heading of a result panel …)
/// as the game now shows it; empty where the art carries none.
QString PaintedWords(const Game& game, ElementId element);

/// The start screen's invitation: how to start and where the rules are.
QString Invitation();
/// The question on screen in one go: its number and sum, its text and the answers
/// still standing (all four with `all`, as the question first comes).
QString QuestionWords(const Game& game, bool all = true);
/// After 50/50: the two answers left; empty while all four stand.
QString RemainingAnswers(const Game& game);
/// The verdict once the correct answer is shown: right, or which was right and what
/// goes home.
QString VerdictWords(const Game& game);
/// What the friend said.
QString FriendWords(const Game& game);
/// The audience's shares, answer by answer.
QString PollWords(const Game& game);
/// The record panel: how the game ended, the sum, the board's row and the name asked.
QString RecordWords(const Game& game);
/// Why `command` would do nothing now, in a few words for a player who cannot see
/// the button's look («Взять деньги можно со второго вопроса.»); empty where it acts
/// or where nothing needs saying.
QString WhyNot(const Game& game, Command command);
/// Whether the question's clock has a limit to warn of.
bool ClockWarns(const Game& game);
/// "Осталось 10 секунд."
QString TimeLeftWords(const Game& game);

}  // namespace spoken

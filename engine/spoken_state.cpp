#include "engine/spoken_state.h"

#include <algorithm>
#include <cmath>

#include "engine/game.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace spoken {

namespace {

bool Judging(const Game& game) { return game.state().TaskActive[task::AnswerReveal]; }

}  // namespace

QString Letter(int position) { return QString(QChar(u'A' + position - 1)); }

QString Situation(const Game& game) {
  const ::GameState& s = game.state();
  switch (s.CurrentPanel) {
    case RecordPanel: return u"Игра окончена, выигрыш "_s + SumText(s.GuaranteedSum);
    case LossPanel: return u"Игра окончена: проигрыш"_s;
    case TimeoutPanel: return u"Игра окончена: время вышло"_s;
    case LeaderboardPanel: return u"Таблица лидеров"_s;
    default: break;
  }
  const int n = s.QuestionNumber;
  if (n < 1 || n > 15) return u"Игра не начата"_s;
  QString words = u"Вопрос "_s + QString::number(n) + u" на "_s + SumText(PrizeLadder[n - 1]);
  if (Judging(game)) {
    const int chosen = s.ChosenElement ? PositionOf(*s.ChosenElement) : 0;
    words += u", выбран ответ "_s + Letter(chosen);
    const Outcome outcome = AnswerOutcome(game, chosen);
    if (outcome == Outcome::ChosenCorrect) words += u": верно"_s;
    if (outcome == Outcome::ChosenWrong) words += u": неверно"_s;
  } else if (!QuestionShown(game)) {
    words += u", вопрос появляется"_s;
  }
  return words;
}

Outcome AnswerOutcome(const Game& game, int position) {
  if (!Judging(game)) return Outcome::None;
  const ::GameState& s = game.state();
  const ElementId element = AnswerSlot(position);
  const bool chosen = s.ChosenElement == element;
  const bool judged = s.TaskStep[task::AnswerReveal] >= kCorrectShown;
  if (!judged) return chosen ? Outcome::Chosen : Outcome::None;
  const bool correct = game.AnswerElement(1) == element;
  if (chosen) return correct ? Outcome::ChosenCorrect : Outcome::ChosenWrong;
  return correct ? Outcome::Correct : Outcome::None;
}

QString OutcomeWords(Outcome outcome) {
  switch (outcome) {
    case Outcome::Chosen: return u"выбран"_s;
    case Outcome::Correct: return u"правильный ответ"_s;
    case Outcome::ChosenCorrect: return u"выбран, правильный ответ"_s;
    case Outcome::ChosenWrong: return u"выбран, неверный ответ"_s;
    case Outcome::None: break;
  }
  return QString();
}

bool QuestionShown(const Game& game) {
  const ::GameState& s = game.state();
  return s.QuestionNumber >= 1 && s.QuestionNumber <= 15 && !s.TaskActive[task::QuestionReveal] &&
         game.screen().element(el::QuestionFrame).enabled;
}

bool FriendFinished(const Game& game) {
  return game.screen().element(el::PhonePanel).visible && !game.state().TaskActive[task::FriendReveal];
}

bool PollSettled(const Game& game) {
  return game.screen().element(el::PollPanel).visible && !game.state().TaskActive[task::PollAnimation];
}

int PollShare(const Game& game, int position) {
  if (position < 1 || position > 4) return 0;
  return game.state().PollShare[position - 1];
}

int SecondsLeft(const Game& game) {
  const ::GameState& s = game.state();
  // Before the clock's first reading of a question, none of its time has gone.
  const double left = s.TimeLimit - std::max(0.0, s.ClockNow - s.ClockStart);
  return std::max(0, int(std::nearbyint(left)));
}

QString PaintedWords(const Game& game, ElementId element) {
  switch (element) {
    case el::VictoryPanel:
      // The heading the record panel shows for how the game ended.
      switch (game.state().Ending) {
        case GameEnd::WrongAnswer: return u"Неверный ответ"_s;
        case GameEnd::TimeOut: return u"Время вышло"_s;
        default: return u"Победа!!!"_s;
      }
    case el::LossPanel:
      return u"Проигрыш... С таким количеством денег вы НИКОГДА не попадёте в таблицу лидеров."_s;
    case el::TimeoutPanel:
      return u"Время вышло... Вы слишком долго думали, и время, отведённое на ответ, кончилось."_s;
    default: return QString();
  }
}

}  // namespace spoken

#include "engine/spoken_state.h"

#include "engine/game.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace spoken {

namespace {

bool Judging(const Game& game) { return game.Judgement().Running(); }

}  // namespace

QString Letter(int position) { return QString(QChar(u'A' + position - 1)); }

QString Situation(const Game& game) {
  const Round& round = game.CurrentRound();
  switch (game.OpenPanel()) {
    case Panel::Record: return u"Игра окончена, выигрыш "_s + SumText(round.guaranteedSum);
    case Panel::Loss: return u"Игра окончена: проигрыш"_s;
    case Panel::Timeout: return u"Игра окончена: время вышло"_s;
    case Panel::Leaderboard: return u"Таблица лидеров"_s;
    default: break;
  }
  if (!round.QuestionInPlay()) return u"Игра не начата"_s;
  const int n = round.question;
  QString words = u"Вопрос "_s + QString::number(n) + u" на "_s + SumText(PrizeLadder[std::size_t(n - 1)]);
  if (Judging(game)) {
    const int chosen = round.chosen ? PositionOf(*round.chosen) : 0;
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
  const ElementId element = AnswerSlot(position);
  const bool chosen = game.CurrentRound().chosen == element;
  if (!game.Judgement().CorrectShown()) return chosen ? Outcome::Chosen : Outcome::None;
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
  return game.CurrentRound().QuestionInPlay() && !game.QuestionReveal().Running() &&
         game.screen().element(el::QuestionFrame).enabled;
}

bool FriendFinished(const Game& game) {
  return game.screen().element(el::PhonePanel).visible && !game.FriendWords().Running();
}

bool PollSettled(const Game& game) {
  return game.screen().element(el::PollPanel).visible && !game.Poll().Running();
}

int PollShare(const Game& game, int position) {
  if (position < 1 || position > 4) return 0;
  return game.Poll().Share(position);
}

int SecondsLeft(const Game& game) {
  return game.Clock().SecondsLeft();
}

QString PaintedWords(const Game& game, ElementId element) {
  switch (element) {
    case el::VictoryPanel:
      // The heading the record panel shows for how the game ended.
      switch (game.LastEnding()) {
        case Ending::Wrong: return u"Неверный ответ"_s;
        case Ending::TimeOut: return u"Время вышло"_s;
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

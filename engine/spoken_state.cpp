#include "engine/spoken_state.h"

#include "engine/game.h"
#include "engine/speech_text.h"
#include "screen/counted_words.h"
#include "screen/key_table.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace spoken {

namespace {

bool Judging(const Game& game) { return game.Judgement().Running(); }

QString AnswerText(const Game& game, int position) {
  return speech::Plain(game.screen().element(AnswerSlot(position)).caption.text);
}

QString Sentence(QString text) {
  if (!text.isEmpty() && !text.endsWith(u'.') && !text.endsWith(u'?') && !text.endsWith(u'!')) text += u'.';
  return text;
}

QString PrizeOf(int question) { return speech::Sum(PrizeLadder[std::size_t(question - 1)]); }

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

bool PollSettled(const Game& game) { return game.screen().element(el::PollPanel).visible && !game.Poll().Running(); }

int PollShare(const Game& game, int position) {
  if (position < 1 || position > 4) return 0;
  return game.Poll().Share(position);
}

int SecondsLeft(const Game& game) { return game.Clock().SecondsLeft(); }

QString PaintedWords(const Game& game, ElementId element) {
  switch (element) {
    case el::VictoryPanel:
      // The heading the record panel shows for how the game ended.
      switch (game.LastEnding()) {
        case Ending::Wrong: return u"Неверный ответ"_s;
        case Ending::TimeOut: return u"Время вышло"_s;
        default: return u"Победа!!!"_s;
      }
    case el::LossPanel: return u"Проигрыш... С таким количеством денег вы НИКОГДА не попадёте в таблицу лидеров."_s;
    case el::TimeoutPanel: return u"Время вышло... Вы слишком долго думали, и время, отведённое на ответ, кончилось."_s;
    default: return QString();
  }
}

QString Invitation() {
  return u"Чтобы начать новую игру, нажмите "_s + KeySpellings(Command::NewGame).first() + u". Правила игры, "_s +
         KeySpellings(Command::Rules).first() + u'.';
}

QString QuestionWords(const Game& game, bool all) {
  const Round& round = game.CurrentRound();
  if (!round.QuestionInPlay() || !QuestionShown(game)) return QString();
  QString words = u"Вопрос "_s + QString::number(round.question) + u" на "_s + PrizeOf(round.question) + u". "_s +
                  Sentence(speech::Plain(game.screen().element(el::QuestionFrame).caption.text));
  for (int p = 1; p <= 4; ++p) {
    const Element& answer = game.screen().element(AnswerSlot(p));
    if (!all && round.answersOpen && !answer.enabled) continue;
    words += u" Ответ "_s + Letter(p) + u", "_s + Sentence(AnswerText(game, p));
  }
  return words;
}

QString RemainingAnswers(const Game& game) {
  QStringList left;
  for (int p = 1; p <= 4; ++p)
    if (game.screen().element(AnswerSlot(p)).enabled) left.append(Letter(p) + u", "_s + AnswerText(game, p));
  if (left.size() != 2) return QString();
  return u"Остались ответы "_s + left[0] + u", и "_s + Sentence(left[1]);
}

QString VerdictWords(const Game& game) {
  const Round& round = game.CurrentRound();
  const int correct = PositionOf(game.AnswerElement(1));
  if (round.chosen == game.AnswerElement(1)) return u"Верно! Вы выиграли "_s + PrizeOf(round.question) + u'.';
  return u"Неверно. Правильный ответ "_s + Letter(correct) + u", "_s + Sentence(AnswerText(game, correct)) +
         u" Ваш выигрыш "_s + speech::Sum(round.guaranteedSum) + u'.';
}

QString FriendWords(const Game& game) {
  return u"Друг говорит. "_s + Sentence(speech::Plain(game.screen().element(el::PhonePanel).caption.text));
}

QString PollWords(const Game& game) {
  QString words = u"Мнение зала."_s;
  for (int p = 1; p <= 4; ++p)
    words +=
        u' ' + Letter(p) + u", "_s + Counted(PollShare(game, p), u"процент"_s, u"процента"_s, u"процентов"_s) + u'.';
  return words;
}

QString RecordWords(const Game& game) {
  const int sum = game.CurrentRound().guaranteedSum;
  QString words;
  switch (game.LastEnding()) {
    case Ending::Million: words = u"Победа! Вы ответили на все пятнадцать вопросов."_s; break;
    case Ending::TookMoney: words = u"Вы забрали деньги."_s; break;
    case Ending::Wrong: words = u"Неверный ответ."_s; break;
    case Ending::TimeOut: words = u"Время вышло."_s; break;
  }
  words += u" Ваш выигрыш "_s + speech::Sum(sum) + u'.';
  const int rank = game.RecordRank();
  if (rank > 0)
    return words + u" Ваше место в таблице лидеров "_s + QString::number(rank) + u". Введите имя и нажмите Enter."_s;
  return words + u" В таблицу лидеров этот результат не попадает. Нажмите Enter."_s;
}

QString WhyNot(const Game& game, Command command) {
  const Round& round = game.CurrentRound();
  const Phase phase = game.CurrentPhase();
  const std::optional<ElementId> button = ButtonOf(command);
  if (!button || game.PageOpen()) return QString();
  if (phase == Phase::Revealing) return u"Подождите, вопрос ещё появляется."_s;
  if (phase != Phase::Answering) return QString();
  if (game.screen().element(*button).enabled) return QString();
  const int position = PositionOf(*button);
  if (position >= 1) return u"Ответ "_s + Letter(position) + u" убран подсказкой 50 на 50."_s;
  switch (command) {
    case Command::TakeMoney: return round.question <= 1 ? u"Взять деньги можно со второго вопроса."_s : QString();
    case Command::FiftyFifty: return u"Подсказка 50 на 50 уже использована."_s;
    case Command::PhoneFriend: return u"Звонок другу уже использован."_s;
    case Command::AudiencePoll: return u"Мнение зала уже использовано."_s;
    default: return QString();
  }
}

bool ClockWarns(const Game& game) { return game.Clock().HasLimit(); }

QString TimeLeftWords(const Game& game) {
  if (!game.Clock().HasLimit()) return u"Время на ответ не ограничено."_s;
  const int left = SecondsLeft(game);
  return u"Осталось "_s + Counted(left, u"секунда"_s, u"секунды"_s, u"секунд"_s) + u'.';
}

}  // namespace spoken

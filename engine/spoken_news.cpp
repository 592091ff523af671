#include "engine/spoken_news.h"

#include <QTextDocumentFragment>

#include "engine/game.h"
#include "engine/speech_text.h"
#include "engine/spoken_state.h"
#include "screen/counted_words.h"
#include "screen/key_table.h"

using namespace Qt::StringLiterals;

namespace {

/// The seconds left at which the clock warns, latest last.
constexpr int kWarnings[] = {10, 5};

QString Key(const char16_t* what, int n) { return QString::fromUtf16(what) + QString::number(n); }

QString PageWords(const PageView& pages) {
  const InfoPage& page = pages.page();
  QString words = speech::Plain(page.title);
  if (!words.isEmpty() && !words.endsWith(u'.')) words += u'.';
  // Headings and table rows end without a full stop, and would run into what follows.
  const QStringList lines = QTextDocumentFragment::fromHtml(page.body).toPlainText().split(u'\n');
  for (const QString& line : lines) {
    const QString plain = speech::Plain(QString(line).remove(QChar::ObjectReplacementCharacter));
    if (plain.isEmpty()) continue;
    words += u' ' + plain;
    if (!words.endsWith(u'.') && !words.endsWith(u'!') && !words.endsWith(u'?')) words += u'.';
  }
  return words + u" Страница "_s + QString::number(pages.current() + 1) + u" из "_s + QString::number(pages.count()) +
         u'.';
}

QString BoardWords(const Game& game) {
  const WinnersTable& board = game.Board();
  if (board.count() == 0) return u"Таблица лидеров пуста. Enter закрывает её."_s;
  QString words = u"Таблица лидеров, "_s + Counted(board.count(), u"строка"_s, u"строки"_s, u"строк"_s) + u'.';
  const int own = game.screen().listHighlight();
  if (own >= 1 && own <= board.count()) {
    const BoardRow& row = board.AtRank(own);
    words += u" Ваш результат, место "_s + QString::number(own) + u", "_s + speech::Plain(row.name) + u", "_s +
             speech::Plain(row.sum) + u'.';
  } else {
    const BoardRow& best = board.AtRank(1);
    words += u" Первое место, "_s + speech::Plain(best.name) + u", "_s + speech::Plain(best.sum) + u'.';
  }
  return words + u" Стрелки листают её, Enter закрывает."_s;
}

QString PanelWords(const Game& game) {
  switch (game.OpenPanel()) {
    case Panel::Loss: return u"Проигрыш. С таким выигрышем в таблицу лидеров не попасть. Нажмите Enter."_s;
    case Panel::Timeout: return u"Время вышло. Вы слишком долго думали. Нажмите Enter."_s;
    case Panel::Record: return spoken::RecordWords(game);
    case Panel::Leaderboard: return BoardWords(game);
    default: return QString();
  }
}

}  // namespace

QList<SpokenNews::Moment> SpokenNews::MomentsOf(const Game& game) {
  QList<Moment> moments;
  if (game.PageOpen()) {
    // The page covers everything: it alone is heard, and the game beneath waits.
    const PageView& pages = game.screen().pages();
    moments.append({u"page "_s + pages.page().title + QString::number(pages.current()), PageWords(pages)});
    return moments;
  }
  const Round& round = game.CurrentRound();
  const Phase phase = game.CurrentPhase();
  if (phase == Phase::Idle && game.OpenPanel() == Panel::None && !round.QuestionInPlay())
    moments.append({u"idle"_s, spoken::Invitation()});
  const int n = round.question;
  const bool shown = spoken::QuestionShown(game);
  if (shown) moments.append({Key(u"question", n), spoken::QuestionWords(game, false)});
  if (shown && round.answersOpen) {
    const QString left = spoken::RemainingAnswers(game);
    if (!left.isEmpty()) moments.append({Key(u"fifty", n), left});
  }
  if (spoken::FriendFinished(game)) moments.append({Key(u"friend", n), spoken::FriendWords(game)});
  if (spoken::PollSettled(game)) moments.append({Key(u"poll", n), spoken::PollWords(game)});
  if (phase == Phase::Answering && spoken::ClockWarns(game)) {
    // Only the latest warning reached: one passed while the player was away is stale.
    const int left = spoken::SecondsLeft(game);
    int reached = 0;
    for (const int at : kWarnings)
      if (left <= at) reached = at;
    if (reached > 0 && left > 0)
      moments.append({Key(u"warning", n) + u'/' + QString::number(reached), spoken::TimeLeftWords(game)});
  }
  if (phase == Phase::Judging && round.chosen) {
    moments.append({Key(u"chosen", n), u"Ответ "_s + spoken::Letter(PositionOf(*round.chosen)) + u" принят."_s});
    if (game.Judgement().CorrectShown()) moments.append({Key(u"verdict", n), spoken::VerdictWords(game)});
  }
  if (const QString words = PanelWords(game); !words.isEmpty())
    moments.append({Key(u"panel", int(game.OpenPanel())) + u'/' + QString::number(n), words});
  return moments;
}

QString SpokenNews::Now(const Game& game) {
  QStringList words;
  for (const Moment& m : MomentsOf(game)) words.append(m.text);
  return words.join(u' ');
}

QStringList SpokenNews::Look(const Game& game) {
  QStringList said;
  const QList<Moment> moments = MomentsOf(game);
  QStringList keys;
  for (const Moment& m : moments) {
    keys.append(m.key);
    if (!m_keys.contains(m.key)) said.append(m.text);
  }
  m_keys = keys;
  const bool on = game.SoundOn();
  if (m_soundOn && *m_soundOn != on) said.append(on ? u"Звук включён."_s : u"Звук выключен."_s);
  m_soundOn = on;
  return said;
}

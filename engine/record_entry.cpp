#include <utility>

#include "data/cp1251.h"
#include "data/winners_table.h"
#include "engine/game.h"
#include "screen/element_table.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace {

const QString kDefaultName = u"Неизвестный фартовик"_s;
const QString kCurrency = u" у.е."_s;
// Another game's save holds the board for a few milliseconds; a lock still held
// after this is not about to clear, and the player hears what holds it.
constexpr double kStoreRetrySeconds = 2.0;

/// The first line of the record panel: how the game came to its end, beneath the
/// heading that names it.
QString HowItEnded(Ending how, const QString& correctAnswer) {
  switch (how) {
    case Ending::Million: return u"Вы ответили на все пятнадцать вопросов!"_s;
    case Ending::TookMoney: return u"Вы решили взять деньги."_s;
    case Ending::Wrong: return u"Правильный ответ: «"_s + correctAnswer + u"»."_s;
    case Ending::TimeOut: return u"Вы не успели ответить."_s;
  }
  return QString();
}

RecordHeading HeadingOf(Ending how) {
  switch (how) {
    case Ending::Wrong: return RecordHeading::WrongAnswer;
    case Ending::TimeOut: return RecordHeading::TimeOut;
    default: return RecordHeading::Victory;
  }
}

}  // namespace

QString Game::RatingWord(int sum) {
  // Every ladder prize lies in one band; the bounds between them are closed upwards.
  if (sum < 1000) return u"неплохой"_s;
  if (sum < 32000) return u"хороший"_s;
  if (sum < 250000) return u"отличный"_s;
  return u"практически недостижимый"_s;
}

void Game::ShowRecordPanel(bool visible) {
  ClearForResult();
  const int result = m_round.guaranteedSum;

  // What the 50th row holds beyond the result, when a full board leaves it no row.
  qint64 lacking = 0;
  if (visible) {
    LoadBoard();
    // The row's name stays empty until the player confirms one; a full board of
    // better results gives no row (0) and stays as it is.
    m_recordRank = InsertWinner(m_winners, QString(), result, m_gameAnswerTime);
    if (m_recordRank == 0) lacking = WinnerSumValue(m_winners.AtRank(kMaxWinners).sum) - result;
  }
  const bool hasRow = m_recordRank > 0;

  const QString outcome =
      hasRow
          ? QString(u"Это "_s + RatingWord(result) + u" результат,\r\n"_s + u"с ним вы попадаете в таблицу лидеров."_s)
          : QString(u"В таблицу лидеров он не попадает:\r\n"_s + u"до 50-го места не хватило "_s + SumText(lacking) +
                    kCurrency);
  m_screen.SetCaption(el::VictoryPanel,
                      HowItEnded(m_ending, CurrentQuestion().answers[0]) + u"\r\n"_s + u"Вы уносите "_s +
                          SumText(result) + kCurrency + u" (1 у.е. = 1 Фартик'у)."_s + u"\r\n"_s + outcome,
                      QString(), 0);
  m_screen.ShowLook(el::VictoryPanel, RecordPanelLook{HeadingOf(m_ending), hasRow});
  m_screen.SetNameBoxText(kDefaultName, true);
  // Without a row there is no name to ask for.
  m_screen.SetNameBoxShown(hasRow);
  m_screen.SetVisible(el::VictoryPanel, visible);
  m_screen.SetVisible(el::VictoryConfirm, visible);
  if (visible && hasRow) m_platform.FocusNameBox();
}

bool Game::NameRecord() {
  const int rank = m_recordRank;
  const bool hasRow = rank >= 1 && rank <= m_winners.count();
  if (hasRow) {
    // A name of blanks is no name: the row gets the default one, as if the player
    // had confirmed without typing.
    const QString typed = m_screen.nameBox().text.trimmed();
    m_winners.AtRank(rank).name = MakeEncodable(typed.isEmpty() ? kDefaultName : typed);
    m_unsaved.append({m_winners.AtRank(rank).name, m_round.guaranteedSum, m_gameAnswerTime});
  }
  // The row has its name; a stray second confirmation must not rename it.
  m_recordRank = 0;
  return hasRow;
}

bool Game::StoreRecord() {
  const bool hasRow = NameRecord();
  // Nothing to store (a full board of better results, no earlier result waiting):
  // the file stays as it is.
  if (m_unsaved.isEmpty()) return false;
  m_cueWhenStored = m_cueWhenStored || hasRow;
  if (!m_storeRetrySince) m_storeRetrySince = m_platform.SteadySeconds();
  StoreKeptResults();
  return hasRow;
}

void Game::StoreKeptResults() {
  if (m_unsaved.isEmpty()) {
    // Stored meanwhile by the exit's try, or cleared with the board.
    m_storeRetrySince.reset();
    m_cueWhenStored = false;
    return;
  }
  // The board is changed as it is in the file now, not as it was when the panel
  // opened: another game may have saved or cleared it meanwhile. Its lock is never
  // waited for here: this runs on the window's thread.
  QString problem;
  const WinnersWrite written =
      StoreWinners(m_paths.winnersPath, m_unsaved, m_platform.Random(), &problem, LockWait::None);
  if (written == WinnersWrite::Written) {
    m_unsaved.clear();
    m_storeRetrySince.reset();
    // The name stands on the board now.
    if (std::exchange(m_cueWhenStored, false)) PlayCue(Cue::Record);
    return;
  }
  const bool mayClear = written == WinnersWrite::Busy || written == WinnersWrite::LockBroken;
  if (mayClear && m_platform.SteadySeconds() - *m_storeRetrySince < kStoreRetrySeconds) return;
  m_storeRetrySince.reset();
  m_cueWhenStored = false;
  // The results stay here, shown on the board, until a later save stores them.
  Warn(WinnersNotStoredMessage(m_paths.winnersPath, written, problem));
  m_unreadableReported = m_unreadableReported || written == WinnersWrite::Unreadable || written == WinnersWrite::Link;
}

void Game::ConfirmRecord() {
  const int rank = m_recordRank;
  const bool named = StoreRecord();
  ShowPanel(Panel::Record, false);
  // The player finds the row just named lit on the board, scrolled into view.
  m_boardHighlight = named ? rank : 0;
  ShowPanel(Panel::Leaderboard, true);
}

bool Game::StoreUnsavedBeforeExit() {
  if (m_unsaved.isEmpty()) return true;
  // The last try waits briefly for the lock: the player is leaving, and a save of
  // another game that is under way ends within it. Whatever comes of it, the
  // question below or the stored results take the place of the tick's retries.
  m_storeRetrySince.reset();
  m_cueWhenStored = false;
  QString problem;
  const WinnersWrite written =
      StoreWinners(m_paths.winnersPath, m_unsaved, m_platform.Random(), &problem, LockWait::Brief);
  if (written == WinnersWrite::Written) {
    m_unsaved.clear();
    return true;
  }
  // The game promised to keep these results; leaving now loses them, so the player
  // decides, knowing what they are and what is in the way.
  // One result a line, its sum as the board writes it: the player can note them down.
  QStringList results;
  for (const WinnerEntry& result : m_unsaved) results.append(result.name + u" — "_s + SumText(result.sum));
  QString why = WinnersNotStoredMessage(m_paths.winnersPath, written, problem);
  why = why.left(why.lastIndexOf(u"\r\n"_s));
  const QString text = why + u"\r\n\r\n"_s + u"Эти результаты не записаны и пропадут при выходе:"_s + u"\r\n"_s +
                       results.join(u"\r\n"_s) + u"\r\n\r\n"_s + u"Всё равно выйти?"_s;
  return Confirm(text, InfoBox::Answer::No) == InfoBox::Answer::Yes;
}

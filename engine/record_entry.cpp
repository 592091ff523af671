#include "data/cp1251.h"
#include "data/winners_table.h"
#include "engine/game.h"

using namespace Qt::StringLiterals;

QString Game::RatingWord(int sum) {
  // Every ladder prize lies in one band; the bounds between them are closed upwards.
  if (sum < 1000) return u"неплохой"_s;
  if (sum < 32000) return u"хороший"_s;
  if (sum < 250000) return u"отличный"_s;
  return u"практически недостижимый"_s;
}

void Game::ShowRecordPanel(bool visible) {
  ShowStartScreen(1);
  const int result = m_state.GuaranteedSum;

  if (visible) {
    LoadBoard();
    // The row's name stays empty until the player confirms one; a full board of
    // better results gives no row (0) and stays as it is.
    m_state.RecordRank = InsertWinner(m_winners, QString(), result);
  }

  m_screen.SetCaption(el::VictoryPanel,
                      u"Вы набрали "_s + QString::number(result) +
                          u" у.е. (1 у.е. = 1 Фартик'у)."_s + u"\r\n"_s + u"Это "_s +
                          RatingWord(result) + u" результат,"_s + u"\r\n"_s +
                          u"с ним вы попадаете в таблицу лидеров."_s,
                      QString(), 0);
  m_screen.SetNameBoxText(u"Неизвестный фартовик"_s, true);
  m_screen.SetVisible(el::VictoryPanel, visible);
  m_screen.SetVisible(el::VictoryConfirm, visible);
  if (visible) m_platform.FocusNameBox();
}

void Game::ConfirmRecord() {
  const int rank = m_state.RecordRank;
  const bool hasRow = rank >= 1 && rank <= m_winners.count;
  if (hasRow) {
    m_winners.name[rank] = MakeEncodable(m_screen.nameBox().text);
    m_unsaved.append({m_winners.name[rank], m_state.GuaranteedSum});
  }
  // The board is changed as it is in the file now, not as it was when the panel
  // opened: another game may have saved or cleared it meanwhile. Without a row (a
  // full board of better results) it is written back unchanged.
  QString problem;
  const WinnersWrite written = StoreWinners(m_paths.winnersPath, m_unsaved, m_platform.Random(), &problem);
  if (written == WinnersWrite::Written) {
    m_unsaved.clear();
    // The name stands on the board now.
    if (hasRow) PlayCue(Cue::Record);
  } else {
    // The results stay here, shown on the board, until a later save stores them.
    InfoBox(WinnersNotStoredMessage(m_paths.winnersPath, written, problem), InfoBox::StopOk);
    m_unreadableReported =
        m_unreadableReported || written == WinnersWrite::Unreadable || written == WinnersWrite::Link;
  }
  // The row has its name; a stray second confirmation must not rename it.
  m_state.RecordRank = 0;
  ShowPanel(RecordPanel, false);
  ShowPanel(LeaderboardPanel, true);
}

bool Game::StoreUnsavedBeforeExit() {
  if (m_unsaved.isEmpty()) return true;
  QString problem;
  const WinnersWrite written = StoreWinners(m_paths.winnersPath, m_unsaved, m_platform.Random(), &problem);
  if (written == WinnersWrite::Written) {
    m_unsaved.clear();
    return true;
  }
  // The game promised to keep these results; leaving now loses them, so the player
  // decides, knowing what they are and what is in the way.
  QString why = WinnersNotStoredMessage(m_paths.winnersPath, written, problem);
  why = why.left(why.lastIndexOf(u"\r\n"_s));
  const QString text = why + u"\r\n\r\n"_s + u"Эти результаты не записаны и пропадут при выходе:"_s + u"\r\n"_s +
                       UnsavedResultsText(m_unsaved) + u"\r\n\r\n"_s + u"Всё равно выйти?"_s;
  return InfoBox(text, ::InfoBox::QuestionYesNoDefaultNo) == ::InfoBox::Yes;
}

#include <QDir>

#include <algorithm>
#include <utility>

#include "data/codec.h"
#include "data/winners_table.h"
#include "engine/game.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qreal kThumbRest = 43;  // the top of the track
constexpr ElementId kScrollElements[] = {el::ScrollTrack, el::ScrollUp, el::ScrollDown, el::ScrollThumb};
constexpr ElementId kViewElements[] = {el::Leaderboard, el::ScrollTrack, el::ScrollUp,   el::ScrollDown,
                                       el::ScrollThumb, el::HideTable,   el::ClearTable, el::LeaderboardHeader};

}  // namespace

void Game::LoadBoard() {
  const WinnersFileRead read = ReadWinnersFile(m_paths.winnersPath, m_winners);
  // The same damage in the same file is said once, not at every look at the board.
  if (read.damagedFields > 0 && read.version != m_damageReportedFor) {
    Warn(DamagedFileMessage(QDir::toNativeSeparators(m_paths.winnersPath), read.damagedFields));
  }
  m_damageReportedFor = read.damagedFields > 0 ? read.version : QString();
  // Said once, not at every look at the board, until it can be read again.
  const bool unusable = read.state != WinnersRead::Read;
  if (unusable && !m_unreadableReported) {
    Warn(read.state == WinnersRead::Link ? LinkedWinnersMessage(m_paths.winnersPath)
                                         : UnreadableWinnersMessage(m_paths.winnersPath));
  }
  m_unreadableReported = unusable;
  // Results a save could not store yet are part of the board the player sees.
  for (const WinnerEntry& result : m_unsaved) InsertWinner(m_winners, result.name, result.sum, result.time);
}

QStringList Game::BoardLegend() const {
  QStringList legend;
  for (const AnswerTime time : {AnswerTime::Doubled, AnswerTime::Unlimited}) {
    const bool used = std::any_of(m_winners.rows.begin(), m_winners.rows.end(),
                                  [time](const BoardRow& row) { return AnswerTimeOfSum(row.sum) == time; });
    if (used) legend.append(AnswerTimeLegend(time));
  }
  if (!legend.isEmpty()) legend.prepend(QString());
  return legend;
}

void Game::ShowLeaderboard(bool visible) {
  LoadBoard();
  m_screen.SetTop(el::ScrollThumb, kThumbRest);

  if (visible) {
    StartBed(Cue::Theme);
    // The columns are built whole and set once each: the same text and place as
    // appending row by row, without refitting fifty times.
    QString places, names, sums;
    for (int r = 1; r <= m_winners.count(); ++r) {
      if (r > 1) {
        places += u"\r\n"_s;
        names += u"\r\n"_s;
        sums += u"\r\n"_s;
      }
      places += QString::number(r) + u"."_s;
      // One line per row whatever a crafted file holds, or the columns would slide
      // against the places: the file itself keeps the rows as they are.
      names += m_screen.OneLine(BoardColumn::Name, m_winners.AtRank(r).name);
      sums += m_screen.OneLine(BoardColumn::Sum, SumText(m_winners.AtRank(r).sum));
    }
    // An empty board says so rather than showing a blank panel.
    if (m_winners.count() == 0) names = u"Таблица пуста"_s;
    // Results played with more time say so by their marks, explained below the rows,
    // after a blank line. The places get lines of their own beside the legend, so
    // that the list is as long as its legend and scrolls down to it.
    for (const QString& line : BoardLegend()) {
      places += u"\r\n "_s;
      names += u"\r\n"_s + m_screen.OneLine(BoardColumn::Name, line);
    }
    // Any column set brings all three to the top of the panel: the list opens
    // unscrolled, matching the thumb.
    m_screen.SetBoardColumn(BoardColumn::Rank, places);
    m_screen.SetBoardColumn(BoardColumn::Name, names);
    m_screen.SetBoardColumn(BoardColumn::Sum, sums);

    const bool scrolls = m_screen.board().height() > m_screen.element(el::Leaderboard).height;
    for (const ElementId e : kScrollElements) m_screen.EnableElement(e, scrolls);

    const int lit = std::exchange(m_boardHighlight, 0);
    m_screen.SetListHighlight(lit <= m_winners.count() ? lit : 0);
    // The row just named is brought to the middle of the panel when it lies below it.
    const QRectF row = m_screen.ListRowRect(m_screen.listHighlight());
    const QRect panel = m_screen.element(el::Leaderboard).Box();
    if (!row.isEmpty() && row.bottom() > panel.bottom()) m_pointer.ScrollList(row.center().y() - panel.center().y());
  } else {
    m_screen.SetListHighlight(0);
    ShowStartScreen();
  }

  for (const ElementId e : kViewElements) m_screen.SetVisible(e, visible);
  m_newGameEnabled = !visible;
  m_winnersEnabled = !visible;
}

void Game::ClearLeaderboard() {
  // Fifty results go at one click and cannot come back: the player confirms first,
  // and anything but Yes leaves the file as it is. A board the game cannot read may
  // still hold them all, and the player is asked knowing that.
  WinnersTable onDisk;
  const WinnersRead state = ReadWinnersFile(m_paths.winnersPath, onDisk).state;
  if (state == WinnersRead::Link) {
    Warn(LinkedWinnersMessage(m_paths.winnersPath));
    return;
  }
  const QString question = state == WinnersRead::Unreadable
                               ? UnreadableWinnersMessage(m_paths.winnersPath).section(u"\r\n"_s, 0, 1) + u"\r\n"_s +
                                     u"Если её очистить, файл будет удалён вместе со всем, что в нём записано, "
                                     u"и заменён пустой таблицей. Очистить таблицу лидеров?"_s
                               : u"Очистить таблицу лидеров?"_s;
  if (Confirm(question, InfoBox::Answer::No) != InfoBox::Answer::Yes) return;
  // A file that will not go (protected, locked) is shown again as it is, and the
  // player hears why.
  QString problem;
  const WinnersWrite cleared = ClearWinners(m_paths.winnersPath, &problem);
  if (cleared == WinnersWrite::Written) {
    m_unsaved.clear();
    PlayCue(Cue::ClearBoard);
  } else if (!problem.isEmpty()) {
    Warn(problem);
  }
  ShowPanel(Panel::Leaderboard, true);
}

void Game::ScrollBoard(Command command) {
  const qreal row = m_screen.ListRowRect(1).height();
  const qreal page = m_screen.element(el::Leaderboard).height - row;
  // Far enough for either end of any list; the scroll bar holds the ends.
  const qreal whole = m_screen.board().height();
  switch (command) {
    case Command::ScrollBoardUp: m_pointer.ScrollList(-row); break;
    case Command::ScrollBoardDown: m_pointer.ScrollList(row); break;
    case Command::ScrollBoardPageUp: m_pointer.ScrollList(-page); break;
    case Command::ScrollBoardPageDown: m_pointer.ScrollList(page); break;
    case Command::ScrollBoardTop: m_pointer.ScrollList(-whole); break;
    case Command::ScrollBoardBottom: m_pointer.ScrollList(whole); break;
    default: break;
  }
}

void Game::WheelBoard(int angleDelta) {
  if (PageOpen() || m_panel != Panel::Leaderboard) return;
  m_pointer.ScrollList(-qreal(angleDelta) / 120 * 3 * m_screen.ListRowRect(1).height());
}

void Game::OpenLeaderboard() {
  if (m_newGameEnabled) ShowPanel(Panel::Leaderboard, true);
}

#include <QFileInfo>

#include "data/question_fingerprint.h"
#include "engine/game.h"

using namespace Qt::StringLiterals;

namespace {

GameOutcome OutcomeOf(Ending how) {
  switch (how) {
    case Ending::Wrong: return GameOutcome::Wrong;
    case Ending::TimeOut: return GameOutcome::TimeOut;
    case Ending::TookMoney: return GameOutcome::TookMoney;
    case Ending::Million: return GameOutcome::Million;
  }
  return GameOutcome::Wrong;
}

}  // namespace

void Game::LoadPlayedGames() {
  m_played.clear();
  m_unwritten.clear();
  m_historyProblemTold = false;
  if (m_history) {
    // The history lives beside the leaderboard: in a writable portable copy's folder,
    // else in the player's data folder.
    HistoryRead read = m_history->Open(QFileInfo(m_paths.winnersPath).absolutePath());
    m_played = std::move(read.games);
    if (!read.message.isEmpty()) Warn(read.message);
  }
  IndexMetQuestions();
}

void Game::RecordAsked(int level, const Question& question) {
  m_game.asked.push_back({level, QuestionFingerprint(question), false});
}

void Game::RecordAnswer(bool right) {
  if (m_game.asked.empty()) return;
  m_game.asked.back().answeredRight = right;
  // 50/50 always leaves the right answer standing; what counts is whether the
  // player then found it.
  for (LifelineUse& use : m_game.lifelines)
    if (use.kind == LifelineKind::FiftyFifty && use.question == m_round.question) use.pointedRight = right;
}

void Game::RecordLifeline(LifelineKind kind, bool pointedRight) {
  m_game.lifelines.push_back({kind, m_round.question, pointedRight});
}

void Game::CommitGame(Ending how) {
  // A game that asked nothing was never played (a test's or benchmark's set-up).
  if (m_game.asked.empty()) return;
  GameRecord record = std::exchange(m_game, GameRecord{});
  record.endedAt = m_platform.NowUtc().toUTC();
  record.outcome = OutcomeOf(how);
  record.sum = m_round.guaranteedSum;
  if (!m_history) return;
  m_played.push_back(record);
  m_unwritten.push_back(std::move(record));
  WriteUnwrittenGames();
  IndexMetQuestions();
}

bool Game::WriteUnwrittenGames() {
  if (m_unwritten.empty() || !m_history) return true;
  HistoryWrite write = m_history->Add(m_unwritten);
  if (write.written) {
    m_unwritten.clear();
    m_played = std::move(write.games);
    m_historyProblemTold = false;
    if (!write.message.isEmpty()) Warn(write.message);
    return true;
  }
  // Once, not after every game: the games stay here and go with the next write.
  if (!m_historyProblemTold) {
    m_historyProblemTold = true;
    Warn(write.message + u"\r\n"_s + u"Сыгранные игры игра помнит и запишет, когда запись снова удастся."_s);
  }
  return false;
}

bool Game::ForgetPlayedGames() {
  if (m_history) {
    const HistoryWrite write = m_history->Forget();
    if (!write.written) {
      Warn(write.message);
      return false;
    }
  }
  m_played.clear();
  m_unwritten.clear();
  m_historyProblemTold = false;
  IndexMetQuestions();
  return true;
}

void Game::IndexMetQuestions() {
  m_lastMet.clear();
  int order = 0;
  for (const GameRecord& game : m_played) {
    ++order;
    for (const AskedQuestion& asked : game.asked) m_lastMet.insert(asked.fingerprint, order);
  }
}

int Game::LastMet(const Question& question) const {
  if (m_lastMet.isEmpty()) return 0;
  return m_lastMet.value(QuestionFingerprint(question), 0);
}

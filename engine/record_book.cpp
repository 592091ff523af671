#include "engine/record_book.h"

#include <algorithm>
#include <cmath>

#include "data/question_fingerprint.h"

namespace {

/// Whether `question` of `game` was answered at all: taking the money leaves the
/// question on screen unanswered, and the history may keep it (not right) or not.
bool Answered(const GameRecord& game, std::size_t question) {
  const bool last = question + 1 == game.asked.size();
  return !(last && game.outcome == GameOutcome::TookMoney && !game.asked[question].answeredRight);
}

}  // namespace

AvailableQuestions FingerprintsOf(const QuestionTable& table) {
  AvailableQuestions available;
  for (std::size_t level = 0; level < table.levels.size(); ++level) {
    const QuestionLevel& l = table.levels[level];
    const int rows = std::min(l.count, int(l.rows.size()));
    for (int row = 0; row < rows; ++row) available[level].insert(QuestionFingerprint(l.rows[std::size_t(row)]));
  }
  return available;
}

RecordBook SummariseGames(const std::vector<GameRecord>& games, const AvailableQuestions& available) {
  RecordBook book;
  book.games = int(games.size());
  QSet<QByteArray> metAnywhere;
  int run = 0;
  for (const GameRecord& game : games) {
    book.endings[std::size_t(game.outcome)] += 1;
    book.bestSum = std::max<qint64>(book.bestSum, game.sum);
    book.totalSum += game.sum;
    for (std::size_t q = 0; q < game.asked.size(); ++q) {
      const AskedQuestion& asked = game.asked[q];
      metAnywhere.insert(asked.fingerprint);
      if (!Answered(game, q)) continue;
      if (asked.level >= 0 && asked.level < kLevelCount) {
        RecordBook::Answers& tally = book.answers[std::size_t(asked.level)];
        tally.answered += 1;
        if (asked.answeredRight) tally.right += 1;
      }
      // A time-out breaks a run as a wrong answer does.
      run = asked.answeredRight ? run + 1 : 0;
      book.longestRun = std::max(book.longestRun, run);
    }
    for (const LifelineUse& use : game.lifelines) {
      RecordBook::Lifeline& tally = book.lifelines[std::size_t(use.kind)];
      tally.used += 1;
      if (use.pointedRight) tally.pointedRight += 1;
    }
  }
  if (book.games > 0) book.averageSum = std::llround(double(book.totalSum) / book.games);

  const std::size_t recent = std::min<std::size_t>(games.size(), RecordBook::kRecentCount);
  for (std::size_t i = 0; i < recent; ++i) {
    const GameRecord& game = games[games.size() - 1 - i];
    book.recent.push_back({game.endedAt, game.outcome, game.sum});
  }

  for (std::size_t level = 0; level < available.size(); ++level) {
    book.met[level].available = int(available[level].size());
    for (const QByteArray& fingerprint : available[level])
      if (metAnywhere.contains(fingerprint)) book.met[level].met += 1;
  }
  return book;
}

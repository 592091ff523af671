#include <cmath>
#include <vector>

#include "engine/game.h"

using namespace Qt::StringLiterals;

namespace {

// Two restarts in a row are already rare (1 in 64); this many only a broken
// generator produces.
constexpr int kMaxShuffles = 64;

}  // namespace

void Game::DrawQuestion(int level) {
  if (level < 0 || level > 6) return;
  QuestionLevel& table = m_questions.levels[level];
  const int n = LevelSize(level);

  if (n - 1 == table.usedCount) {
    for (int row = 1; row <= n; ++row) SetRowUsed(level, row, false);
    table.usedCount = 0;
  }

  const auto& drawn = m_gameDrawn[level];
  auto inGame = [&](int row) { return row == drawn[1] || row == drawn[2] || row == drawn[3]; };
  // An empty level still yields its row 1, whose texts are empty.
  const int candidates = std::max(n, 1);

  // The questions the player has not met in earlier games come first; once every one
  // was met, those met longest ago. Questions are known by their content, so an
  // edited base keeps its history and a question gone from it leaves no trace here.
  std::vector<int> lastMet(std::size_t(candidates) + 1, 0);
  if (!m_lastMet.isEmpty())
    for (int r = 1; r <= n; ++r) lastMet[std::size_t(r)] = LastMet(table.rows[std::size_t(r - 1)]);
  int due = 0;  // the earlier game whose questions come now; 0: those never met
  bool dueFound = false;
  for (int r = 1; r <= candidates; ++r) {
    if (inGame(r)) continue;
    const int met = lastMet[std::size_t(r)];
    if (!dueFound || met < due) due = met;
    dueFound = true;
  }
  auto isDue = [&](int r) { return lastMet[std::size_t(r)] == due; };

  int row = DrawUntil(candidates, 1, true, [&](int r) { return isDue(r) && !RowUsed(level, r) && !inGame(r); });
  // Too few questions for a game: first let used rows come again, then rows of
  // this game, so the draw always ends.
  if (row < 0) row = DrawUntil(candidates, 1, false, [&](int r) { return isDue(r) && !inGame(r); });
  if (row < 0) row = 1 + RandomInt(candidates);

  m_round.row = row;
  SetRowUsed(level, row, true);
  const int slot = (m_round.question + 2) % 3 + 1;
  m_gameDrawn[level][slot] = row;
  table.usedCount += 1;

  ShuffleAnswers();
  m_round.level = level;
  RecordAsked(level, CurrentQuestion());
  m_screen.SetCaption(el::QuestionFrame, QString(), QString(), 0);
  m_questionReveal.Start(CurrentQuestion().text);
}

void Game::ShuffleAnswers() {
  for (int shuffle = 1;; ++shuffle) {
    std::array<int, 5>& slots = m_round.slots;
    slots.fill(0);
    for (int k = 1; k <= 4; ++k) {
      slots[std::size_t(k)] = DrawUntil(4, 1, true, [&](int v) {
        for (int j = 1; j < k; ++j)
          if (slots[std::size_t(j)] == v) return false;
        return true;
      });
    }
    const int coin = RandomInt(2) + 1;
    const bool atLastChoice = AnswerSlot(slots[1]) == m_round.chosen;
    if (!(atLastChoice && coin == 1) || shuffle >= kMaxShuffles) return;
  }
}

void Game::RevealQuestionText(ElementId index, const QString& text, int minChars) {
  m_screen.SetCaption(index, TypingReveal::Next(m_screen.element(index).caption.text, text, minChars), QString(), 0);
}

void Game::QuestionRevealStep() {
  const Question& question = CurrentQuestion();
  const QString& text = m_questionReveal.Text();
  RevealQuestionText(el::QuestionFrame, text, 1);
  if (m_screen.element(el::QuestionFrame).caption.text.size() < text.size()) return;

  m_questionReveal.Stop();
  m_screen.SetCaption(el::QuestionFrame, text, u"Вопрос "_s + question.year + u" года."_s, 0);
  for (int k = 1; k <= 4; ++k) m_screen.SetCaption(AnswerElement(k), question.answers[k - 1], QString(), 0);

  // The smallest fitted size, so the four answers read alike.
  auto fitted = [&](ElementId e) { return m_screen.element(e).caption.font.size; };
  int size = int(std::nearbyint(fitted(el::AnswerA)));
  for (const ElementId e : {el::AnswerB, el::AnswerC, el::AnswerD})
    if (fitted(e) < size) size = int(std::nearbyint(fitted(e)));
  // Size 0 would mean "fit again"; a size that small is not readable anyway.
  size = std::max(size, 1);
  for (const ElementId e : kAnswerSlots) m_screen.SetCaption(e, QString(), QString(), size);
  for (const ElementId e : kAnswerSlots) m_screen.EnableElement(e, true);

  m_clock.StartAt(m_platform.SteadySeconds());
  m_lastTickSecond = 0;
  // The stage's bed runs on from the question before; a new stage cross-fades in.
  StartBed(StageBed(m_round.question));
  UpdateClock(el::ClockBar, 0);
  m_screen.SetVisible(el::ClockBar, true);
  m_round.answersOpen = true;
  m_clock.Run();
  // An answer or lifeline that the pointer already rests on shows that it may be
  // clicked; every other one keeps the normal look it was enabled with.
  m_pointer.PointAtHotElement();
}

#include "engine/game.h"

#include <algorithm>
#include <cmath>

#include "data/question_loader.h"

using namespace Qt::StringLiterals;

namespace {

// More attempts than a working generator needs for almost every draw. A draw that
// accepts one value in a thousand still passes this bound about once in 150 draws
// (0.999^5000 ≈ e^-5), which is harmless: the fallback after the loop then picks
// among the acceptable values. Beyond the bound the loop stops trusting the
// generator to come round.
constexpr int kMaxAttempts = 5000;

/// One row of the question table: what question n sets up.
struct QuestionSetup {
  int timeLimit;
  int level;
  int currentSum;
  int guaranteedSum;  ///< -1: unchanged
};

constexpr std::array<QuestionSetup, 15> kQuestionSetup = {{
    {20, 1, 0, 0},
    {23, 1, 100, -1},
    {25, 1, 200, -1},
    {28, 2, 300, -1},
    {30, 2, 500, -1},
    {40, 3, 1000, 1000},
    {45, 3, 2000, -1},
    {50, 3, 4000, -1},
    {55, 4, 8000, -1},
    {60, 4, 16000, -1},
    {80, 5, 32000, 32000},
    {90, 5, 64000, -1},
    {100, 5, 125000, -1},
    {110, 6, 250000, -1},
    {120, 6, 500000, -1},
}};

}  // namespace

Game::Game(Platform& platform, TextMeasurer& measurer, QString programFolder, Screen::SheetLoader sheets,
           DataLocations locations, GameHistory* history)
    : m_platform(platform),
      m_programFolder(std::move(programFolder)),
      m_locations(std::move(locations)),
      m_screen(measurer, std::move(sheets)),
      m_pointer(m_screen, m_pointerState, *this),
      m_history(history) {}

void Game::Start() {
  m_screen.BuildScreen();
  m_pointerState.WindowDragging = false;
  // The window is frameless and centres itself: nothing to shape here.
  m_paths = LoadQuestionBases(m_programFolder, m_locations, m_questions, m_platform.MessageBox());
  // A save killed before its rename leaves its temporary file beside the board.
  RemoveWinnersLeftovers(m_paths.winnersPath);
  LoadPlayedGames();
  ShowStartScreen();
  m_round.answersOpen = false;
  m_judging.Stop();
  m_poll.Stop();
  m_clock.Stop();
  m_questionReveal.Stop();
  // Last, so that no tick meets a half-built screen.
  m_timerEnabled = true;
}

void Game::NewGame() {
  if (!m_newGameEnabled) return;
  // A level too small for a game would leave the draw nothing to give; refuse the
  // game while the start screen is still untouched.
  if (!LevelsReadyForGame()) return;

  m_newGameEnabled = false;
  m_winnersEnabled = false;
  StopBed();
  m_screen.SetCaption(el::QuestionFrame, QString(), QString(), 0);
  m_round.question = 1;
  m_screen.EnableElement(el::QuestionFrame, true);
  m_screen.EnableElement(el::FiftyFifty, true);
  m_screen.EnableElement(el::PhoneFriend, true);
  m_screen.EnableElement(el::AudiencePoll, true);
  m_round.lifelinesUsed = {};
  for (int level = 1; level <= 6; ++level)
    for (int slot = 1; slot <= 3; ++slot) m_gameDrawn[level][slot] = 0;
  m_gameAnswerTime = AnswerTime::Normal;
  m_game = GameRecord{};
  PrepareQuestion();
}

void Game::PrepareQuestion() {
  for (const ElementId e : kAnswerSlots) m_screen.EnableElement(e, false);
  m_round.answersRemoved = {};
  if (!m_round.QuestionInPlay()) return;
  const int n = m_round.question;
  const QuestionSetup& setup = kQuestionSetup[n - 1];
  if (n == 2) m_screen.EnableElement(el::TakeMoney, true);
  m_clock.SetLimit(setup.timeLimit, m_answerTime);
  m_gameAnswerTime = MoreTime(m_gameAnswerTime, m_answerTime);
  DrawQuestion(setup.level);
  // After a right answer the output holds it back until the answer's chord has rung.
  PlayCue(Cue::Reveal);
  m_round.currentSum = setup.currentSum;
  if (setup.guaranteedSum >= 0) m_round.guaranteedSum = setup.guaranteedSum;
}

void Game::SetUpRound(const RoundSetup& setup) {
  m_round.answersOpen = false;
  m_clock.Stop();
  m_questionReveal.Stop();
  m_round.question = setup.question;
  PrepareQuestion();
  if (setup.guaranteedSum >= 0) m_round.guaranteedSum = setup.guaranteedSum;
  if (setup.timeLimit > 0) m_clock.SetLimit(setup.timeLimit, m_answerTime);
}

int Game::QuestionsNeeded(int level) {
  // As many as the question table draws from the level.
  return int(std::count_if(kQuestionSetup.begin(), kQuestionSetup.end(),
                           [level](const QuestionSetup& setup) { return setup.level == level; }));
}

int Game::TimeLimitOf(int question) {
  return question >= 1 && question <= kQuestionsInGame ? kQuestionSetup[question - 1].timeLimit : 0;
}

QList<int> Game::GuaranteedQuestions() {
  // A guaranteed sum is set up with the question after the one that wins it.
  QList<int> questions;
  for (int n = 2; n <= kQuestionsInGame; ++n)
    if (kQuestionSetup[n - 1].guaranteedSum > 0) questions.append(n - 1);
  return questions;
}

bool Game::LevelsReadyForGame() {
  for (int level = 1; level <= 6; ++level) {
    const QuestionLevel& l = m_questions.levels[level];
    if (l.decoded && LevelSize(level) >= QuestionsNeeded(level)) continue;
    // An undecoded level holds fewer than the loader lets a game use.
    const int needed = std::max(QuestionsNeeded(level), kFewestQuestionsToPlay);
    const int held = l.decoded ? LevelSize(level) : std::max(0, l.count);
    Inform(u"Слишком мало вопросов для игры!!!\r\n"_s + LevelQuestionCountText(level, held, needed));
    return false;
  }
  return true;
}

InfoBox::Answer Game::ShowMessage(const InfoBox::Message& message) {
  HoldClock();
  ++m_boxesOpen;
  const InfoBox::Answer answer = m_platform.MessageBox().Show(message);
  --m_boxesOpen;
  ReleaseClock();
  return answer;
}

void Game::HoldClock() { m_clock.Hold(m_platform.SteadySeconds()); }

void Game::ReleaseClock() { m_clock.Release(m_platform.SteadySeconds()); }

Phase Game::CurrentPhase() const {
  switch (m_panel) {
    case Panel::Leaderboard: return Phase::Leaderboard;
    case Panel::Record:
    case Panel::Loss:
    case Panel::Timeout: return Phase::Over;
    default: break;
  }
  if (m_judging.Running()) return Phase::Judging;
  if (m_round.answersOpen) return Phase::Answering;
  if (m_questionReveal.Running() && m_round.QuestionInPlay()) return Phase::Revealing;
  return Phase::Idle;
}

void Game::TypeName(const QString& text) {
  // Typing leaves the caret after the text, nothing selected.
  NameBox& box = m_screen.nameBox();
  box.text = text;
  box.selectionStart = int(text.size());
  box.selectionLength = 0;
}

const Question& Game::CurrentQuestion() const {
  static const Question kNone;
  const int level = m_round.level;
  const int row = m_round.row;
  if (level > 6 || row < 1) return kNone;
  const auto& rows = m_questions.levels[level].rows;
  if (row > qsizetype(rows.size())) return kNone;
  return rows[row - 1];
}

int Game::LevelSize(int level) const {
  const QuestionLevel& l = m_questions.levels[level];
  const qsizetype held = std::min<qsizetype>(qsizetype(l.rows.size()), qsizetype(l.used.size()));
  return int(std::clamp<qsizetype>(qsizetype(l.count), 0, std::min<qsizetype>(held, 1000)));
}

bool Game::RowUsed(int level, int row) const {
  const auto& used = m_questions.levels[level].used;
  return row >= 1 && row <= qsizetype(used.size()) && used[row - 1];
}

void Game::SetRowUsed(int level, int row, bool used) {
  auto& flags = m_questions.levels[level].used;
  if (row >= 1 && row <= qsizetype(flags.size())) flags[row - 1] = used;
}

int Game::RandomInt(int n) {
  if (n <= 0) return 0;
  const double r = m_platform.Random().Next();
  return std::clamp(int(std::floor(r * n)), 0, n - 1);
}

int Game::DrawUntil(int count, int base, bool reseed, const std::function<bool(int)>& accept) {
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    if (reseed) m_platform.Random().Reseed();
    const int v = base + RandomInt(count);
    if (accept(v)) return v;
  }
  QList<int> acceptable;
  for (int v = base; v < base + count; ++v)
    if (accept(v)) acceptable.append(v);
  if (acceptable.isEmpty()) return -1;
  return acceptable[RandomInt(int(acceptable.size()))];
}

int& Game::Share(int answer) { return m_poll.Share(AnswerOrder(std::clamp(answer, 1, 4))); }

bool Game::WindowNormal() { return m_platform.WindowNormal(); }

void Game::MoveWindowBy(qreal dx, qreal dy) { m_platform.MoveWindowBy(dx, dy); }

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

Game::Game(Platform& platform, TextMeasurer& measurer, QString programFolder,
           Screen::SheetLoader sheets, DataLocations locations)
    : m_platform(platform),
      m_programFolder(std::move(programFolder)),
      m_locations(std::move(locations)),
      m_screen(measurer, std::move(sheets)),
      m_pointer(m_screen, m_state.pointer, *this) {}

void Game::Start() {
  m_screen.BuildScreen();
  m_state.pointer.WindowDragging = false;
  // The window is frameless and centres itself: nothing to shape here.
  m_paths = LoadQuestionBases(m_programFolder, m_locations, m_questions, m_platform.MessageBox());
  // A save killed before its rename leaves its temporary file beside the board.
  RemoveWinnersLeftovers(m_paths.winnersPath);
  ShowStartScreen(0);
  m_state.AnswersOpen = false;
  for (int i = task::AnswerReveal; i <= task::QuestionReveal; ++i) m_state.TaskActive[i] = false;
  m_state.TimeUp = false;
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
  m_state.QuestionNumber = 1;
  m_screen.EnableElement(el::QuestionFrame, true);
  m_screen.EnableElement(el::FiftyFifty, true);
  m_screen.EnableElement(el::PhoneFriend, true);
  m_screen.EnableElement(el::AudiencePoll, true);
  for (int level = 1; level <= 6; ++level)
    for (int slot = 1; slot <= 3; ++slot) m_gameDrawn[level][slot] = 0;
  PrepareQuestion();
}

void Game::PrepareQuestion() {
  for (const ElementId e : kAnswerSlots) m_screen.EnableElement(e, false);
  const int n = m_state.QuestionNumber;
  if (n < 1 || n > 15) return;
  const QuestionSetup& setup = kQuestionSetup[n - 1];
  if (n == 2) m_screen.EnableElement(el::TakeMoney, true);
  m_state.TimeLimit = setup.timeLimit;
  DrawQuestion(setup.level);
  // After a right answer the output holds it back until the answer's chord has rung.
  PlayCue(Cue::Reveal);
  m_state.CurrentSum = setup.currentSum;
  if (setup.guaranteedSum >= 0) m_state.GuaranteedSum = setup.guaranteedSum;
}

int Game::QuestionsNeeded(int level) {
  // As many as the question table draws from the level.
  return int(std::count_if(kQuestionSetup.begin(), kQuestionSetup.end(),
                           [level](const QuestionSetup& setup) { return setup.level == level; }));
}

int Game::TimeLimitOf(int question) {
  return question >= 1 && question <= 15 ? kQuestionSetup[question - 1].timeLimit : 0;
}

QList<int> Game::GuaranteedQuestions() {
  // A guaranteed sum is set up with the question after the one that wins it.
  QList<int> questions;
  for (int n = 2; n <= 15; ++n)
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

void Game::HoldClock() {
  if (m_clockHolds++ == 0) m_clockHeldSince = m_platform.SteadySeconds();
}

void Game::ReleaseClock() {
  if (m_clockHolds == 0 || --m_clockHolds > 0) return;
  // The question clock stood still from the first hold, or from its own start when
  // the question finished appearing behind the box or page.
  const double now = m_platform.SteadySeconds();
  m_state.ClockStart += now - std::max(m_clockHeldSince, m_state.ClockStart);
}

const Question& Game::CurrentQuestion() const {
  static const Question kNone;
  const int level = m_state.CurrentLevel;
  const int row = m_state.QuestionRow;
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

int& Game::Share(int answer) {
  const int position = std::clamp(int(m_answerOrder[std::clamp(answer, 1, 4)]), 1, 4);
  return m_state.PollShare[position - 1];
}

bool Game::WindowNormal() { return m_platform.WindowNormal(); }

void Game::MoveWindowBy(qreal dx, qreal dy) { m_platform.MoveWindowBy(dx, dy); }

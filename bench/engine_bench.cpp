#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <memory>

#include "data/random_source.h"
#include "engine/game.h"
#include "screen/qt_text_measurer.h"
#include "tests/game_test_access.h"
#include "tests/testing/info_box_fakes.h"

using namespace Qt::StringLiterals;

namespace {

/// A window that is never shown: its clock is the tick count, its messages vanish.
class BenchPlatform : public Platform, public InfoBox {
 public:
  double SteadySeconds() override { return time; }
  RandomSource& Random() override { return random; }
  ::InfoBox& MessageBox() override { return *this; }
  Answer Show(const Message&) override { return Answer::None; }
  void PopupMenu(int, int) override {}
  void Minimise() override {}
  void RequestClose() override {}
  bool WindowNormal() override { return true; }
  void MoveWindowBy(qreal, qreal) override {}
  void FocusNameBox() override {}

  double time = 36000;
  SystemRandomSource random;
};

/// Character-count wrapping with fixed sizes: the engine's share of a tick alone.
class CountingMeasurer : public TextMeasurer {
 public:
  QSizeF Measure(const QString& text, const CaptionFont& font, qreal width) override {
    const qreal charWidth = 0.7 * font.size;
    const int perLine = std::max(1, int(width / charWidth));
    const int lines = std::max<int>(1, int((text.size() + perLine - 1) / perLine));
    return QSizeF(std::min<qsizetype>(text.size(), perLine) * charWidth, lines * 1.5 * font.size);
  }
};

const QString& LongQuestion() {
  static const QString q =
      u"Какой русский писатель, автор романов «Война и мир» и «Анна Каренина», в конце "
      u"жизни ушёл из дома и умер на маленькой железнодорожной станции Астапово?"_s;
  return q;
}

/// Every level of a game holds a few long questions.
void FillQuestions(QuestionTable& table) {
  for (int level = 1; level <= 6; ++level) {
    QuestionLevel& l = table.levels[level];
    l.count = 5;
    l.rows.assign(
        5, Question{LongQuestion(),
                    {u"Лев Толстой"_s, u"Фёдор Достоевский"_s, u"Антон Павлович Чехов"_s, u"Иван Сергеевич Тургенев"_s},
                    u"1910"_s});
    l.used.assign(5, false);
    l.usedCount = 0;
    l.decoded = true;
  }
}

/// One tick with the question text growing, the clock running and the poll bars
/// growing, all at once (the audience was asked, then the text starts over).
void RunBusyTick(benchmark::State& state, TextMeasurer& measurer) {
  QTemporaryDir folder;  // no question folder: the bases come from memory
  BenchPlatform platform;
  Game game(platform, measurer, folder.path());
  game.Start();
  GameTestAccess access(game);
  FillQuestions(access.questions());
  game.NewGame();
  while (!game.CurrentRound().answersOpen) {
    platform.time += 0.1;
    game.Tick();
  }
  access.UseAudiencePoll();

  // Starting the text over also starts the clock over, so it never runs out.
  auto restartReveal = [&] {
    platform.time = 36000;
    access.RestartQuestion(36000, 120);
  };
  restartReveal();
  const int before = game.screen().measurements();
  for (auto _ : state) {
    if (!game.QuestionReveal().Running() || game.Poll().Ticks() >= PollAnimation::kTicks - 1) {
      state.PauseTiming();
      restartReveal();
      access.RestartPoll();
      state.ResumeTiming();
    }
    platform.time += 0.1;
    game.Tick();
  }
  state.counters["measurements/tick"] = double(game.screen().measurements() - before) / double(state.iterations());
  if (!game.Clock().Running() || game.Clock().TimeUp()) state.SkipWithError("the question ran out of time");
}

void BM_BusyTickRealFonts(benchmark::State& state) {
  QtTextMeasurer measurer;
  RunBusyTick(state, measurer);
}
BENCHMARK(BM_BusyTickRealFonts)->Unit(benchmark::kMicrosecond);

void BM_BusyTickCountingMeasurer(benchmark::State& state) {
  CountingMeasurer measurer;
  RunBusyTick(state, measurer);
}
BENCHMARK(BM_BusyTickCountingMeasurer)->Unit(benchmark::kMicrosecond);

}  // namespace

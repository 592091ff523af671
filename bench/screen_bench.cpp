#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "screen/element.h"
#include "screen/qt_text_measurer.h"
#include "screen/screen_painter.h"
#include "screen/sharp_sheet_cache.h"

using namespace Qt::StringLiterals;

namespace {

const QString& Question() {
  static const QString q =
      u"Какой русский писатель, автор романов «Война и мир» и «Анна Каренина», в конце "
      u"жизни ушёл из дома и умер на маленькой железнодорожной станции Астапово?"_s;
  return q;
}

// The reveal refits the question at every tick with one more character; two texts
// alternate so that every call really changes the caption.
void BM_FitQuestion(benchmark::State& state) {
  QtTextMeasurer measurer;
  Screen screen(measurer);
  screen.BuildScreen();
  const QString full = Question().left(150);
  const QString shorter = full.left(149);
  bool flip = false;
  const int before = screen.measurements();
  for (auto _ : state) {
    screen.SetCaption(el::QuestionFrame, flip ? shorter : full, QString(), 0);
    flip = !flip;
  }
  state.counters["measurements/fit"] = double(screen.measurements() - before) / double(state.iterations());
  state.counters["size"] = screen.element(el::QuestionFrame).caption.font.size;
}
BENCHMARK(BM_FitQuestion)->Unit(benchmark::kMicrosecond);

// A game screen with every caption filled.
void FillScreen(Screen& screen) {
  screen.BuildScreen();
  screen.SetCaption(el::QuestionFrame, Question().left(150), u"Вопрос 1910 года."_s, 0);
  const QString answers[] = {u"Лев Толстой"_s, u"Фёдор Достоевский"_s, u"Антон Чехов"_s, u"Иван Тургенев"_s};
  for (int k = 0; k < 4; ++k) screen.SetCaption(AnswerSlot(k + 1), answers[k], QString(), 0);
  screen.SetVisible(el::PollPanel, true);
  for (const ElementId bar : kPollBars) {
    screen.SetVisible(bar, true);
    screen.SetCaption(bar, u"25%"_s, QString(), 0);
  }
  screen.SetVisible(el::ClockBar, true);
  screen.SetCaption(el::ClockBar, u"0:20"_s, QString(), 0);
}

// The filled screen painted whole as after an expose.
void BM_PaintFullWindow(benchmark::State& state) {
  QtTextMeasurer measurer;
  Screen screen(measurer);
  FillScreen(screen);

  QImage image(640, 480, QImage::Format_RGB32);
  const QRegion all(0, 0, 640, 480);
  for (auto _ : state) {
    QPainter painter(&image);
    PaintScreen(painter, screen, all);
    painter.end();
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_PaintFullWindow)->Unit(benchmark::kMicrosecond);

// The same on a zoomed window (argument: percent), as the window paints it: one
// scale over the 640 × 480 layout, faces from the sharper sheets (resampled once
// to the zoom when it is not theirs).
void BM_PaintFullWindowZoomed(benchmark::State& state) {
  QtTextMeasurer measurer;
  Screen screen(measurer);
  FillScreen(screen);
  const qreal zoom = qreal(state.range(0)) / 100.0;
  SharpSheetCache sharp;
  sharp.SetScale(zoom);

  QImage image(qRound(640 * zoom), qRound(480 * zoom), QImage::Format_RGB32);
  const QRegion all(0, 0, 640, 480);
  const auto paint = [&] {
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    PaintScreen(painter, screen, all, zoom > 1.0 ? &sharp : nullptr);
  };
  paint();  // the sheets are prepared at the first paint, as in the window
  for (auto _ : state) {
    paint();
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_PaintFullWindowZoomed)->Arg(100)->Arg(150)->Arg(200)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "data/cp1251.h"
#include "data/info_box.h"
#include "data/random_source.h"
#include "engine/game.h"
#include "engine/platform.h"
#include "screen/element_table.h"
#include "element_names.h"
#include "screen/element_table.h"
#include "element_names.h"
#include "screen/text_measurer.h"
#include "tests/info_box_fakes.h"
#include "tests/sound_fakes.h"

/// A platform whose clock and draws the test sets and which remembers every window
/// request the game makes.
class ScriptedPlatform : public Platform {
 public:
  /// One scripted clock: `time` runs on steadily, the time of day may be stepped.
  double TimeOfDay() override { return time + dayStep; }
  double SteadySeconds() override { return time; }
  QString TimeAndDate() override { return timeAndDate; }
  RandomSource& Random() override { return *randomSource; }
  InfoBox& MessageBox() override { return box; }
  void SetWindowCaption(const QString& caption) override { captions.append(caption); }
  void PopupMenu(int x, int y) override { popups.append(QPoint(x, y)); }
  void Minimise() override { ++minimised; }
  void RequestClose() override {
    ++closeRequests;
    // The window runs its close handler; a refused close keeps it open.
    if (game != nullptr && !game->CloseRequested()) closed = true;
  }
  bool WindowNormal() override { return normal; }
  void MoveWindowBy(qreal dx, qreal dy) override { moved += QPointF(dx, dy); }
  void FocusNameBox() override { ++nameBoxFocus; }
  SoundOutput& Sound() override { return sound; }

  double time = 36000;  // 10:00:00
  double dayStep = 0;   ///< summer time, a time sync: what the time of day was moved by
  QString timeAndDate = QStringLiteral("10:00:00 09.12.2026");
  ScriptedRandomSource random;
  RandomSource* randomSource = &random;
  ActingInfoBox box;
  QStringList captions;
  QList<QPoint> popups;
  int minimised = 0;
  int closeRequests = 0;
  bool closed = false;
  bool normal = true;
  QPointF moved;
  int nameBoxFocus = 0;
  RecordingSoundOutput sound;
  Game* game = nullptr;
};

/// A generator stuck on one value, as a clock-seeded one can be when reseeded twice
/// in the same clock tick.
class StuckRandomSource : public RandomSource {
 public:
  explicit StuckRandomSource(double value) : m_value(value) {}
  double Next() override {
    ++drawn;
    return m_value;
  }
  long long drawn = 0;

 private:
  double m_value;
};

/// Known sizes: a character is 7 px wide at 10 points (0.7 px per point), a line
/// 1.5 px per point high; text wraps by character count, CR LF breaks lines.
class FakeMeasurer : public TextMeasurer {
 public:
  QSizeF Measure(const QString& text, const CaptionFont& font, qreal width) override {
    ++calls;
    const qreal charWidth = 0.7 * font.size;
    const qreal lineHeight = 1.5 * font.size;
    const int perLine =
        charWidth > 0 ? std::max(1, int(std::floor(width / charWidth + 1e-9))) : 1 << 20;
    int lines = 0;
    int longest = 0;
    const QStringList parts = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                  .split(QLatin1Char('\n'));
    for (const QString& line : parts) {
      const int length = int(line.size());
      lines += std::max(1, (length + perLine - 1) / perLine);
      longest = std::max(longest, std::min(length, perLine));
    }
    return QSizeF(longest * charWidth, lines * lineHeight);
  }
  /// What the font system gives for a requested size: the size plus this offset.
  qreal ReportedSize(const CaptionFont& font) override { return font.size + reportedOffset; }

  qreal reportedOffset = 0;
  int calls = 0;
};

/// Sheets of the sizes the element table gives, made in memory; every cell is
/// filled with a colour that names it: red = column, green = row.
inline QImage TestSheet(ElementId element) {
  const ElementSpec& spec = SpecOf(element);
  if (spec.sheet[0] == u'\0') return QImage();
  const ElementGrid grid = GridOf(element);
  const int cw = int(spec.width), ch = int(spec.height);
  QImage sheet(cw * grid.columns, ch * grid.rows, QImage::Format_RGB32);
  for (int c = 1; c <= grid.columns; ++c)
    for (int r = 1; r <= grid.rows; ++r)
      for (int y = (r - 1) * ch; y < r * ch; ++y)
        for (int x = (c - 1) * cw; x < c * cw; ++x) sheet.setPixel(x, y, qRgb(c, r, 100));
  return sheet;
}

/// One question of a test base.
struct TestQuestion {
  QString text;
  std::array<QString, 4> answers;  // [0] correct
};

/// Scrambles plain text with a fixed split of each byte into `parts` allowed bytes.
inline QByteArray ScrambleFixed(const QString& text, int parts) {
  auto allowed = [](int b) {
    return b > 5 && b != 9 && b != 10 && b != 13 && b != 26 && b != 27 && b <= 255;
  };
  QByteArray out;
  for (char ch : ToCp1251(text)) {
    const int b = quint8(ch);
    // Parts − 2 sixes, then a split of what is left into two allowed bytes.
    const int rest = b - 6 * (parts - 2);
    int k = 6;
    while (k < rest && !(allowed(k) && allowed(rest - k))) ++k;
    EXPECT_TRUE(k < rest) << "byte " << b << " cannot be scrambled";
    for (int i = 0; i < parts - 2; ++i) out.append(char(6));
    out.append(char(k));
    out.append(char(rest - k));
  }
  return out;
}

/// The bytes of a question base file holding `questions`, dated `year` when given.
inline QByteArray BaseFile(const QList<TestQuestion>& questions, const QString& year = {}) {
  QByteArray file = "SECTION QUESTIONS\r\n";
  for (const TestQuestion& q : questions) {
    file += '\x01' + ScrambleFixed(q.text, 2);
    for (int k = 0; k < 4; ++k) file += char(2 + k) + ScrambleFixed(q.answers[k], 3);
    file += "\r\n";
  }
  file += "END SECTION\r\n";
  if (!year.isEmpty()) file += "SECTION INFORMATIONS\r\nYEAR=" + ScrambleFixed(year, 4) + "\r\nEND SECTION\r\n";
  return file;
}

/// Question i (1-based) of a level in the test bases.
inline TestQuestion MakeQuestion(int level, int i) {
  const QString id = QString::number(level) + QLatin1Char('-') + QString::number(i);
  return {QStringLiteral("Вопрос ") + id + QStringLiteral(": что  здесь верно?"),
          {QStringLiteral("Верно ") + id, QStringLiteral("Мимо один ") + id,
           QStringLiteral("Мимо два ") + id, QStringLiteral("Мимо три ") + id}};
}

/// A game over a test folder with question bases, started as the window starts it.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { Start({6, 6, 6, 6, 6, 6, 6}); }

  /// A fresh game over bases holding `counts[level]` questions per level.
  void Start(const std::array<int, 7>& counts) {
    game.reset();
    dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir->isValid());
    QDir(dir->path()).mkdir(QStringLiteral("Data"));
    for (int level = 0; level < 7; ++level) {
      if (counts[level] == 0) continue;
      QList<TestQuestion> questions;
      for (int i = 1; i <= counts[level]; ++i) questions.append(MakeQuestion(level, i));
      QFile file(dir->path() + QStringLiteral("/Data/base.ol") + QString::number(level));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(BaseFile(questions, QStringLiteral("1999")));
    }
    platform = std::make_unique<ScriptedPlatform>();
    game = std::make_unique<Game>(*platform, measurer, dir->path(), &TestSheet);
    platform->game = game.get();
    game->Start();
  }

  Game& g() { return *game; }
  GameState& st() { return game->state(); }
  const Element& E(ElementId index) { return game->screen().element(index); }
  QString CaptionText(ElementId index) { return E(index).caption.text; }
  QString ColumnText(BoardColumn column) { return g().screen().board().column(column).text; }
  /// The row of its sheet an element shows now (0: never painted).
  int RowOf(ElementId index) {
    const QImage& face = E(index).face;
    if (face.isNull()) return 0;
    return qGreen(face.pixel(face.width() / 2, face.height() / 2));
  }
  int ColumnOf(ElementId index) {
    const QImage& face = E(index).face;
    return face.isNull() ? 0 : qRed(face.pixel(face.width() / 2, face.height() / 2));
  }
  QString WinnersPath() { return game->paths().winnersPath; }

  /// One tick, 100 ms after the last.
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      platform->time += 0.1;
      game->Tick();
    }
  }
  /// Ticks until the question on screen is fully shown.
  void RevealQuestion() {
    for (int i = 0; i < 1000 && !st().AnswersOpen; ++i) Tick();
    ASSERT_TRUE(st().AnswersOpen);
  }
  /// Chooses answer element `element` and runs the judging to its verdict.
  void AnswerWith(ElementId element) {
    game->ClickElement(element);
    Tick(48);
  }
  void AnswerRight() { AnswerWith(game->AnswerElement(1)); }
  void AnswerWrong() { AnswerWith(game->AnswerElement(2)); }
  /// A new game played right up to question `n`, fully shown.
  void PlayTo(int n) {
    game->KeyPressed(Qt::Key_F2);
    ASSERT_EQ(st().QuestionNumber, 1);
    for (int q = 1; q < n; ++q) {
      RevealQuestion();
      AnswerRight();
      ASSERT_EQ(st().QuestionNumber, q + 1);
    }
    RevealQuestion();
  }
  /// Sets up question `n` of a new game directly, fully shown: its sums and limit are
  /// those a game reaching it would have.
  void JumpTo(int n) {
    game->KeyPressed(Qt::Key_F2);
    ASSERT_EQ(st().QuestionNumber, 1);
    for (int q = 2; q <= n; ++q) {
      st().QuestionNumber = q;
      st().TaskActive[task::QuestionReveal] = false;
      game->PrepareQuestion();
    }
    RevealQuestion();
  }
  /// Question `n` prepared anew in the running game, as the verdict would.
  void PrepareAgain(int n) {
    st().AnswersOpen = false;
    st().TaskActive[task::QuestionClock] = false;
    st().QuestionNumber = n;
    game->PrepareQuestion();
  }
  void PressWith(Qt::KeyboardModifier modifier, int key) { game->KeyPressed(key, modifier); }

  std::unique_ptr<QTemporaryDir> dir;
  FakeMeasurer measurer;
  std::unique_ptr<ScriptedPlatform> platform;
  std::unique_ptr<Game> game;
};

#pragma once

#include <gtest/gtest.h>
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

#include <algorithm>
#include <cmath>
#include <memory>

#include "element_names.h"
#include "engine/game.h"
#include "screen/element_table.h"
#include "tests/game_test_access.h"
#include "tests/testing/fake_measurer.h"
#include "tests/testing/question_bases.h"
#include "tests/testing/scripted_platform.h"

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

using testbases::BaseFile;
using testbases::MakeQuestion;
using testbases::ScrambleFixed;
using testbases::TestQuestion;

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
    game = std::make_unique<Game>(*platform, measurer, dir->path(), &TestSheet, DataLocations{}, history);
    platform->game = game.get();
    game->Start();
  }

  Game& g() { return *game; }
  /// The game's model as the window reads it.
  const Round& round() { return game->CurrentRound(); }
  /// The way in for what a player reaches only through longer play.
  GameTestAccess setup() { return GameTestAccess(*game); }
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
    for (int i = 0; i < 1000 && !round().answersOpen; ++i) Tick();
    ASSERT_TRUE(round().answersOpen);
  }
  /// Chooses answer element `element` and runs the judging to its verdict.
  void AnswerWith(ElementId element) {
    game->ClickElement(element);
    Tick(Judging::TicksToVerdict());
  }
  void AnswerRight() { AnswerWith(game->AnswerElement(1)); }
  void AnswerWrong() { AnswerWith(game->AnswerElement(2)); }
  /// A new game played right up to question `n`, fully shown.
  void PlayTo(int n) {
    game->KeyPressed(Qt::Key_F2);
    ASSERT_EQ(round().question, 1);
    for (int q = 1; q < n; ++q) {
      RevealQuestion();
      AnswerRight();
      ASSERT_EQ(round().question, q + 1);
    }
    RevealQuestion();
  }
  /// Sets up question `n` of a new game directly, fully shown: its sums and limit are
  /// those a game reaching it would have.
  void JumpTo(int n) {
    game->KeyPressed(Qt::Key_F2);
    ASSERT_EQ(round().question, 1);
    for (int q = 2; q <= n; ++q) setup().SetUpRound({q});
    RevealQuestion();
  }
  /// Question `n` prepared anew in the running game, as the verdict would.
  void PrepareAgain(int n) { setup().SetUpRound({n}); }
  void PressWith(Qt::KeyboardModifier modifier, int key) { game->KeyPressed(key, modifier); }

  std::unique_ptr<QTemporaryDir> dir;
  /// Where the next Start keeps finished games; none: the game keeps none.
  GameHistory* history = nullptr;
  FakeMeasurer measurer;
  std::unique_ptr<ScriptedPlatform> platform;
  std::unique_ptr<Game> game;
};

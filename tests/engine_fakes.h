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

#include "engine/game.h"
#include "screen/element_table.h"
#include "tests/testing/fake_measurer.h"
#include "tests/testing/question_bases.h"
#include "tests/testing/scripted_platform.h"

/// Sheets of the right sizes made in memory; every cell is filled with a colour that
/// names it: red = column, green = row.
inline QImage TestSheet(int element) {
  struct Size {
    int width, height, columns, rows;
  };
  auto sizeOf = [](int e) -> Size {
    switch (e) {
      case 0: return {640, 480, 1, 1};
      case 1: return {473, 113, 1, 1};
      case 2: case 4: return {237, 204, 1, 4};
      case 3: case 5: return {236, 204, 1, 4};
      case 6: case 7: case 35: return {21, 63, 1, 3};
      case 8: return {577, 42, 1, 2};
      case 9: case 10: case 11: return {158, 268, 1, 4};
      case 12: case 26: return {166, 102, 1, 3};
      case 27: case 28: return {473, 149, 1, 1};
      case 29: return {434, 19, 1, 1};
      case 33: case 34: return {587, 25, 1, 1};
      case 36: return {451, 389, 1, 1};
      case 37: return {44, 389, 2, 1};
      case 38: case 39: return {22, 66, 1, 3};
      case 40: return {20, 120, 1, 3};
      case 41: return {473, 128 * kRecordPanelLooks, 1, kRecordPanelLooks};
      case 43: case 48: return {473, 128, 1, 1};
      case 42: case 44: case 49: return {473, 63, 1, 3};
      case 45: return {53, 100, 1, 4};
      case 46: return {225, 66, 1, 3};
      case 47: return {226, 66, 1, 3};
      case 50: return {451, 22, 1, 1};
      default:
        if (e >= 13 && e <= 25) return {166, 84, 1, 3};
        return {0, 0, 0, 0};
    }
  };
  const Size s = sizeOf(element);
  if (s.width == 0) return QImage();
  QImage sheet(s.width, s.height, QImage::Format_RGB32);
  for (int c = 1; c <= s.columns; ++c)
    for (int r = 1; r <= s.rows; ++r)
      for (int y = (r - 1) * s.height / s.rows; y < r * s.height / s.rows; ++y)
        for (int x = (c - 1) * s.width / s.columns; x < c * s.width / s.columns; ++x)
          sheet.setPixel(x, y, qRgb(c, r, 100));
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
    game = std::make_unique<Game>(*platform, measurer, dir->path(), &TestSheet);
    platform->game = game.get();
    game->Start();
  }

  Game& g() { return *game; }
  GameState& st() { return game->state(); }
  const Element& E(int index) { return game->screen().element(index); }
  QString CaptionText(int index) { return E(index).caption.text; }
  /// The row of its sheet an element shows now (0: never painted).
  int RowOf(int index) {
    const QImage& face = E(index).face;
    if (face.isNull()) return 0;
    return qGreen(face.pixel(face.width() / 2, face.height() / 2));
  }
  int ColumnOf(int index) {
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
  void AnswerWith(int element) {
    game->ClickElement(element);
    Tick(48);
  }
  void AnswerRight() { AnswerWith(game->AnswerElement(1)); }
  void AnswerWrong() { AnswerWith(game->AnswerElement(2)); }
  /// A new game played right up to question `n`, fully shown.
  void PlayTo(int n) {
    game->KeyPressed(vk::F2);
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
    game->KeyPressed(vk::F2);
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
  void PressWith(int modifier, int key) {
    game->KeyPressed(modifier);
    game->KeyPressed(key);
    game->KeyReleased(key);
    game->KeyReleased(modifier);
  }

  std::unique_ptr<QTemporaryDir> dir;
  FakeMeasurer measurer;
  std::unique_ptr<ScriptedPlatform> platform;
  std::unique_ptr<Game> game;
};

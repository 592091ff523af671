#pragma once

#include <QList>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QStringList>

#include "engine/game.h"
#include "engine/platform.h"
#include "tests/testing/info_box_fakes.h"
#include "tests/testing/random_fakes.h"
#include "tests/testing/sound_fakes.h"

/// A platform whose clock and draws the test sets and which remembers every window
/// request the game makes.
class ScriptedPlatform : public Platform {
 public:
  double SteadySeconds() override { return time; }
  RandomSource& Random() override { return *randomSource; }
  InfoBox& MessageBox() override { return box; }
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
  QDateTime NowUtc() override { return utcNow; }

  double time = 36000;  // 10:00:00
  /// The date a game ending now is kept with.
  QDateTime utcNow{QDate(2026, 12, 11), QTime(19, 30), Qt::UTC};
  ScriptedRandomSource random;
  RandomSource* randomSource = &random;
  ActingInfoBox box;
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

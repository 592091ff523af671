#pragma once

#include <QDateTime>
#include <QString>

#include "engine/sound_output.h"

class InfoBox;
class RandomSource;

/// Everything the game asks of the machine and the window around it. The Qt window
/// implements it; tests script it, so the clock and the draws are theirs to set.
class Platform {
 public:
  virtual ~Platform() = default;
  /// Seconds from a fixed point in the past, never stepped by clock changes (summer
  /// time, a time sync): what elapsed time is measured with.
  virtual double SteadySeconds() = 0;
  virtual RandomSource& Random() = 0;
  virtual InfoBox& MessageBox() = 0;
  /// Shows the popup menu modally with its top-left corner at a client position; a chosen
  /// item runs its command before this returns.
  virtual void PopupMenu(int x, int y) = 0;
  virtual void Minimise() = 0;
  /// Asks the window to close; the window runs `CloseRequested`.
  virtual void RequestClose() = 0;
  /// Neither minimised nor maximised.
  virtual bool WindowNormal() = 0;
  virtual void MoveWindowBy(qreal dx, qreal dy) = 0;
  /// Gives the keyboard focus to the name box.
  virtual void FocusNameBox() = 0;

  /// The date and time now, in UTC: when a finished game is kept, it is kept with it.
  virtual QDateTime NowUtc() { return QDateTime::currentDateTimeUtc(); }

  /// Where the game's sounds go. A platform without sound plays nothing; the game
  /// goes on the same.
  virtual SoundOutput& Sound() {
    static SilentSoundOutput silence;
    return silence;
  }
};

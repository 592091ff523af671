#include <cmath>
#include <cstdlib>

#include "engine/game.h"

using namespace Qt::StringLiterals;

namespace {

/// Two digits at least, the sign in front: -5 gives "-05".
QString TwoDigits(int value) {
  const QString digits = QString::number(std::abs(value)).rightJustified(2, u'0');
  return value < 0 ? u"-"_s + digits : digits;
}

}  // namespace

void Game::UpdateClock(ElementId index, float elapsed) {
  if (!m_clock.HasLimit()) {
    ShowClockWithoutLimit(index);
    return;
  }
  const QString separator = elapsed - std::trunc(elapsed) < 0.5f ? u":"_s : u" "_s;

  const Element& e = m_screen.element(index);
  const float full = float(e.fullWidth);
  const float span = full - (float(e.captionBox.width()) + float(e.captionBox.left()));
  const float limit = float(m_clock.Limit());
  // No question runs with a limit of 0; should one, its bar is simply full.
  m_screen.SetWidth(index, limit > 0.0f ? full - span + span / limit * elapsed : full);

  const int remaining = int(std::nearbyint(limit - elapsed));
  const QString text = QString::number(remaining / 60) + separator + TwoDigits(remaining % 60);
  if (text != m_screen.element(index).caption.text) m_screen.SetCaption(index, text, QString(), 0);

  m_clock.Show(elapsed);
}

void Game::ShowClockWithoutLimit(ElementId index) {
  // Time that is not kept does not pass on the strip: only the slot shows, and in it
  // the sign for "without end" instead of a countdown.
  const Element& e = m_screen.element(index);
  m_screen.SetWidth(index, float(e.captionBox.width() + e.captionBox.left()));
  m_screen.SetCaption(index, u"∞"_s, u"Время на ответ не ограничено"_s, 0);
  m_clock.Show(0);
}

void Game::QuestionClockStep() {
  // The player cannot answer while a box of the game's or a page waits for them; the
  // seconds it stands open are given back when it closes.
  if (m_clock.Held()) return;
  // Elapsed time comes from a steady clock: a late tick delays only the display, and
  // a step of the time of day (summer time, a time sync) does not touch the question.
  const float elapsed = m_clock.Read(m_platform.SteadySeconds());
  // Without a limit the question waits: the strip shows what it showed at the start.
  if (!m_clock.HasLimit()) return;
  UpdateClock(el::ClockBar, elapsed);
  if (!m_clock.TimeUp()) {
    TickLastSeconds(float(m_clock.Limit()) - elapsed);
    return;
  }
  m_clock.Stop();
  StopBed();
  PlayCue(Cue::TimeOut);
  EndGame(Ending::TimeOut);
}

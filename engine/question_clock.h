#pragma once

#include <algorithm>
#include <cmath>

#include "data/answer_time.h"

/// The time a question gives for its answer, on a steady clock. Boxes and pages in
/// front of the player hold it: it stands still from the first hold to the last
/// release, and the seconds it stood are given back.
class QuestionClock {
 public:
  /// Seconds the question gives; without a limit, what it would have given.
  int Limit() const { return m_limit; }
  /// The game's own `seconds` for the question, as the player's choice of time
  /// stretches them (or lifts them).
  void SetLimit(int seconds, AnswerTime time = AnswerTime::Normal) {
    m_limit = AnswerSeconds(seconds, time);
    m_limited = time != AnswerTime::Unlimited;
  }
  /// The question waits for its answer however long it takes when it has no limit.
  bool HasLimit() const { return m_limited; }
  /// More time, as the phone gives.
  void Extend(int seconds) { m_limit += seconds; }

  /// The question's time starts at `now` (steady seconds).
  void StartAt(double now) { m_start = now; }
  void Run() { m_running = true; }
  void Stop() { m_running = false; }
  bool Running() const { return m_running; }

  /// Steady seconds when the question's time started, moved on by the time it stood.
  double StartedAt() const { return m_start; }
  /// Reads the clock at `now`; returns the seconds gone.
  float Read(double now) {
    m_now = now;
    return float(m_now - m_start);
  }
  /// Steady seconds of the latest reading, never before the start.
  double ReadAt() const { return std::max(m_now, m_start); }
  /// The time shown is `elapsed`: the question's time is up when none is left.
  void Show(float elapsed) { m_timeUp = m_limited && float(m_limit) - elapsed <= 0.0f; }
  bool TimeUp() const { return m_timeUp; }
  /// Seconds left as the clock shows them; before the first reading none has gone.
  /// -1 when the question has no limit.
  int SecondsLeft() const {
    if (!m_limited) return -1;
    const double left = m_limit - std::max(0.0, m_now - m_start);
    return std::max(0, int(std::nearbyint(left)));
  }

  void Hold(double now) {
    if (m_holds++ == 0) m_heldSince = now;
  }
  void Release(double now) {
    if (m_holds == 0 || --m_holds > 0) return;
    // It stood still from the first hold, or from its own start when the question
    // finished appearing behind the box or page.
    m_start += now - std::max(m_heldSince, m_start);
  }
  /// A box or page is in front of the player.
  bool Held() const { return m_holds > 0; }

 private:
  int m_limit = 0;
  bool m_limited = true;
  double m_start = 0;
  double m_now = 0;
  bool m_timeUp = false;
  bool m_running = false;
  int m_holds = 0;
  double m_heldSince = 0;
};

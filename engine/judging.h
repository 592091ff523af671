#pragma once

#include <optional>

/// What the judging of a chosen answer shows at one of its beats.
enum class JudgingBeat {
  ShowChosen,   ///< the choice lights up; the lifelines' panels go
  ShowCorrect,  ///< the correct answer lights up
  BlinkOff,     ///< the correct answer goes dark between two of its flashes
  Verdict,      ///< the looks return to normal and the game moves on
};

/// The judging of a chosen answer: beats at fixed ticks after the choice, the correct
/// answer flashing four times before the verdict.
class Judging {
 public:
  /// Ticks from the choice to the verdict, the verdict's own included.
  static int TicksToVerdict();

  void Start() {
    m_running = true;
    m_ticks = 0;
  }
  void Stop() { m_running = false; }
  bool Running() const { return m_running; }
  /// Ticks run since the choice.
  int Ticks() const { return m_ticks; }
  /// One more tick: the beat that falls on it, if any.
  std::optional<JudgingBeat> Advance();
  /// The correct answer has been shown: what is spoken of the judging follows the screen.
  bool CorrectShown() const;

 private:
  bool m_running = false;
  int m_ticks = 0;
};

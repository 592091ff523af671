#pragma once

#include <algorithm>
#include <array>

/// The audience's bars growing to their shares, one per cent a tick.
class PollAnimation {
 public:
  /// Ticks the bars grow at most: a hundred per cent.
  static constexpr int kTicks = 100;

  /// The share of the answer in slot `slot` (1 = A … 4 = D), in per cent.
  int Share(int slot) const { return m_shares[std::size_t(std::clamp(slot, 1, 4) - 1)]; }
  int& Share(int slot) { return m_shares[std::size_t(std::clamp(slot, 1, 4) - 1)]; }

  /// The bars start from nothing; `takesPanel`: the first tick brings the poll's panel.
  void Start(bool takesPanel) {
    m_ticks = 0;
    m_running = true;
    m_takesPanel = takesPanel;
  }
  void Stop() { m_running = false; }
  bool Running() const { return m_running; }
  /// One more tick; returns how many have run.
  int Advance() { return ++m_ticks; }
  int Ticks() const { return m_ticks; }
  /// The width of a bar after `Ticks()`: its share, reached one per cent a tick.
  int BarNow(int slot) const { return std::min(m_ticks, Share(slot)); }
  /// Every bar has reached its share.
  bool Grown() const { return m_ticks >= *std::max_element(m_shares.begin(), m_shares.end()); }

  /// Whether the first tick brings the poll's panel: not when the phone was used after it.
  bool TakesPanel() const { return m_takesPanel; }
  void LeavePanel() { m_takesPanel = false; }

 private:
  std::array<int, 4> m_shares{};
  int m_ticks = 0;
  bool m_running = false;
  bool m_takesPanel = false;
};

#include "engine/judging.h"

#include <algorithm>
#include <array>

namespace {

struct Beat {
  int tick;  ///< counted from the choice
  JudgingBeat beat;
};

// Two seconds of suspense, then the correct answer flashes at an even pace.
constexpr std::array<Beat, 9> kBeats = {{
    {1, JudgingBeat::ShowChosen},
    {21, JudgingBeat::ShowCorrect},
    {30, JudgingBeat::BlinkOff},
    {33, JudgingBeat::ShowCorrect},
    {36, JudgingBeat::BlinkOff},
    {39, JudgingBeat::ShowCorrect},
    {42, JudgingBeat::BlinkOff},
    {45, JudgingBeat::ShowCorrect},
    {48, JudgingBeat::Verdict},
}};

constexpr int FirstTickOf(JudgingBeat beat) {
  for (const Beat& b : kBeats)
    if (b.beat == beat) return b.tick;
  return 0;
}

}  // namespace

int Judging::TicksToVerdict() { return kBeats.back().tick; }

std::optional<JudgingBeat> Judging::Advance() {
  const int tick = ++m_ticks;
  if (tick >= TicksToVerdict()) return JudgingBeat::Verdict;
  const auto beat = std::find_if(kBeats.begin(), kBeats.end(), [tick](const Beat& b) { return b.tick == tick; });
  if (beat == kBeats.end()) return std::nullopt;
  return beat->beat;
}

bool Judging::CorrectShown() const { return m_running && m_ticks >= FirstTickOf(JudgingBeat::ShowCorrect); }

// Every sound of the game, each written as a short score on the instruments.

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dsp.h"

namespace snd {

/// All cues share one loudness and stay under one ceiling.
constexpr double kTargetDb = -18.0;
constexpr double kCeilingDb = -1.5;

struct Cue {
  std::string name;  // the file is sounds/<name>.wav
  std::function<Track()> render;
};

const std::vector<Cue>& Cues();

}  // namespace snd

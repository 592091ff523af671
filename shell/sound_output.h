// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sound_cue.h"

/// Where the window sends the game's sounds; tests record them instead.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void Play(Cue sting) = 0;
  virtual void StartBed(Cue bed) = 0;
  virtual void StopBed() = 0;
  virtual void StartMurmur(Cue murmur) = 0;
  virtual void StopMurmur() = 0;
};

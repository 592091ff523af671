// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/sound_cue.h"

/// Where the game's sounds go: the window's speakers, or a test's record of them.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  /// Plays a sting once, over whatever else sounds; it must start at once, unless the
  /// cue it waits for (CueWaitsFor) still sounds.
  virtual void Play(Cue sting) = 0;
  /// Makes `bed` the music loop: the music playing fades out as it fades in. Never
  /// called twice in a row with the same bed.
  virtual void StartBed(Cue bed) = 0;
  /// Fades the music out.
  virtual void StopBed() = 0;
  /// Voices looping over the music; they replace any voices talking.
  virtual void StartMurmur(Cue murmur) = 0;
  virtual void StopMurmur() = 0;
  /// Muted, nothing sounds and stings are dropped, but the music and voices asked
  /// for meanwhile are kept, to resume where they stood once unmuted. An output
  /// muted from the start loads nothing.
  virtual void SetMuted(bool muted) = 0;
};

/// A machine without sound, and tests that must not make any.
class SilentSoundOutput : public SoundOutput {
 public:
  void Play(Cue) override {}
  void StartBed(Cue) override {}
  void StopBed() override {}
  void StartMurmur(Cue) override {}
  void StopMurmur() override {}
  void SetMuted(bool) override {}
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/sound_cue.h"

/// The game's own mixer: every sound is a voice with its gain and fade, summed into
/// one mono stream that a single output stream plays for the whole run. A sting
/// therefore starts at the first sample rendered after it is asked for, however
/// often it has played; mute is one short ramp over the sum. The game's thread asks
/// for sounds while the output's thread renders, so both sides take the lock.
class SoundMixer {
 public:
  static constexpr int kRate = 44100;

  /// The samples of a cue, full scale ±1; a cue without them is never heard.
  void SetClip(Cue cue, std::vector<float> samples);

  void Play(Cue sting);
  /// The bed plays on if it is the one sounding; another cross-fades with it.
  void StartBed(Cue bed);
  void StopBed();
  void StartMurmur(Cue murmur);
  void StopMurmur();
  /// Fades everything out within a few milliseconds and holds the loops where they
  /// stand; stings sounding then are dropped, and new ones are not started.
  void SetMuted(bool muted);
  /// Forgets the stings, which belong to their moment; the loops stay where they stand.
  void DropStings();

  /// The next `frames` samples of the mix.
  void Render(int16_t* out, qsizetype frames);

 private:
  struct Voice {
    Cue cue;
    qsizetype position = 0;
    float level = 0;       ///< of its fade, 0 silent … 1 full
    float target = 1;      ///< where the fade goes; a voice that reaches 0 there ends
    float step = 1;        ///< level change per sample
    bool waiting = false;  ///< held back until what it waits for has sounded
  };

 public:
  /// Everything the samples to come depend on, besides the clips: where each voice
  /// stands, the mute and the ceiling. An output that has sent the mix ahead keeps
  /// these, so that a request can be heard from a moment still to be played rather
  /// than after all that was sent.
  struct State {
    std::vector<Voice> voices;
    bool muted = false;
    float master = 1;
    float limit = 1;
  };
  State Saved();
  void Restore(const State& state);

 private:
  /// Starts or resumes the loop `keep` of [first, last] and fades the others out.
  void FadeLoops(Cue first, Cue last, std::optional<Cue> keep, int fadeInMs, int fadeOutMs);
  void ForgetStings();
  /// Samples until every sting that `cue` waits for has sounded whole; 0 when none sounds.
  qsizetype RemainingBefore(Cue cue) const;
  const std::vector<float>& ClipOf(Cue cue) const { return m_clips[std::size_t(cue)]; }

  std::mutex m_lock;
  std::array<std::vector<float>, kCueCount> m_clips;
  std::vector<Voice> m_voices;
  bool m_muted = false;
  float m_master = 1;  ///< the mute's ramp, 1 heard … 0 silent
  float m_limit = 1;   ///< the ceiling's gain on the sum
  std::vector<float> m_sum;
};

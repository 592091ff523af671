// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/sound_mixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kBedCrossFadeMs = 1500;
constexpr int kBedFadeOutMs = 700;
// Voices answer their key at once and trail off softly.
constexpr int kMurmurFadeInMs = 30;
constexpr int kMurmurFadeOutMs = 300;
// Peaks between samples rise above the samples themselves; 1.5 dB below full scale
// leaves them a margin.
constexpr float kCeiling = 0.84f;
constexpr int kLimiterReleaseMs = 300;
// Short enough to feel instant, long enough that cutting a loud chord does not click.
constexpr int kMuteRampMs = 12;

// The files share one loudness; the music sits under the stings and the voices
// between them, as on a broadcast. The clock's tick is a sharp click that would
// otherwise stand out over the bed and reach full scale with it.
float GainOf(Cue cue) {
  if (cue <= Cue::BedStage3) return 0.45f;
  if (cue <= Cue::AudienceMurmur) return 0.6f;
  if (cue == Cue::ClockTick) return 0.5f;
  return 0.85f;
}

float StepFor(int ms) { return 1.0f / (float(SoundMixer::kRate) * float(ms) / 1000.0f); }

}  // namespace

void SoundMixer::SetClip(Cue cue, std::vector<float> samples) {
  const std::lock_guard lock(m_lock);
  m_clips[std::size_t(cue)] = std::move(samples);
}

void SoundMixer::Play(Cue sting) {
  const std::lock_guard lock(m_lock);
  // A sting asked for while muted belongs to a moment nobody heard.
  if (m_muted || ClipOf(sting).empty()) return;
  Voice voice{sting};
  voice.level = 1;
  voice.waiting = RemainingBefore(sting) > 0;
  m_voices.push_back(voice);
}

void SoundMixer::StartBed(Cue bed) {
  const std::lock_guard lock(m_lock);
  FadeLoops(Cue::Theme, Cue::BedStage3, bed, kBedCrossFadeMs, kBedFadeOutMs);
}

void SoundMixer::StopBed() {
  const std::lock_guard lock(m_lock);
  FadeLoops(Cue::Theme, Cue::BedStage3, std::nullopt, kBedCrossFadeMs, kBedFadeOutMs);
}

void SoundMixer::StartMurmur(Cue murmur) {
  const std::lock_guard lock(m_lock);
  FadeLoops(Cue::PhoneMurmur, Cue::AudienceMurmur, murmur, kMurmurFadeInMs, kMurmurFadeOutMs);
}

void SoundMixer::StopMurmur() {
  const std::lock_guard lock(m_lock);
  FadeLoops(Cue::PhoneMurmur, Cue::AudienceMurmur, std::nullopt, kMurmurFadeInMs, kMurmurFadeOutMs);
}

void SoundMixer::SetMuted(bool muted) {
  const std::lock_guard lock(m_lock);
  m_muted = muted;
}

void SoundMixer::DropStings() {
  const std::lock_guard lock(m_lock);
  ForgetStings();
}

void SoundMixer::ForgetStings() {
  std::erase_if(m_voices, [](const Voice& voice) { return !CueLoops(voice.cue); });
}

SoundMixer::State SoundMixer::Saved() {
  const std::lock_guard lock(m_lock);
  return {m_voices, m_muted, m_master, m_limit};
}

void SoundMixer::Restore(const State& state) {
  const std::lock_guard lock(m_lock);
  m_voices = state.voices;
  m_muted = state.muted;
  m_master = state.master;
  m_limit = state.limit;
}

void SoundMixer::FadeLoops(Cue first, Cue last, std::optional<Cue> keep, int fadeInMs, int fadeOutMs) {
  // While muted nothing new is heard, so the moment's loop is simply the one that
  // stands ready, at full level, for the unmute.
  const bool silent = m_muted;
  bool kept = false;
  for (Voice& voice : m_voices) {
    if (voice.cue < first || voice.cue > last) continue;
    if (voice.cue == keep) {
      kept = true;
      voice.target = 1;
      voice.step = StepFor(fadeInMs);
      if (silent) voice.level = 1;
    } else {
      voice.target = 0;
      voice.step = StepFor(fadeOutMs);
      if (silent || voice.waiting) voice.level = 0;
    }
  }
  std::erase_if(m_voices, [&](const Voice& voice) {
    return voice.cue >= first && voice.cue <= last && voice.level == 0 && voice.target == 0;
  });
  // A loop asked for before its sound is loaded stands ready and starts with it.
  if (kept || !keep) return;
  Voice voice{*keep};
  voice.level = silent ? 1 : 0;
  voice.step = StepFor(fadeInMs);
  voice.waiting = RemainingBefore(*keep) > 0;
  m_voices.push_back(voice);
}

qsizetype SoundMixer::RemainingBefore(Cue cue) const {
  qsizetype remaining = 0;
  if (!CueMayWait(cue)) return remaining;
  for (const Voice& voice : m_voices)
    if (CueWaitsFor(cue, voice.cue) && !CueLoops(voice.cue))
      remaining = std::max(remaining, qsizetype(ClipOf(voice.cue).size()) - voice.position);
  return remaining;
}

void SoundMixer::Render(int16_t* out, qsizetype frames) {
  const std::lock_guard lock(m_lock);
  if (m_muted && m_master == 0) {
    // Held: the loops wait where they stand, the stings are gone.
    ForgetStings();
    std::fill(out, out + frames, int16_t(0));
    return;
  }
  m_sum.assign(std::size_t(frames), 0.0f);
  // Where each waited-for sting ends, taken before any voice moves on in this block.
  std::array<qsizetype, kCueCount> endsAt{};
  for (int c = 0; c < kCueCount; ++c) endsAt[std::size_t(c)] = RemainingBefore(Cue(c));

  for (Voice& voice : m_voices) {
    const std::vector<float>& clip = ClipOf(voice.cue);
    const qsizetype size = qsizetype(clip.size());
    const bool loops = CueLoops(voice.cue);
    if (size == 0) continue;
    const float gain = GainOf(voice.cue);
    qsizetype i = 0;
    if (voice.waiting) {
      const qsizetype wait = endsAt[std::size_t(voice.cue)];
      if (wait >= frames) continue;
      voice.waiting = false;
      i = wait;
    }
    for (; i < frames; ++i) {
      if (voice.position >= size) {
        if (!loops) break;
        voice.position = 0;
      }
      if (voice.level != voice.target) {
        voice.level = voice.level < voice.target ? std::min(voice.target, voice.level + voice.step)
                                                 : std::max(voice.target, voice.level - voice.step);
      }
      // Equal power: two crossing loops keep their joint loudness through the fade.
      const float shape = voice.level == 1 ? 1.0f : float(std::sin(voice.level * std::numbers::pi / 2));
      m_sum[std::size_t(i)] += clip[std::size_t(voice.position++)] * gain * shape;
      if (voice.level == 0 && voice.target == 0) break;
    }
  }
  std::erase_if(m_voices, [this](const Voice& voice) {
    const bool faded = voice.level == 0 && voice.target == 0;
    const bool over = !CueLoops(voice.cue) && !voice.waiting && voice.position >= qsizetype(ClipOf(voice.cue).size());
    return faded || over;
  });

  const float rampStep = StepFor(kMuteRampMs);
  const float releaseStep = StepFor(kLimiterReleaseMs);
  for (qsizetype i = 0; i < frames; ++i) {
    m_master = m_muted ? std::max(0.0f, m_master - rampStep) : std::min(1.0f, m_master + rampStep);
    const float sample = m_sum[std::size_t(i)] * m_master;
    // A loud sting over the bed must not reach full scale: the gain comes down at
    // once to hold the ceiling and recovers slowly, so that it never buzzes.
    m_limit = std::min(1.0f, m_limit + releaseStep);
    if (std::abs(sample) * m_limit > kCeiling) m_limit = kCeiling / std::abs(sample);
    out[i] = int16_t(std::lrint(sample * m_limit * 32767.0f));
  }
}

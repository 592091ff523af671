// The game's mixer, rendered by hand: every play of a cue sounds from its first
// sample, a cue that must not sound over another starts on the other's last sample,
// mute is silent within milliseconds without a step, and the beds flow.
#include <gtest/gtest.h>
#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "shell/sound_mixer.h"
#include "shell/wav_clip.h"

namespace {

constexpr qsizetype kMs = SoundMixer::kRate / 1000;

std::vector<float> Constant(qsizetype length, float value) { return std::vector<float>(std::size_t(length), value); }

/// A loop whose sample tells how far it has played.
std::vector<float> Ramp(qsizetype length) {
  std::vector<float> clip(static_cast<std::size_t>(length));
  for (qsizetype i = 0; i < length; ++i) clip[std::size_t(i)] = float(i) / float(length);
  return clip;
}

/// Renders `frames` samples in the uneven blocks an output stream asks for.
std::vector<int16_t> Render(SoundMixer& mixer, qsizetype frames) {
  std::vector<int16_t> out(static_cast<std::size_t>(frames));
  for (qsizetype at = 0, block = 37; at < frames; at += block, block = block * 7 % 499 + 13)
    mixer.Render(out.data() + at, std::min(block, frames - at));
  return out;
}

qsizetype FirstSound(const std::vector<int16_t>& out, qsizetype from = 0) {
  for (qsizetype i = from; i < qsizetype(out.size()); ++i)
    if (out[std::size_t(i)] != 0) return i;
  return -1;
}

int LargestStep(const std::vector<int16_t>& out) {
  int step = 0;
  for (std::size_t i = 1; i < out.size(); ++i) step = std::max(step, std::abs(out[i] - out[i - 1]));
  return step;
}

}  // namespace

TEST(SoundMixerTest, EveryPlayOfAStingSoundsFromTheFirstSampleRenderedAfterIt) {
  SoundMixer mixer;
  mixer.SetClip(Cue::LockIn, Constant(100, 0.5f));
  for (int play = 1; play <= 300; ++play) {
    Render(mixer, 150);  // the last play has ended
    mixer.Play(Cue::LockIn);
    const std::vector<int16_t> out = Render(mixer, 150);
    ASSERT_EQ(FirstSound(out), 0) << "play " << play;
    ASSERT_EQ(FirstSound(out, 100), -1) << "play " << play << " rang on";
  }
}

TEST(SoundMixerTest, ACueThatMustNotSoundOverAnotherStartsOnItsLastSample) {
  struct Case {
    Cue first, waiting;
  };
  for (const Case c : {Case{Cue::Right, Cue::Reveal}, Case{Cue::Milestone, Cue::Reveal},
                       Case{Cue::Million, Cue::Record}, Case{Cue::PhoneRing, Cue::PhoneMurmur}}) {
    SCOPED_TRACE(CueName(c.waiting).toStdString());
    SoundMixer mixer;
    mixer.SetClip(c.first, Constant(1000, 0.25f));
    mixer.SetClip(c.waiting, Constant(4000, -0.25f));
    mixer.Play(c.first);
    Render(mixer, 300);
    if (CueLoops(c.waiting)) {
      mixer.StartMurmur(c.waiting);
    } else {
      mixer.Play(c.waiting);
    }
    const std::vector<int16_t> out = Render(mixer, 2000);
    EXPECT_TRUE(std::all_of(out.begin(), out.begin() + 700, [](int16_t s) { return s > 0; }));
    // A loop fades in from silence, so its first sample may still round to zero.
    const auto waited = std::find_if(out.begin(), out.end(), [](int16_t s) { return s <= 0; });
    EXPECT_EQ(waited - out.begin(), 700);
    EXPECT_LT(*std::find_if(out.begin() + 700, out.end(), [](int16_t s) { return s != 0; }), 0);
  }

  // With nothing to wait for it starts at once.
  SoundMixer mixer;
  mixer.SetClip(Cue::Reveal, Constant(100, 0.25f));
  mixer.Play(Cue::Reveal);
  EXPECT_EQ(FirstSound(Render(mixer, 50)), 0);
}

TEST(SoundMixerTest, MuteSilencesEverythingWithinMillisecondsWithoutAStepAndUnmuteResumesTheBedInPlace) {
  SoundMixer mixer;
  mixer.SetClip(Cue::BedStage1, Ramp(3 * SoundMixer::kRate));
  mixer.SetClip(Cue::PhoneRing, Constant(SoundMixer::kRate, 0.5f));
  mixer.StartBed(Cue::BedStage1);
  Render(mixer, 2 * SoundMixer::kRate);  // faded in, well into the loop
  const std::vector<int16_t> bed = Render(mixer, 1000);
  const double slope = double(bed.back() - bed.front()) / 999.0;  // one sample of the bed, at full level
  ASSERT_GT(slope, 0.05);
  const double stoodAt = double(bed.back()) / slope;
  mixer.Play(Cue::PhoneRing);
  const std::vector<int16_t> before = Render(mixer, 10);

  mixer.SetMuted(true);
  mixer.Play(Cue::Reveal);  // asked for while muted: never heard
  const std::vector<int16_t> muted = Render(mixer, 500 * kMs);
  const qsizetype silentFrom =
      qsizetype(std::find_if(muted.rbegin(), muted.rend(), [](int16_t s) { return s != 0; }).base() - muted.begin());
  EXPECT_LE(silentFrom, 20 * kMs) << "silent after " << silentFrom / kMs << " ms";
  // The loud ring and the bed go down in a ramp, not a cliff.
  EXPECT_LT(std::abs(muted[0] - before[9]), 800);
  EXPECT_LT(LargestStep(muted), 800);

  mixer.SetMuted(false);
  const std::vector<int16_t> back = Render(mixer, 100 * kMs);
  EXPECT_LT(std::abs(back[0]), 800);
  EXPECT_LT(LargestStep(back), 800);
  // Past the ramp the bed alone sounds, from where it stood when the mute began:
  // no ring, and not its opening again.
  const double resumedAt = double(back[50 * kMs]) / slope;
  EXPECT_GT(resumedAt, stoodAt);
  EXPECT_LT(resumedAt, stoodAt + 70.0 * kMs);
}

TEST(SoundMixerTest, TheBedRunsOnWhenAskedForAgainAndCrossFadesToTheNextStage) {
  SoundMixer mixer;
  mixer.SetClip(Cue::BedStage1, Ramp(10 * SoundMixer::kRate));
  mixer.SetClip(Cue::BedStage2, Constant(SoundMixer::kRate, -0.5f));
  mixer.StartBed(Cue::BedStage1);
  Render(mixer, 2 * SoundMixer::kRate);
  const int16_t stood = Render(mixer, 1)[0];
  mixer.StartBed(Cue::BedStage1);
  EXPECT_GE(Render(mixer, 1)[0], stood) << "started over from its opening";

  mixer.StartBed(Cue::BedStage2);
  const std::vector<int16_t> fade = Render(mixer, 3 * SoundMixer::kRate);
  EXPECT_GT(fade[0], 0) << "the old bed fades, it does not stop";
  EXPECT_LT(LargestStep(fade), 200);
  EXPECT_TRUE(std::all_of(fade.begin() + 2 * SoundMixer::kRate, fade.end(), [&](int16_t s) {
    return s == fade.back();
  })) << "only the new bed is left, at its full level";
  EXPECT_LT(fade.back(), 0);

  mixer.StopBed();
  const std::vector<int16_t> end = Render(mixer, SoundMixer::kRate);
  EXPECT_EQ(end.back(), 0);
  EXPECT_LT(LargestStep(end), 200);
}

TEST(SoundMixerTest, MusicAskedForBeforeItsSoundIsLoadedOrWhileMutedWaitsReady) {
  SoundMixer mixer;
  mixer.SetMuted(true);
  mixer.StartBed(Cue::Theme);
  EXPECT_EQ(FirstSound(Render(mixer, 1000)), -1);
  mixer.SetClip(Cue::Theme, Constant(SoundMixer::kRate, 0.5f));
  EXPECT_EQ(FirstSound(Render(mixer, 1000)), -1) << "muted";
  mixer.SetMuted(false);
  const std::vector<int16_t> out = Render(mixer, 100 * kMs);
  EXPECT_EQ(FirstSound(out), 0);
  EXPECT_EQ(out.back(), out[out.size() - 2]) << "at its full level once the unmute's ramp is over";
}

TEST(WavClipTest, OnlyTheShippedKindOfFileGivesSamples) {
  const auto wav = [](int format, int channels, int rate, int bits, const QByteArray& extra) {
    QByteArray file("RIFF....WAVE");
    file += extra;
    QByteArray fmt(16, '\0');
    qToLittleEndian<quint16>(quint16(format), fmt.data());
    qToLittleEndian<quint16>(quint16(channels), fmt.data() + 2);
    qToLittleEndian<quint32>(quint32(rate), fmt.data() + 4);
    qToLittleEndian<quint16>(quint16(bits), fmt.data() + 14);
    file += "fmt " + QByteArray("\x10\0\0\0", 4) + fmt;
    file += "data" + QByteArray("\x04\0\0\0", 4) + QByteArray("\x00\x40\x00\xC0", 4);
    qToLittleEndian<quint32>(quint32(file.size() - 8), file.data() + 4);
    return file;
  };
  const std::vector<float> samples = ClipFromWav(wav(1, 1, 44100, 16, QByteArray("LIST\x03\0\0\0abc\0", 12)));
  EXPECT_EQ(samples, (std::vector<float>{0.5f, -0.5f})) << "an odd chunk of its own is skipped with its pad byte";

  struct Case {
    const char* why;
    QByteArray file;
  };
  QByteArray cut = wav(1, 1, 44100, 16, {});
  cut.chop(2);
  for (const Case& c : {Case{"float samples", wav(3, 1, 44100, 32, {})}, Case{"stereo", wav(1, 2, 44100, 16, {})},
                        Case{"another rate", wav(1, 1, 48000, 16, {})}, Case{"8-bit", wav(1, 1, 44100, 8, {})},
                        Case{"cut short", cut}, Case{"no header", QByteArray("RIFF")}}) {
    SCOPED_TRACE(c.why);
    EXPECT_TRUE(ClipFromWav(c.file).empty());
  }
}

TEST(SoundMixerTest, AMixTakenBackToASavedMomentPlaysOnAsItDidAndAChangeThereSoundsFromThere) {
  SoundMixer mixer;
  mixer.SetClip(Cue::BedStage1, Ramp(700));
  mixer.SetClip(Cue::BedStage2, Constant(900, -0.3f));
  mixer.SetClip(Cue::Right, Constant(2500, 0.4f));
  mixer.SetClip(Cue::Reveal, Constant(1200, 0.2f));
  mixer.SetClip(Cue::LockIn, Constant(500, 0.6f));
  mixer.StartBed(Cue::BedStage1);
  Render(mixer, 3000);
  // Mid-way through a cross-fade, a sting, a sting waiting for it, and the mute's ramp.
  mixer.StartBed(Cue::BedStage2);
  mixer.Play(Cue::Right);
  mixer.Play(Cue::Reveal);
  Render(mixer, 400);
  mixer.SetMuted(true);
  Render(mixer, 3 * kMs);
  const SoundMixer::State moment = mixer.Saved();
  mixer.SetMuted(false);
  const std::vector<int16_t> first = Render(mixer, 6000);

  mixer.Restore(moment);
  mixer.SetMuted(false);
  EXPECT_EQ(Render(mixer, 6000), first);

  mixer.Restore(moment);
  mixer.SetMuted(false);
  mixer.Play(Cue::LockIn);
  const std::vector<int16_t> changed = Render(mixer, 6000);
  EXPECT_NE(changed[0], first[0]) << "the sting added at the moment sounds from its first sample";
  EXPECT_NE(changed, first);
}

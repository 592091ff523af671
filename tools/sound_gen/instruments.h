// The instruments the cues are played on. Each renders one note, release and all,
// into a buffer that starts at the note's onset.

#pragma once

#include "dsp.h"

namespace snd {

/// Detuned saws through a gentle low-pass: strings and synth pads.
struct PadTone {
  int voices = 3;
  double detuneCents = 9;
  double cutoff = 1600;
  Adsr env{0.35, 0.6, 0.8, 0.9};
  double vibratoHz = 4.8, vibratoCents = 0;
  double tremoloHz = 0, tremoloDepth = 0;  // bowed tremolo for tense beds
};
Buffer Pad(double hz, double hold, const PadTone& tone, Rng& rng);

/// Two saws whose filter opens on the attack, as a brass section speaks.
/// bendSemis slides the pitch over the note (a falling "wrong" chord).
struct BrassTone {
  double brightness = 6;  // cutoff at the peak of the attack, in multiples of the pitch
  Adsr env{0.04, 0.3, 0.75, 0.35};
  double bendSemis = 0;
  double bendSeconds = 1;
};
Buffer Brass(double hz, double hold, const BrassTone& tone, Rng& rng);

/// Two-operator FM: ratio 3.5 rings like a bell, 1 like an electric piano,
/// an inharmonic ratio like a tolling clock. decay is the time to fade by 60 dB.
Buffer Bell(double hz, double decay, double ratio = 3.5, double index = 2.5);
/// An electric-piano tone that can be held and released.
Buffer Keys(double hz, double hold, double release = 0.4);

Buffer Bass(double hz, double hold, double brightness = 4, double release = 0.12);
Buffer Timpani(double hz, double decay = 1.2);
Buffer Kick(double decay = 0.35);
Buffer Hat(double decay, Rng& rng);
/// Filtered noise: a cymbal swell when rising, a crash when it decays.
Buffer Cymbal(double seconds, bool swell, Rng& rng);
/// Noise through a band-pass swept from one centre to another; the body of
/// risers and whooshes. Amplitude follows a smooth arch peaking at `peakAt` (0..1).
Buffer Sweep(double seconds, double fromHz, double toHz, double q, double peakAt, Rng& rng);
Buffer SubDrop(double fromHz, double toHz, double seconds);
Buffer Woodblock(double hz, double decay);

/// One spoken syllable: a glottal pulse train with a pitch glide through three
/// vowel formants moving from one vowel to another, with an optional consonant.
struct Vowel {
  double f1, f2, f3;
};
Vowel VowelOf(char v);
Buffer Syllable(double f0From, double f0To, double seconds, Vowel from, Vowel to, bool consonant, Rng& rng);

}  // namespace snd

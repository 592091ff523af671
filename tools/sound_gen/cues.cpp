#include "cues.h"

#include <cmath>

#include "instruments.h"

namespace snd {

namespace {

using Notes = std::vector<int>;

// One chord of the pad; notes are MIDI numbers, voiced as written.
void PadChord(Track& t, double at, double hold, const Notes& notes, const PadTone& tone, double gain, Rng& rng) {
  for (int n : notes) t.Add(Pad(MidiHz(n), hold, tone, rng), at, gain);
}

void BrassChord(Track& t, double at, double hold, const Notes& notes, const BrassTone& tone, double gain, Rng& rng) {
  for (int n : notes) t.Add(Brass(MidiHz(n), hold, tone, rng), at, gain);
}

// A chord struck from the bottom up, `spread` seconds between notes.
void Strum(Track& t, double at, double spread, const Notes& notes, double decay, double ratio, double index,
           double gain) {
  for (std::size_t i = 0; i < notes.size(); ++i)
    t.Add(Bell(MidiHz(notes[i]), decay, ratio, index), at + spread * double(i), gain);
}

void Mix(Track& into, const Track& part, double gain) { into.Add(part.s, 0, gain); }

// The beds and the theme share one arrangement: chords on a pad, a bass figure,
// an arpeggio and a groove, one chord per bar of four beats.
struct Bar {
  Notes chord;  // pad voicing
  Notes arp;    // tones the arpeggio walks over, low to high
  int bass;     // root
};

// ---------------------------------------------------------------- the theme

Track Theme() {
  const double beat = 0.6;  // 100 beats a minute
  Track t(16 * beat, true), bells(16 * beat, true);
  Rng rng(0x7e3e);
  // D minor, a falling line of chords, i – VI – iv – V, that ends on the dominant
  // so every turn of the loop pulls into the next.
  const Bar bars[4] = {
      {{50, 57, 62, 65, 69}, {74, 77, 81, 86}, 38},
      {{46, 53, 58, 62, 65}, {70, 74, 77, 82}, 34},
      {{43, 50, 55, 58, 62}, {67, 70, 74, 79}, 31},
      {{45, 52, 57, 61, 64}, {69, 73, 76, 81}, 33},
  };
  const PadTone pad{3, 10, 2400, {0.25, 0.8, 0.85, 0.8}, 4.8, 6};
  const int arpOrder[8] = {0, 2, 1, 3, 2, 1, 3, 2};
  const double bassBeats[6] = {0, 0.75, 1.5, 2, 2.75, 3.5};
  const int bassOctave[6] = {0, 0, 12, 0, 0, 12};
  for (int b = 0; b < 4; ++b) {
    const double bar = 4 * beat * b;
    if (b == 3) {
      // The dominant arrives suspended and resolves halfway through the bar.
      PadChord(t, bar, 2 * beat, {45, 52, 57, 62, 64}, pad, 0.11, rng);
      PadChord(t, bar + 2 * beat, 2 * beat - 0.05, bars[b].chord, pad, 0.11, rng);
    } else {
      PadChord(t, bar, 4 * beat - 0.05, bars[b].chord, pad, 0.11, rng);
    }
    for (int k = 0; k < 6; ++k)
      t.Add(Bass(MidiHz(bars[b].bass + bassOctave[k]), 0.3 * beat, 4.5), bar + bassBeats[k] * beat, 0.32);
    for (int k = 0; k < 8; ++k)
      bells.Add(Bell(MidiHz(bars[b].arp[std::size_t(arpOrder[k])]), 1.1, 2.0, 1.4), bar + k * 0.5 * beat,
                k % 2 ? 0.07 : 0.1);
    for (int k = 0; k < 8; ++k) t.Add(Hat(k % 2 ? 0.09 : 0.05, rng), bar + k * 0.5 * beat, k % 2 ? 0.06 : 0.035);
    t.Add(Kick(0.4), bar, 0.45);
    t.Add(Kick(0.4), bar + 2 * beat, 0.35);
  }
  // The tune on brass, over the chords.
  const struct {
    int note;
    double at, beats;
  } tune[] = {{69, 0, 2}, {74, 2, 1},  {77, 3, 1},  {77, 4, 2},  {74, 6, 1},  {70, 7, 1},
              {70, 8, 2}, {74, 10, 1}, {79, 11, 1}, {81, 12, 2}, {76, 14, 1}, {73, 15, 1}};
  const BrassTone lead{5.5, {0.03, 0.3, 0.7, 0.2}};
  for (const auto& n : tune) {
    t.Add(Brass(MidiHz(n.note), n.beats * beat - 0.08, lead, rng), n.at * beat, 0.2);
    t.Add(Brass(MidiHz(n.note - 12), n.beats * beat - 0.08, lead, rng), n.at * beat, 0.1);
  }
  t.Add(Timpani(MidiHz(38), 1.4), 0, 0.25);
  t.Add(Timpani(MidiHz(43), 1.4), 8 * beat, 0.2);
  // A cymbal swells into the top of the loop and crashes there.
  t.Add(Cymbal(2 * beat, true, rng), 14 * beat, 0.12);
  t.Add(Cymbal(1.6, false, rng), 0, 0.08);
  AddEcho(bells, 0.75 * beat, 0.35, 0.45, 2500);
  Mix(t, bells, 1.0);
  AddReverb(t, 0.35, 0.8);
  return t;
}

// ---------------------------------------------------------------- the beds

// Questions 1–5: calm, low, a slow pulse, soft colours in A minor.
Track BedStage1() {
  const double beat = 60.0 / 105;
  Track t(16 * beat, true), keys(16 * beat, true);
  Rng rng(0xbed1);
  const Bar bars[4] = {
      {{45, 52, 55, 60, 64, 71}, {64, 67, 69, 71, 72}, 33},
      {{41, 48, 52, 57, 60, 67}, {60, 64, 65, 67, 69}, 29},
      {{38, 45, 53, 60, 64, 69}, {62, 64, 65, 69, 72}, 38},
      {{40, 47, 52, 57, 59, 64}, {59, 64, 68, 71, 74}, 28},
  };
  const PadTone pad{3, 8, 1100, {0.7, 1.0, 0.85, 1.2}, 4.5, 4};
  const int arp[8] = {0, 2, 4, 2, 1, 3, 4, 3};
  for (int b = 0; b < 4; ++b) {
    const double bar = 4 * beat * b;
    PadChord(t, bar, 4 * beat - 0.1, bars[b].chord, pad, 0.09, rng);
    if (b == 3) PadChord(t, bar + 2 * beat, 2 * beat - 0.1, {56, 62}, pad, 0.09, rng);  // sus4 → dominant 7th
    t.Add(Bass(MidiHz(bars[b].bass), 3.6 * beat, 1.2, 0.5), bar, 0.32);
    for (int k = 0; k < 8; ++k)
      keys.Add(Keys(MidiHz(bars[b].arp[std::size_t(arp[k])]), 0.4 * beat, 0.5), bar + k * 0.5 * beat,
               k % 2 ? 0.06 : 0.09);
    for (int k = 0; k < 8; ++k) t.Add(Hat(0.05, rng), bar + k * 0.5 * beat, k % 2 ? 0.025 : 0.012);
    t.Add(Kick(0.45), bar, 0.3);
  }
  AddEcho(keys, 0.75 * beat, 0.3, 0.35, 2200);
  Mix(t, keys, 1.0);
  AddReverb(t, 0.45, 0.85);
  return t;
}

// Questions 6–10: quicker, an eighth-note bass, a clock on the off-beats, a
// string line that climbs and leans on the flat ninth. C minor.
Track BedStage2() {
  const double beat = 0.5;  // 120 beats a minute
  Track t(16 * beat, true), bells(16 * beat, true);
  Rng rng(0xbed2);
  const Bar bars[4] = {
      {{48, 55, 60, 63, 67}, {72, 75, 79, 84}, 36},
      {{44, 51, 55, 60, 63}, {68, 72, 75, 80}, 32},
      {{41, 48, 53, 56, 60, 63}, {65, 68, 72, 77}, 29},
      {{43, 50, 55, 59, 62, 65}, {67, 71, 74, 79}, 31},
  };
  const PadTone pad{3, 10, 1800, {0.3, 0.8, 0.8, 0.8}, 4.8, 5};
  const PadTone strings{4, 12, 3200, {0.4, 1.0, 0.9, 0.6}, 5.5, 14};
  const int bassOctave[8] = {0, 0, 12, 0, 0, 12, 0, 12};
  const int arp[8] = {0, 1, 2, 3, 2, 1, 2, 3};
  const int line[4] = {79, 80, 80, 83};
  for (int b = 0; b < 4; ++b) {
    const double bar = 4 * beat * b;
    PadChord(t, bar, 4 * beat - 0.05, bars[b].chord, pad, 0.09, rng);
    t.Add(Pad(MidiHz(line[b]), 4 * beat - 0.1, strings, rng), bar, 0.09);
    for (int k = 0; k < 8; ++k) {
      t.Add(Bass(MidiHz(bars[b].bass + bassOctave[k]), 0.35 * beat, 5), bar + k * 0.5 * beat, 0.3);
      bells.Add(Bell(MidiHz(bars[b].arp[std::size_t(arp[k])]), 0.8, 2.0, 1.6), bar + k * 0.5 * beat,
                k % 2 ? 0.06 : 0.08);
      t.Add(Hat(k % 2 ? 0.08 : 0.04, rng), bar + k * 0.5 * beat, k % 2 ? 0.06 : 0.03);
    }
    for (int k : {1, 3}) t.Add(Woodblock(1700, 0.05), bar + k * beat, 0.05);
    t.Add(Kick(0.35), bar, 0.45);
    t.Add(Kick(0.35), bar + 2 * beat, 0.4);
  }
  // The dominant tightens: a flat ninth on top in its last two beats.
  t.Add(Pad(MidiHz(68), 2 * beat - 0.1, pad, rng), 14 * beat, 0.08);
  AddEcho(bells, 0.75 * beat, 0.3, 0.4, 2800);
  Mix(t, bells, 1.0);
  AddReverb(t, 0.35, 0.8);
  return t;
}

// Questions 11–15: fast sixteenths on a low E that never moves, bowed tremolo
// chords grinding against it (a semitone, a tritone), a heartbeat, a line that
// keeps climbing, and a riser back into the top of the loop.
Track BedStage3() {
  const double beat = 60.0 / 140;
  const int bars = 6;
  Track t(4 * bars * beat, true);
  Rng rng(0xbed3);
  const Notes chords[bars] = {
      {52, 59, 64, 66, 67}, {53, 57, 60, 64, 65}, {52, 55, 59, 64, 67},
      {53, 58, 62, 64, 65}, {52, 55, 60, 64, 67}, {51, 54, 57, 59, 60, 63},
  };
  const int line[bars] = {76, 77, 79, 82, 84, 84};
  const PadTone tremolo{3, 12, 2800, {0.08, 0.5, 0.9, 0.25}, 5, 0, 4 * 140 / 60.0, 0.55};
  const PadTone violin{4, 10, 4000, {0.3, 1.0, 0.9, 0.3}, 6, 16};
  for (int b = 0; b < bars; ++b) {
    const double bar = 4 * beat * b;
    PadChord(t, bar, 4 * beat - 0.02, chords[b], tremolo, 0.075, rng);
    t.Add(Pad(MidiHz(line[b]), 4 * beat - 0.05, violin, rng), bar, 0.1);
    for (int k = 0; k < 16; ++k) {
      const double at = bar + k * 0.25 * beat;
      t.Add(Bass(MidiHz(k % 4 == 0 ? 28 : 40), 0.15 * beat, k % 4 == 0 ? 4 : 2.5, 0.05), at, k % 4 == 0 ? 0.26 : 0.2);
      t.Add(Hat(k % 4 == 0 ? 0.07 : 0.035, rng), at, k % 4 == 0 ? 0.045 : 0.025);
    }
    // A heartbeat: two beats close together, twice a bar.
    for (double h : {0.0, 0.5, 2.0, 2.5}) t.Add(Kick(0.3), bar + h * beat, h == 0.0 || h == 2.0 ? 0.3 : 0.18);
  }
  t.Add(Timpani(MidiHz(40), 1.6), 0, 0.2);
  t.Add(Sweep(4 * beat, 400, 6000, 2.0, 0.97, rng), 4 * (bars - 1) * beat, 0.2);
  AddReverb(t, 0.3, 0.75);
  return t;
}

// ---------------------------------------------------------------- stings

// The question appears: a rise, then a struck D minor chord with bells.
Track Reveal() {
  Track t(3.4, false);
  Rng rng(0x4e7e);
  const double hit = 0.6;
  t.Add(Sweep(hit + 0.05, 300, 5000, 1.6, 0.95, rng), 0, 0.35);
  PadChord(t, 0, hit, {50, 57, 62, 65}, PadTone{3, 10, 1500, {0.55, 0.3, 1.0, 0.3}}, 0.05, rng);
  t.Add(Timpani(MidiHz(38), 1.3), hit, 0.5);
  Strum(t, hit, 0.025, {74, 77, 81, 86}, 1.8, 3.5, 1.4, 0.1);
  BrassChord(t, hit, 0.22, {50, 57, 62, 65, 69}, BrassTone{6, {0.02, 0.2, 0.6, 0.25}}, 0.12, rng);
  t.Add(Cymbal(1.4, false, rng), hit, 0.08);
  AddReverb(t, 0.4, 0.8);
  return t;
}

// The answer is locked in: a drum and a suspended chord that does not resolve.
Track LockIn() {
  Track t(3.2, false);
  Rng rng(0x10c4);
  t.Add(Timpani(MidiHz(33), 1.5), 0, 0.28);
  t.Add(Kick(0.4), 0, 0.22);
  BrassChord(t, 0, 0.3, {50, 57, 62, 67, 69}, BrassTone{5, {0.015, 0.2, 0.6, 0.3}}, 0.13, rng);
  PadChord(t, 0, 0.9, {50, 57, 62, 67}, PadTone{3, 10, 1400, {0.02, 0.4, 0.7, 0.9}}, 0.06, rng);
  t.Add(Bell(MidiHz(81), 1.6, 3.5, 1.2), 0.01, 0.09);
  t.Add(Kick(0.3), 0.55, 0.2);
  AddReverb(t, 0.45, 0.85);
  return t;
}

// Right: bells run up into a bright D major chord with brass and a crash.
Track Right() {
  Track t(3.8, false);
  Rng rng(0x0419);
  const double hit = 0.22;
  Strum(t, 0, 0.055, {74, 78, 81, 86}, 1.8, 2.0, 1.5, 0.1);
  BrassChord(t, hit, 0.8, {50, 57, 62, 66, 69, 76}, BrassTone{7, {0.03, 0.3, 0.75, 0.5}}, 0.11, rng);
  PadChord(t, hit, 1.0, {50, 57, 62, 66, 69, 74}, PadTone{3, 10, 2600, {0.05, 0.6, 0.8, 0.8}}, 0.05, rng);
  t.Add(Timpani(MidiHz(38), 1.4), hit, 0.5);
  t.Add(Cymbal(1.8, false, rng), hit, 0.08);
  Strum(t, hit + 0.3, 0.07, {86, 90, 93, 98}, 1.2, 3.5, 1.0, 0.05);
  AddReverb(t, 0.4, 0.82);
  return t;
}

// A guaranteed sum is won: the right answer's chord, then a brass call climbs the
// triad to a wider, brighter D major that rings out under a swell and a shimmer of
// bells. It answers the right chord a stage higher, and stays well short of the
// million's roll and cadence.
Track Milestone() {
  Track t(4.8, false), bells(4.8, false);
  Rng rng(0x5a5e);
  const double hit = 0.22;
  Strum(t, 0, 0.055, {74, 78, 81, 86}, 1.8, 2.0, 1.5, 0.1);
  BrassChord(t, hit, 0.45, {50, 57, 62, 66, 69}, BrassTone{7, {0.03, 0.25, 0.75, 0.3}}, 0.1, rng);
  t.Add(Timpani(MidiHz(38), 1.0), hit, 0.45);
  const BrassTone call{7, {0.015, 0.12, 0.75, 0.08}};
  const int climb[] = {69, 74, 78};
  for (int k = 0; k < 3; ++k) {
    t.Add(Brass(MidiHz(climb[k]), 0.1, call, rng), 0.8 + 0.14 * k, 0.18);
    t.Add(Brass(MidiHz(climb[k] - 12), 0.1, call, rng), 0.8 + 0.14 * k, 0.1);
  }
  const double top = 1.25;
  const Notes wide{38, 50, 57, 62, 66, 69, 74, 76, 78};
  BrassChord(t, top, 1.3, wide, BrassTone{7, {0.03, 0.3, 0.8, 0.7}}, 0.085, rng);
  PadChord(t, top, 1.5, wide, PadTone{4, 10, 2800, {0.05, 0.8, 0.85, 1.1}, 5.5, 8}, 0.04, rng);
  t.Add(Timpani(MidiHz(38), 1.6), top, 0.5);
  t.Add(Timpani(MidiHz(50), 1.4), top, 0.3);
  t.Add(Cymbal(0.45, true, rng), top - 0.45, 0.1);
  t.Add(Cymbal(2.4, false, rng), top, 0.1);
  const int shimmer[] = {86, 90, 93, 98, 93, 90, 93, 98};
  for (int k = 0; k < 8; ++k) bells.Add(Bell(MidiHz(shimmer[k]), 1.0, 3.5, 1.1), top + 0.05 + 0.08 * k, 0.05);
  AddEcho(bells, 0.24, 0.3, 0.35, 4000);
  Mix(t, bells, 1.0);
  AddReverb(t, 0.42, 0.86);
  return t;
}

// Wrong: "dun – dunnn". A diminished brass chord, then the same chord a semitone
// lower that keeps sagging while a sub tone falls away under it.
Track Wrong() {
  Track t(3.6, false);
  Rng rng(0xbad0);
  const Notes chord = {37, 49, 52, 55, 58, 61};
  const double second = 0.3;
  BrassChord(t, 0, 0.18, chord, BrassTone{6, {0.015, 0.2, 0.8, 0.12}}, 0.11, rng);
  std::vector<int> lower;
  for (int n : chord) lower.push_back(n - 1);
  BrassChord(t, second, 1.1, lower, BrassTone{6, {0.02, 0.5, 0.75, 0.7}, -2, 1.5}, 0.12, rng);
  PadChord(t, second, 1.0, {48, 54, 57, 60}, PadTone{3, 14, 1200, {0.03, 0.5, 0.7, 0.9}}, 0.05, rng);
  t.Add(Timpani(MidiHz(33), 1.0), 0, 0.4);
  t.Add(Timpani(MidiHz(32), 1.8), second, 0.5);
  t.Add(SubDrop(90, 32, 1.6), second, 0.22);
  AddReverb(t, 0.3, 0.8, 0.5);
  return t;
}

// Time is up: a clock tolls a falling line over a dark low chord.
Track TimeOut() {
  Track t(4.4, false);
  Rng rng(0x7173);
  t.Add(Woodblock(1900, 0.05), 0, 0.25);
  const int tolls[3] = {57, 53, 50};
  for (int k = 0; k < 3; ++k) t.Add(Bell(MidiHz(tolls[k]), k == 2 ? 2.4 : 1.6, 1.41, 2.2), 0.05 + 0.42 * k, 0.2);
  PadChord(t, 0.05, 1.3, {38, 45, 50, 53}, PadTone{3, 10, 800, {0.1, 0.8, 0.8, 0.9}}, 0.06, rng);
  t.Add(Timpani(MidiHz(38), 1.8), 0.89, 0.4);
  AddReverb(t, 0.45, 0.85);
  return t;
}

// 50/50: a whoosh takes two answers away, two notes fall, a soft chord settles.
Track FiftyFifty() {
  Track t(2.6, false);
  Rng rng(0x5050);
  t.Add(Sweep(0.5, 5000, 450, 1.3, 0.3, rng), 0, 0.45);
  t.Add(Keys(MidiHz(76), 0.08, 0.3), 0.1, 0.16);
  t.Add(Keys(MidiHz(71), 0.08, 0.3), 0.25, 0.16);
  Strum(t, 0.42, 0.02, {64, 68, 71, 76}, 1.0, 2.0, 1.0, 0.08);
  t.Add(Timpani(MidiHz(40), 0.9), 0.42, 0.3);
  AddReverb(t, 0.35, 0.75);
  return t;
}

// Two mechanical bells hammered some twenty times a second, in two double rings.
Track PhoneRing() {
  Track t(3.8, false);
  const double strikes = 1.0 / 22;
  for (double burst : {0.0, 0.55, 1.7, 2.25}) {
    for (int k = 0; k * strikes < 0.4; ++k) t.Add(Bell(k % 2 ? 1420 : 1185, 0.7, 2.76, 1.0), burst + k * strikes, 0.1);
  }
  AddReverb(t, 0.15, 0.5, 0.6);
  return t;
}

// Words of a few syllables with pauses, the pitch falling through each phrase.
void Speak(Track& t, double from, double to, double pitch, double gain, Rng& rng) {
  const char vowels[] = "aeiouy";
  double at = from;
  while (at < to - 0.3) {
    const int words = 2 + int(rng.Uniform() * 4);
    const double rise = rng.Uniform() < 0.3 ? 1.2 : 0.92;  // now and then a question
    for (int w = 0; w < words && at < to - 0.3; ++w) {
      const int syllables = 1 + int(rng.Uniform() * 3);
      for (int s = 0; s < syllables; ++s) {
        const double len = 0.11 + 0.1 * rng.Uniform();
        const double progress = double(w) / words;
        const double f0 = pitch * (1.08 - 0.18 * progress) * (1 + 0.06 * rng.Signed());
        const double end = w == words - 1 && s == syllables - 1 ? f0 * rise : f0 * 0.97;
        const Vowel a = VowelOf(vowels[rng.Next() % 6]), b = VowelOf(vowels[rng.Next() % 6]);
        t.Add(Syllable(f0, end, len, a, b, rng.Uniform() < 0.6, rng), at, gain * (s == 0 ? 1.0 : 0.8));
        at += len * 0.75;  // syllables run into each other as in real speech
      }
      at += 0.04 + 0.1 * rng.Uniform();
    }
    at += 0.25 + 0.3 * rng.Uniform();
  }
}

// The friend on the line: a voice-like murmur through a telephone's narrow band.
Track PhoneMurmur() {
  Track t(6.0, true);
  Rng rng(0xca11);
  Speak(t, 0, 6.0, 125, 0.5, rng);
  for (float& v : t.s) v += float(0.004 * rng.Signed());  // the line's own faint hiss
  HighPass(t, 340);
  LowPass(t, 3200);
  LowPass(t, 3400);  // twice: the line's band edge is steep
  t.Process([](Buffer& b) {
    for (float& v : b) v = float(std::tanh(2.0 * v) / 2.0);  // the line's small earpiece
  });
  return t;
}

// The studio audience talking among themselves while the poll runs.
Track AudienceMurmur() {
  const double length = 6.0;
  Track t(length, true), air(length, true);
  Rng rng(0xa0d1);
  for (int v = 0; v < 16; ++v) {
    Rng voice(0x1000 + std::uint64_t(v));
    const double pitch = 95 + 160 * voice.Uniform();
    const double start = length * voice.Uniform();  // the loop is circular: voices wrap round
    Speak(t, start, start + length, pitch, 0.1, voice);
  }
  for (float& v : air.s) v = float(rng.Signed());
  Filter(air, 550, 0.6, &Svf::Out::bp);
  Mix(t, air, 0.05);
  LowPass(t, 4200);
  AddReverb(t, 0.6, 0.9, 0.3);
  return t;
}

// One tick of the last seconds: a hard wooden tick over a low pulse.
Track ClockTick() {
  Track t(0.8, false);
  t.Add(Woodblock(1900, 0.05), 0, 0.55);
  t.Add(Woodblock(950, 0.08), 0, 0.25);
  t.Add(Kick(0.2), 0, 0.35);
  AddReverb(t, 0.12, 0.4);
  return t;
}

// Taking the money: coins spill, then a warm plagal close, IV – I.
Track TakeMoney() {
  Track t(4.8, false);
  Rng rng(0xc0e1);
  const int coins[] = {96, 91, 88, 93, 84, 89, 79, 86};
  for (int k = 0; k < 8; ++k) t.Add(Bell(MidiHz(coins[k]), 0.7, 3.5, 1.2), 0.045 * k, 0.06);
  const BrassTone warm{3, {0.06, 0.4, 0.8, 0.6}};
  const PadTone pad{3, 9, 1600, {0.15, 0.8, 0.85, 1.0}, 4.5, 4};
  BrassChord(t, 0.25, 0.5, {41, 48, 57, 60, 67}, warm, 0.1, rng);
  PadChord(t, 0.25, 0.55, {41, 48, 57, 60, 64}, pad, 0.05, rng);
  BrassChord(t, 0.85, 1.1, {36, 48, 55, 60, 64, 67}, warm, 0.1, rng);
  PadChord(t, 0.85, 1.2, {36, 48, 55, 60, 64, 72}, pad, 0.05, rng);
  t.Add(Timpani(MidiHz(36), 1.4), 0.85, 0.4);
  AddReverb(t, 0.4, 0.85);
  return t;
}

// A place in the leaderboard: a brass call up an E-flat triad and a shining chord.
Track Record() {
  Track t(4.2, false);
  Rng rng(0x4ec0);
  const BrassTone call{6, {0.02, 0.15, 0.7, 0.1}};
  const int steps[] = {58, 63, 67, 70};
  for (int k = 0; k < 4; ++k) {
    t.Add(Brass(MidiHz(steps[k]), 0.08, call, rng), 0.11 * k, 0.2);
    t.Add(Brass(MidiHz(steps[k] - 12), 0.08, call, rng), 0.11 * k, 0.1);
  }
  const double hit = 0.44;
  BrassChord(t, hit, 1.0, {39, 51, 58, 63, 67, 70, 75}, BrassTone{7, {0.03, 0.3, 0.75, 0.6}}, 0.1, rng);
  PadChord(t, hit, 1.1, {51, 58, 63, 67, 70}, PadTone{3, 10, 2500, {0.05, 0.7, 0.8, 0.9}}, 0.05, rng);
  Strum(t, hit, 0.06, {87, 91, 94, 99}, 1.4, 3.5, 1.0, 0.06);
  t.Add(Timpani(MidiHz(39), 1.4), hit, 0.5);
  t.Add(Cymbal(1.8, false, rng), hit, 0.09);
  AddReverb(t, 0.4, 0.85);
  return t;
}

// The million: a timpani roll, a brass call, then bVI – bVII – I in D major
// under a crash and a shower of bells. Taking the money closes in C; a whole tone
// higher and brighter, the top prize cannot be mistaken for it.
Track Million() {
  Track t(6.6, false), bells(6.6, false);
  Rng rng(0x1000000);
  constexpr int kUp = 2;
  const auto up = [](Notes notes) {
    for (int& n : notes) n += kUp;
    return notes;
  };
  for (int k = 0; k * 0.045 < 0.95; ++k) {
    const double u = k * 0.045 / 0.95;
    t.Add(Timpani(MidiHz(36 + kUp), 0.5), k * 0.045, (0.08 + 0.3 * u * u) * (k % 2 ? 0.9 : 1.0));
  }
  t.Add(Cymbal(1.0, true, rng), 0, 0.14);
  t.Add(Cymbal(0.8, false, rng), 1.0, 0.05);  // the swell lands instead of stopping dead
  const BrassTone call{7, {0.015, 0.15, 0.75, 0.08}};
  for (int k = 0; k < 3; ++k) {
    t.Add(Brass(MidiHz(67 + kUp), 0.09, call, rng), 1.0 + 0.15 * k, 0.2);
    t.Add(Brass(MidiHz(55 + kUp), 0.09, call, rng), 1.0 + 0.15 * k, 0.12);
  }
  const BrassTone section{7, {0.03, 0.3, 0.8, 0.6}};
  const PadTone strings{4, 10, 3000, {0.06, 0.8, 0.85, 1.2}, 5.5, 10};
  const struct {
    double at, hold;
    Notes chord;
    int drum;
  } steps[] = {
      {1.45, 0.42, {44, 56, 60, 63, 68, 72}, 44},
      {1.95, 0.42, {46, 58, 62, 65, 70, 74}, 46},
      {2.45, 2.4, {36, 48, 55, 60, 64, 67, 72, 76, 79}, 36},
  };
  for (const auto& s : steps) {
    BrassChord(t, s.at, s.hold, up(s.chord), section, 0.09, rng);
    PadChord(t, s.at, s.hold + 0.1, up(s.chord), strings, 0.045, rng);
    t.Add(Timpani(MidiHz(s.drum + kUp), 1.6), s.at, 0.5);
  }
  t.Add(Timpani(MidiHz(48 + kUp), 1.6), 2.45, 0.35);
  t.Add(Cymbal(3.0, false, rng), 2.45, 0.14);
  const int sparkle[] = {84, 88, 91, 96, 100, 96, 91, 88, 91, 96, 100, 103};
  for (int k = 0; k < 12; ++k) bells.Add(Bell(MidiHz(sparkle[k] + kUp), 1.1, 3.5, 1.1), 2.5 + 0.09 * k, 0.055);
  AddEcho(bells, 0.27, 0.35, 0.4, 4000);
  Mix(t, bells, 1.0);
  AddReverb(t, 0.45, 0.9);
  return t;
}

// The leaderboard is wiped: keys run down the scale under a falling whoosh.
Track ClearBoard() {
  Track t(2.8, false);
  Rng rng(0xc1ea);
  const int scale[] = {84, 83, 81, 79, 77, 76, 74, 72, 71, 69, 67, 65, 64, 62, 60};
  for (int k = 0; k < 15; ++k) t.Add(Keys(MidiHz(scale[k]), 0.05, 0.25), 0.035 * k, 0.1);
  t.Add(Sweep(0.6, 4000, 300, 1.2, 0.4, rng), 0, 0.35);
  t.Add(Kick(0.35), 0.55, 0.45);
  PadChord(t, 0.55, 0.3, {48, 55, 60, 64}, PadTone{3, 10, 1000, {0.02, 0.3, 0.6, 0.6}}, 0.05, rng);
  AddReverb(t, 0.3, 0.75);
  return t;
}

}  // namespace

const std::vector<Cue>& Cues() {
  static const std::vector<Cue> cues = {
      {"theme_loop", Theme},
      {"reveal", Reveal},
      {"bed_stage1", BedStage1},
      {"bed_stage2", BedStage2},
      {"bed_stage3", BedStage3},
      {"lock_in", LockIn},
      {"right", Right},
      {"milestone", Milestone},
      {"wrong", Wrong},
      {"time_out", TimeOut},
      {"fifty_fifty", FiftyFifty},
      {"phone_ring", PhoneRing},
      {"phone_murmur", PhoneMurmur},
      {"audience_murmur", AudienceMurmur},
      {"clock_tick", ClockTick},
      {"take_money", TakeMoney},
      {"record", Record},
      {"million", Million},
      {"clear_board", ClearBoard},
  };
  return cues;
}

}  // namespace snd

// Building blocks of the sound generator: deterministic noise, band-limited
// oscillators, envelopes, filters, a room reverb and a tape-like echo, and the
// track every cue is mixed on. Everything is mono at one sample rate.

#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace snd {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<float>;

int Samples(double seconds);
double MidiHz(double note);

// splitmix64: the same numbers on every machine, unlike the standard distributions.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : m_state(seed) {}
  std::uint64_t Next();
  double Uniform();  // [0, 1)
  double Signed();   // [-1, 1)

 private:
  std::uint64_t m_state;
};

// Attack, decay to the sustain level while the note is held, release after it.
// The release ends exactly at zero so notes never stop with a step.
struct Adsr {
  double attack = 0.01, decay = 0.2, sustain = 0.7, release = 0.3;
  double At(double t, double hold) const;
  double Length(double hold) const { return hold + release; }
};

// Saw with polyBLEP corrections, so high notes do not alias into grit.
class Saw {
 public:
  explicit Saw(double phase = 0) : m_phase(phase) {}
  float Next(double hz);

 private:
  double m_phase;
};

// Topology-preserving state-variable filter: stays stable under fast cutoff sweeps.
class Svf {
 public:
  struct Out {
    float lp, bp, hp;
  };
  Out Run(float x, double cutoff, double q);

 private:
  double m_ic1 = 0, m_ic2 = 0;
};

// A Schroeder–Moorer room (eight damped combs, four allpasses), the classic
// "freeverb" topology, mono.
class Reverb {
 public:
  Reverb(double size, double damping);
  float Run(float x);

 private:
  struct Line {
    std::vector<float> buf;
    std::size_t at = 0;
    float store = 0;
  };
  std::vector<Line> m_combs, m_allpasses;
  float m_feedback, m_damping;
};

/// A cue being mixed. A looping track is circular: whatever runs past its end
/// (a release, an echo, a reverb tail) comes back in at its start, so the loop
/// joins without a seam.
struct Track {
  Track(double seconds, bool loop);
  Buffer s;
  bool loop;

  double Seconds() const { return double(s.size()) / kRate; }
  void Add(const Buffer& b, double at, double gain = 1.0);
  /// Runs a stateful effect over the track. On a loop it runs over three copies
  /// and keeps the middle one, so the effect has settled and its tail wraps.
  void Process(const std::function<void(Buffer&)>& fx);
};

/// Adds a reverberated copy; wet is its level against the dry signal.
void AddReverb(Track& t, double wet, double size = 0.8, double damping = 0.4, double predelay = 0.02);
/// Feedback echo with a darkening loop, as a tape delay does.
void AddEcho(Track& t, double delay, double feedback, double wet, double cutoff = 3000);
/// Runs one state-variable filter over the track and keeps the chosen output of it.
void Filter(Track& t, double cutoff, double q, float Svf::Out::*output);
void HighPass(Track& t, double cutoff);
void LowPass(Track& t, double cutoff);

/// Loudness as the listener hears it, with the lowest octaves weighed down: a
/// loop plays on and on, so its RMS over the whole period; a one-shot is heard
/// at its loudest, so the RMS of its loudest 400 ms window (the whole sound when
/// it is shorter).
double Loudness(const Track& t);

/// Brings the cue to the common loudness, rounds its peaks off softly under the
/// ceiling, and (for one-shots) trims the silent tail and fades both ends.
/// Returns the loudness reached, in dB.
double Master(Track& t, double targetDb, double ceilingDb);

bool WriteWav(const Buffer& b, const char* path);

}  // namespace snd

#include "instruments.h"

#include <algorithm>
#include <cmath>

namespace snd {

namespace {

double Cents(double c) { return std::pow(2.0, c / 1200.0); }

// Time for an exponential to fall by 60 dB in `decay` seconds.
double Fall(double t, double decay) { return std::exp(-6.9 * t / decay); }

}  // namespace

Buffer Pad(double hz, double hold, const PadTone& tone, Rng& rng) {
  const int n = Samples(tone.env.Length(hold));
  Buffer out(std::size_t(n), 0.f);
  std::vector<Saw> saws;
  std::vector<double> detune;
  for (int v = 0; v < tone.voices; ++v) {
    saws.emplace_back(rng.Uniform());
    const double spread = tone.voices == 1 ? 0 : (2.0 * v / (tone.voices - 1) - 1.0);
    detune.push_back(Cents(spread * tone.detuneCents + rng.Signed() * 1.5));
  }
  Svf lp;
  const double vibPhase = rng.Uniform() * 2 * kPi;
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    // Vibrato fades in after the attack, as a player would.
    const double vibDepth = tone.vibratoCents * std::min(1.0, t / 0.6);
    const double f = hz * Cents(vibDepth * std::sin(2 * kPi * tone.vibratoHz * t + vibPhase));
    double x = 0;
    for (std::size_t v = 0; v < saws.size(); ++v) x += saws[v].Next(f * detune[v]);
    x /= std::sqrt(double(saws.size()));
    double y = lp.Run(float(x), std::min(tone.cutoff, hz * 12), 0.8).lp;
    if (tone.tremoloDepth > 0) y *= 1.0 - tone.tremoloDepth * (0.5 + 0.5 * std::cos(2 * kPi * tone.tremoloHz * t));
    out[std::size_t(i)] = float(y * tone.env.At(t, hold));
  }
  return out;
}

Buffer Brass(double hz, double hold, const BrassTone& tone, Rng& rng) {
  const int n = Samples(tone.env.Length(hold));
  Buffer out(std::size_t(n), 0.f);
  Saw a(rng.Uniform()), b(rng.Uniform());
  Svf lp;
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    const double bend = tone.bendSemis * std::min(1.0, t / tone.bendSeconds);
    // A little scoop up into the note, and a slow vibrato once it sounds.
    const double scoop = -0.35 * std::exp(-t / 0.03);
    const double vib = 0.08 * std::min(1.0, std::max(0.0, t - 0.25) / 0.5) * std::sin(2 * kPi * 5.2 * t);
    const double f = hz * std::pow(2.0, (bend + scoop + vib) / 12.0);
    const double x = 0.6 * a.Next(f * Cents(-5)) + 0.6 * b.Next(f * Cents(5));
    const double filterEnv = t < 0.05 ? t / 0.05 : 0.55 + 0.45 * std::exp(-(t - 0.05) / 0.25);
    const double cutoff = f * (1.0 + (tone.brightness - 1.0) * filterEnv * std::min(1.0, tone.env.At(t, hold) * 1.5));
    out[std::size_t(i)] = float(lp.Run(float(x), cutoff, 0.9).lp * tone.env.At(t, hold));
  }
  return out;
}

Buffer Bell(double hz, double decay, double ratio, double index) {
  const int n = Samples(decay);
  Buffer out(std::size_t(n), 0.f);
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    const double idx = index * std::exp(-t / (decay * 0.25));
    const double m = std::sin(2 * kPi * hz * ratio * t);
    const double attack = std::min(1.0, t / 0.002);
    out[std::size_t(i)] = float(attack * Fall(t, decay) * std::sin(2 * kPi * hz * t + idx * m));
  }
  return out;
}

Buffer Keys(double hz, double hold, double release) {
  const Adsr env{0.003, 0.6, 0.35, release};
  const int n = Samples(env.Length(hold));
  Buffer out(std::size_t(n), 0.f);
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    const double body = std::sin(2 * kPi * hz * t + 1.4 * std::exp(-t / 0.35) * std::sin(2 * kPi * hz * t));
    // The tine: a short metallic partial on the attack only.
    const double tine = 0.25 * std::exp(-t / 0.03) * std::sin(2 * kPi * hz * 7.0 * t);
    out[std::size_t(i)] = float((body + tine) * env.At(t, hold));
  }
  return out;
}

Buffer Bass(double hz, double hold, double brightness, double release) {
  const Adsr env{0.006, 0.25, 0.55, release};
  const int n = Samples(env.Length(hold));
  Buffer out(std::size_t(n), 0.f);
  Saw saw;
  Svf lp;
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    const double cutoff = hz * (1.5 + brightness * std::exp(-t / 0.12));
    const double x = lp.Run(saw.Next(hz), cutoff, 1.1).lp + 0.7 * std::sin(2 * kPi * hz * t);
    out[std::size_t(i)] = float(x * env.At(t, hold));
  }
  return out;
}

Buffer Timpani(double hz, double decay) {
  const int n = Samples(decay);
  Buffer out(std::size_t(n), 0.f);
  // Modes of a tuned kettle drum, relative to its principal tone.
  const double ratios[] = {1.0, 1.504, 1.742, 2.0, 2.245};
  const double gains[] = {1.0, 0.5, 0.35, 0.25, 0.15};
  Rng rng(0x71a9);
  Svf thud;
  double phase[5] = {0, 0, 0, 0, 0};
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    const double pitch = 1.0 + 0.04 * std::exp(-t / 0.05);
    double x = 0;
    for (int m = 0; m < 5; ++m) {
      phase[m] += hz * ratios[m] * pitch / kRate;
      x += gains[m] * Fall(t, decay / (1.0 + m * 0.6)) * std::sin(2 * kPi * phase[m]);
    }
    x += 0.6 * std::exp(-t / 0.015) * thud.Run(float(rng.Signed()), 600, 0.7).lp;
    out[std::size_t(i)] = float(x * std::min(1.0, t / 0.003));  // a felt mallet, not a click
  }
  return out;
}

Buffer Kick(double decay) {
  const int n = Samples(decay);
  Buffer out(std::size_t(n), 0.f);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    phase += (48.0 + 110.0 * std::exp(-t / 0.035)) / kRate;
    out[std::size_t(i)] = float(Fall(t, decay) * std::sin(2 * kPi * phase) * std::min(1.0, t / 0.002));
  }
  return out;
}

Buffer Hat(double decay, Rng& rng) {
  const int n = Samples(decay);
  Buffer out(std::size_t(n), 0.f);
  Svf hp, bp;
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    const float x = float(rng.Signed());
    const double y = hp.Run(x, 7000, 0.7).hp + 0.5 * bp.Run(x, 10500, 2.5).bp;
    out[std::size_t(i)] = float(y * Fall(t, decay) * std::min(1.0, t / 0.0005));
  }
  return out;
}

Buffer Cymbal(double seconds, bool swell, Rng& rng) {
  const int n = Samples(seconds);
  Buffer out(std::size_t(n), 0.f);
  Svf hp, bp;
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    const double u = t / seconds;
    const float x = float(rng.Signed());
    const double y = hp.Run(x, 4500, 0.7).hp + 0.7 * bp.Run(x, 8000 - 2500 * u, 1.2).bp;
    const double env =
        swell ? u * u * u * std::min(1.0, (1.0 - u) / 0.01) : Fall(t, seconds) * std::min(1.0, t / 0.002);
    out[std::size_t(i)] = float(y * env);
  }
  return out;
}

Buffer Sweep(double seconds, double fromHz, double toHz, double q, double peakAt, Rng& rng) {
  const int n = Samples(seconds);
  Buffer out(std::size_t(n), 0.f);
  Svf bp;
  for (int i = 0; i < n; ++i) {
    const double u = double(i) / n;
    const double f = fromHz * std::pow(toHz / fromHz, u);
    const double arch =
        u < peakAt ? std::sin(0.5 * kPi * u / peakAt) : std::cos(0.5 * kPi * (u - peakAt) / (1.0 - peakAt));
    out[std::size_t(i)] = float(bp.Run(float(rng.Signed()), f, q).bp * arch * arch);
  }
  return out;
}

Buffer SubDrop(double fromHz, double toHz, double seconds) {
  const int n = Samples(seconds);
  Buffer out(std::size_t(n), 0.f);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double u = double(i) / n;
    phase += fromHz * std::pow(toHz / fromHz, u) / kRate;
    const double env = std::min(1.0, u / 0.02) * (1.0 - u) * (1.0 - u);
    out[std::size_t(i)] = float(env * std::sin(2 * kPi * phase));
  }
  return out;
}

Buffer Woodblock(double hz, double decay) {
  const int n = Samples(decay * 1.2);
  Buffer out(std::size_t(n), 0.f);
  for (int i = 0; i < n; ++i) {
    const double t = double(i) / kRate;
    // A hollow wooden body: the principal and one inharmonic overtone that dies first.
    const double x =
        std::sin(2 * kPi * hz * t) + 0.45 * std::exp(-t / (decay * 0.15)) * std::sin(2 * kPi * hz * 2.76 * t);
    out[std::size_t(i)] = float(x * Fall(t, decay) * std::min(1.0, t / 0.0004));
  }
  return out;
}

Vowel VowelOf(char v) {
  switch (v) {
    case 'a': return {730, 1090, 2440};
    case 'e': return {530, 1840, 2480};
    case 'i': return {290, 2250, 3010};
    case 'o': return {570, 840, 2410};
    case 'u': return {320, 870, 2240};
    default: return {360, 1550, 2400};  // the central «ы»
  }
}

Buffer Syllable(double f0From, double f0To, double seconds, Vowel from, Vowel to, bool consonant, Rng& rng) {
  const int n = Samples(seconds);
  Buffer out(std::size_t(n), 0.f);
  Saw glottis(rng.Uniform());
  Svf f1, f2, f3, breath, hiss;
  const double bandwidths[3] = {90, 120, 170};
  for (int i = 0; i < n; ++i) {
    const double u = double(i) / n;
    const double s = u * u * (3 - 2 * u);  // the mouth moves smoothly between vowels
    const double f0 = f0From + (f0To - f0From) * u;
    const double src = glottis.Next(f0) + 0.15 * breath.Run(float(rng.Signed()), 1500, 0.5).lp;
    const double c1 = from.f1 + (to.f1 - from.f1) * s;
    const double c2 = from.f2 + (to.f2 - from.f2) * s;
    const double c3 = from.f3 + (to.f3 - from.f3) * s;
    const double voiced = f1.Run(float(src), c1, c1 / bandwidths[0]).bp +
                          0.55 * f2.Run(float(src), c2, c2 / bandwidths[1]).bp +
                          0.3 * f3.Run(float(src), c3, c3 / bandwidths[2]).bp;
    const double env = std::sin(kPi * std::pow(u, 0.8));
    double y = voiced * env * env;
    if (consonant && u < 0.18) y += 0.35 * hiss.Run(float(rng.Signed()), 4200, 1.2).bp * std::sin(kPi * u / 0.18);
    out[std::size_t(i)] = float(y);
  }
  return out;
}

}  // namespace snd

#include "dsp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace snd {

int Samples(double seconds) { return int(std::lround(seconds * kRate)); }

double MidiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

std::uint64_t Rng::Next() {
  std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

double Rng::Uniform() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::Signed() { return Uniform() * 2.0 - 1.0; }

double Adsr::At(double t, double hold) const {
  if (t < 0) return 0;
  auto held = [this](double u) {
    if (u < attack) return u / attack;
    // Exponential fall towards the sustain level, as a struck or bowed note settles.
    return sustain + (1.0 - sustain) * std::exp(-(u - attack) / std::max(decay, 1e-4));
  };
  if (t < hold) return held(t);
  const double x = (t - hold) / release;
  if (x >= 1) return 0;
  const double k = 1 - x;
  return held(hold) * k * k * k;
}

float Saw::Next(double hz) {
  const double dt = hz / kRate;
  double v = 2.0 * m_phase - 1.0;
  double t = m_phase;
  if (t < dt) {
    t /= dt;
    v -= t + t - t * t - 1.0;
  } else if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    v -= t * t + t + t + 1.0;
  }
  m_phase += dt;
  if (m_phase >= 1.0) m_phase -= 1.0;
  return float(v);
}

Svf::Out Svf::Run(float x, double cutoff, double q) {
  cutoff = std::clamp(cutoff, 10.0, kRate * 0.45);
  const double g = std::tan(kPi * cutoff / kRate);
  const double k = 1.0 / q;
  const double a1 = 1.0 / (1.0 + g * (g + k));
  const double a2 = g * a1;
  const double a3 = g * a2;
  const double v3 = x - m_ic2;
  const double v1 = a1 * m_ic1 + a2 * v3;
  const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
  m_ic1 = 2 * v1 - m_ic1;
  m_ic2 = 2 * v2 - m_ic2;
  return {float(v2), float(v1), float(x - k * v1 - v2)};
}

Reverb::Reverb(double size, double damping) : m_feedback(float(0.28 + 0.7 * size)), m_damping(float(damping)) {
  // Mutually prime lengths keep the echoes from lining up into a metallic ring.
  for (int n : {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617}) m_combs.push_back({std::vector<float>(n), 0, 0});
  for (int n : {556, 441, 341, 225}) m_allpasses.push_back({std::vector<float>(n), 0, 0});
}

float Reverb::Run(float x) {
  const float in = x * 0.05f;
  float out = 0;
  for (Line& c : m_combs) {
    const float y = c.buf[c.at];
    c.store = y * (1 - m_damping) + c.store * m_damping;
    c.buf[c.at] = in + c.store * m_feedback;
    if (++c.at == c.buf.size()) c.at = 0;
    out += y;
  }
  for (Line& a : m_allpasses) {
    const float b = a.buf[a.at];
    a.buf[a.at] = out + b * 0.5f;
    if (++a.at == a.buf.size()) a.at = 0;
    out = b - out;
  }
  return out;
}

Track::Track(double seconds, bool isLoop) : s(std::size_t(Samples(seconds)), 0.f), loop(isLoop) {}

void Track::Add(const Buffer& b, double at, double gain) {
  const long n = long(s.size());
  long i = Samples(at);
  for (float v : b) {
    if (loop) s[std::size_t(((i % n) + n) % n)] += float(v * gain);
    else if (i >= 0 && i < n) s[std::size_t(i)] += float(v * gain);
    ++i;
  }
}

void Track::Process(const std::function<void(Buffer&)>& fx) {
  if (!loop) {
    fx(s);
    return;
  }
  const std::size_t n = s.size();
  Buffer tiled(3 * n);
  for (std::size_t k = 0; k < 3; ++k) std::copy(s.begin(), s.end(), tiled.begin() + long(k * n));
  fx(tiled);
  std::copy(tiled.begin() + long(n), tiled.begin() + long(2 * n), s.begin());
}

void AddReverb(Track& t, double wet, double size, double damping, double predelay) {
  t.Process([&](Buffer& b) {
    Reverb room(size, damping);
    Svf tone;
    const std::size_t lag = std::size_t(Samples(predelay));
    Buffer wetSignal(b.size(), 0.f);
    for (std::size_t i = 0; i < b.size(); ++i) {
      const float in = i >= lag ? b[i - lag] : 0.f;
      // Keep the low end out of the room so chords stay clear.
      wetSignal[i] = room.Run(tone.Run(in, 250, 0.7).hp);
    }
    for (std::size_t i = 0; i < b.size(); ++i) b[i] += float(wet * wetSignal[i]);
  });
}

void AddEcho(Track& t, double delay, double feedback, double wet, double cutoff) {
  t.Process([&](Buffer& b) {
    const std::size_t d = std::size_t(Samples(delay));
    Buffer line(d, 0.f);
    std::size_t at = 0;
    Svf tone;
    for (float& v : b) {
      const float echoed = line[at];
      line[at] = v + float(feedback) * tone.Run(echoed, cutoff, 0.6).lp;
      if (++at == d) at = 0;
      v += float(wet) * echoed;
    }
  });
}

void Filter(Track& t, double cutoff, double q, float Svf::Out::*output) {
  t.Process([&](Buffer& b) {
    Svf f;
    for (float& v : b) v = f.Run(v, cutoff, q).*output;
  });
}

void HighPass(Track& t, double cutoff) { Filter(t, cutoff, 0.707, &Svf::Out::hp); }

void LowPass(Track& t, double cutoff) { Filter(t, cutoff, 0.707, &Svf::Out::lp); }

double Loudness(const Track& track) {
  // The ear barely counts the lowest octaves; weigh them down as loudness meters do.
  Track weighted = track;
  Filter(weighted, 100, 0.5, &Svf::Out::hp);
  const Buffer& b = weighted.s;
  if (b.empty()) return 0;
  if (track.loop) {
    double sum = 0;
    for (float v : b) sum += double(v) * v;
    return std::sqrt(sum / double(b.size()));
  }
  const std::size_t w = std::min<std::size_t>(b.size(), std::size_t(Samples(0.4)));
  double sum = 0;
  for (std::size_t i = 0; i < w; ++i) sum += double(b[i]) * b[i];
  double best = sum;
  for (std::size_t i = w; i < b.size(); ++i) {
    sum += double(b[i]) * b[i] - double(b[i - w]) * b[i - w];
    best = std::max(best, sum);
  }
  return std::sqrt(std::max(best, 0.0) / double(w));
}

double Master(Track& t, double targetDb, double ceilingDb) {
  HighPass(t, 25);  // no DC or sub-sonic drift in any cue
  if (!t.loop) {
    // Short tails: stop where the sound has faded under -60 dB of its own peak.
    float top = 0;
    for (float v : t.s) top = std::max(top, std::fabs(v));
    std::size_t end = t.s.size();
    while (end > 0 && std::fabs(t.s[end - 1]) < top * 1e-3f) --end;
    t.s.resize(std::min(t.s.size(), end + std::size_t(Samples(0.03))));
    const std::size_t fadeOut = std::min(t.s.size(), std::size_t(Samples(0.03)));
    const std::size_t fadeIn = std::min(t.s.size(), std::size_t(Samples(0.002)));
    for (std::size_t i = 0; i < fadeOut; ++i)
      t.s[t.s.size() - 1 - i] *= float(0.5 - 0.5 * std::cos(kPi * double(i) / double(fadeOut)));
    for (std::size_t i = 0; i < fadeIn; ++i) t.s[i] *= float(double(i) / double(fadeIn));
  }
  const double ceiling = std::pow(10.0, ceilingDb / 20.0);
  float peak = 0;
  for (float v : t.s) peak = std::max(peak, std::fabs(v));
  // A very spiky sound (a lone tick) stays a little under the common loudness
  // rather than being flattened into a different sound by the limiter.
  const double gain =
      std::min(std::pow(10.0, targetDb / 20.0) / std::max(Loudness(t), 1e-9), ceiling / std::max(double(peak), 1e-9));
  // Peaks above the knee are rounded off towards the ceiling rather than cut:
  // a tanh curve that never reaches it, so nothing clips.
  const double knee = 0.85 * ceiling;
  for (float& v : t.s) {
    const double x = v * gain;
    const double a = std::fabs(x);
    const double y = a <= knee ? a : knee + (ceiling - knee) * std::tanh((a - knee) / (ceiling - knee));
    v = float(std::copysign(y, x));
  }
  return 20 * std::log10(std::max(Loudness(t), 1e-9));
}

bool WriteWav(const Buffer& b, const char* path) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  auto u32 = [&](std::uint32_t v) {
    const unsigned char c[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    std::fwrite(c, 1, 4, f);
  };
  auto u16 = [&](std::uint16_t v) {
    const unsigned char c[2] = {std::uint8_t(v), std::uint8_t(v >> 8)};
    std::fwrite(c, 1, 2, f);
  };
  const std::uint32_t dataBytes = std::uint32_t(b.size() * 2);
  std::fwrite("RIFF", 1, 4, f);
  u32(36 + dataBytes);
  std::fwrite("WAVEfmt ", 1, 8, f);
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(kRate);
  u32(kRate * 2);
  u16(2);
  u16(16);
  std::fwrite("data", 1, 4, f);
  u32(dataBytes);
  for (float v : b) {
    const long q = std::lround(std::clamp(double(v), -1.0, 1.0) * 32767.0);
    u16(std::uint16_t(std::int16_t(q)));
  }
  const bool ok = std::ferror(f) == 0;
  return std::fclose(f) == 0 && ok;
}

}  // namespace snd

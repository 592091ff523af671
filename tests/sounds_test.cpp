// The committed sound files as the game will play them: every cue is there as a
// plain PCM WAV at a standard rate, none clips, all sit at one loudness, one-shots
// begin and end in silence, and loops repeat without a click at the seam.

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

struct CueFile {
  const char* name;
  bool loop;
};

// The cues the game plays; a loop repeats for as long as its moment lasts.
const CueFile kCues[] = {
    {"theme_loop", true},   {"reveal", false},         {"bed_stage1", true},   {"bed_stage2", true},
    {"bed_stage3", true},   {"lock_in", false},        {"right", false},       {"milestone", false},
    {"wrong", false},       {"time_out", false},       {"fifty_fifty", false}, {"phone_ring", false},
    {"phone_murmur", true}, {"audience_murmur", true}, {"clock_tick", false},  {"take_money", false},
    {"record", false},      {"million", false},        {"clear_board", false},
};

struct Sound {
  int rate = 0;
  std::vector<double> samples;  // channels averaged, full scale = 1
  double peak = 0;              // of any channel
  double Seconds() const { return double(samples.size()) / rate; }
};

QString PathOf(const char* name) {
  return QStringLiteral(FARTOVIK_SOURCE_DIR "/sounds/") + QString::fromLatin1(name) + QStringLiteral(".wav");
}

// Reads a RIFF/WAVE file the way a strict player does: chunks in any order,
// unknown chunks skipped, and nothing but 16-bit PCM at 44.1 or 48 kHz accepted.
std::optional<Sound> ReadWav(const QString& path, std::string& why) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    why = "cannot open";
    return std::nullopt;
  }
  const QByteArray bytes = file.readAll();
  const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
  const qsizetype size = bytes.size();
  if (size < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE") {
    why = "not a RIFF/WAVE file";
    return std::nullopt;
  }
  if (qFromLittleEndian<quint32>(p + 4) != quint32(size - 8)) {
    why = "RIFF size does not match the file";
    return std::nullopt;
  }
  int format = 0, channels = 0, bits = 0, rate = 0;
  const uchar* data = nullptr;
  qsizetype dataSize = 0;
  for (qsizetype at = 12; at + 8 <= size;) {
    const QByteArray id = bytes.mid(at, 4);
    const qsizetype length = qFromLittleEndian<quint32>(p + at + 4);
    if (length > size - at - 8) {
      why = "chunk " + id.toStdString() + " runs past the end";
      return std::nullopt;
    }
    if (id == "fmt " && length >= 16) {
      format = qFromLittleEndian<quint16>(p + at + 8);
      channels = qFromLittleEndian<quint16>(p + at + 10);
      rate = int(qFromLittleEndian<quint32>(p + at + 12));
      bits = qFromLittleEndian<quint16>(p + at + 22);
    } else if (id == "data") {
      data = p + at + 8;
      dataSize = length;
    }
    at += 8 + length + (length & 1);
  }
  if (format != 1 || bits != 16 || (channels != 1 && channels != 2) || (rate != 44100 && rate != 48000)) {
    why = "not 16-bit PCM mono/stereo at 44.1/48 kHz";
    return std::nullopt;
  }
  if (!data || dataSize == 0 || dataSize % (2 * channels) != 0) {
    why = "no whole frames of audio";
    return std::nullopt;
  }
  Sound sound;
  sound.rate = rate;
  const qsizetype frames = dataSize / (2 * channels);
  sound.samples.resize(std::size_t(frames));
  for (qsizetype f = 0; f < frames; ++f) {
    double sum = 0;
    for (int c = 0; c < channels; ++c) {
      const double v = qFromLittleEndian<qint16>(data + 2 * (f * channels + c)) / 32768.0;
      sound.peak = std::max(sound.peak, std::fabs(v));
      sum += v;
    }
    sound.samples[std::size_t(f)] = sum / channels;
  }
  return sound;
}

double Db(double amplitude) { return 20 * std::log10(std::max(amplitude, 1e-12)); }

double Rms(const std::vector<double>& x, std::size_t from, std::size_t count) {
  double sum = 0;
  for (std::size_t i = from; i < from + count; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / double(count));
}

// Loudness as a meter reads it: the lowest octaves weighed down (a 100 Hz
// high-pass), then the RMS of the whole period for a loop, or of the loudest
// 400 ms for a one-shot. A loop is filtered twice round so the filter has settled.
double Loudness(const Sound& s, bool loop) {
  const double w = std::tan(3.14159265358979 * 100.0 / s.rate), k = 1 / 0.5;
  const double norm = 1 / (1 + k * w + w * w);
  const double b0 = norm, b1 = -2 * norm, a1 = 2 * (w * w - 1) * norm, a2 = (1 - k * w + w * w) * norm;
  const std::size_t n = s.samples.size();
  std::vector<double> y(n);
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (int pass = loop ? 2 : 1; pass > 0; --pass) {
    for (std::size_t i = 0; i < n; ++i) {
      const double x = s.samples[i];
      const double out = b0 * x + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
      x2 = x1, x1 = x, y2 = y1, y1 = out;
      y[i] = out;
    }
  }
  if (loop) return Rms(y, 0, n);
  const std::size_t window = std::min(n, std::size_t(0.4 * s.rate));
  double best = 0;
  for (std::size_t at = 0; at + window <= n; at += window / 8) best = std::max(best, Rms(y, at, window));
  return best;
}

// Seconds from the end of the last 10 ms whose RMS reaches `db` to the end of the file.
double SecondsAfterLast(const Sound& s, double db) {
  const std::size_t w = std::size_t(s.rate / 100), n = s.samples.size();
  for (std::size_t end = n; end >= w; end -= w)
    if (Db(Rms(s.samples, end - w, w)) >= db) return double(n - end) / s.rate;
  return s.Seconds();
}

// Every committed cue, loaded; a file that does not load fails the test that asked.
std::vector<std::pair<CueFile, Sound>> LoadAll() {
  std::vector<std::pair<CueFile, Sound>> all;
  for (const CueFile& cue : kCues) {
    std::string why;
    if (std::optional<Sound> s = ReadWav(PathOf(cue.name), why)) all.emplace_back(cue, *s);
    else ADD_FAILURE() << cue.name << ".wav: " << why;
  }
  return all;
}

TEST(SoundFiles, EveryCueIsACommittedPcmWavAndThereAreNoStrays) {
  const QStringList present =
      QDir(QStringLiteral(FARTOVIK_SOURCE_DIR "/sounds")).entryList({QStringLiteral("*")}, QDir::Files);
  QStringList expected;
  for (const CueFile& cue : kCues) expected << QString::fromLatin1(cue.name) + QStringLiteral(".wav");
  for (const QString& f : present) EXPECT_TRUE(expected.contains(f)) << "stray file sounds/" << f.toStdString();
  for (const QString& f : expected) EXPECT_TRUE(present.contains(f)) << "missing sounds/" << f.toStdString();
  EXPECT_EQ(LoadAll().size(), std::size(kCues));
}

TEST(SoundFiles, NothingClipsAndEveryCueSitsAtTheCommonLoudness) {
  const double ceiling = std::pow(10.0, -1.0 / 20);
  for (const auto& [cue, sound] : LoadAll()) {
    SCOPED_TRACE(cue.name);
    EXPECT_LT(sound.peak, ceiling) << "peak " << Db(sound.peak) << " dBFS";
    const double loudness = Db(Loudness(sound, cue.loop));
    // A lone tick is nearly all attack; holding it to the others' RMS would
    // flatten it, so it may sit lower.
    const double quietest = std::string(cue.name) == "clock_tick" ? -26.0 : -19.5;
    EXPECT_GE(loudness, quietest);
    EXPECT_LE(loudness, -16.5);
  }
}

TEST(SoundFiles, OneShotsAreShortAndStartAndEndInSilence) {
  for (const auto& [cue, sound] : LoadAll()) {
    if (cue.loop) continue;
    SCOPED_TRACE(cue.name);
    EXPECT_LE(sound.Seconds(), 7.5);
    const std::vector<double>& x = sound.samples;
    ASSERT_GT(x.size(), std::size_t(sound.rate / 20));
    // A sound that starts or stops on a non-zero sample clicks when it plays.
    EXPECT_LT(std::fabs(x.front()), 0.002);
    EXPECT_LT(Db(Rms(x, x.size() - std::size_t(sound.rate / 200), std::size_t(sound.rate / 200))), -55.0);
    // Short tails and no dead padding: from the last moment the sound is within
    // 20 dB of its peak it dies away within two seconds, and the file ends soon
    // after it is 60 dB down.
    const double tailFrom20 = SecondsAfterLast(sound, Db(sound.peak) - 20);
    const double tailFrom60 = SecondsAfterLast(sound, Db(sound.peak) - 60);
    EXPECT_LE(tailFrom20, 2.0);
    EXPECT_LE(tailFrom60, 0.3);
  }
}

TEST(SoundFiles, LoopsRunOnAtFullLevelAndJoinWithoutAStep) {
  for (const auto& [cue, sound] : LoadAll()) {
    if (!cue.loop) continue;
    SCOPED_TRACE(cue.name);
    EXPECT_GE(sound.Seconds(), 4.0);
    EXPECT_LE(sound.Seconds(), 20.0);
    const std::vector<double>& x = sound.samples;
    const std::size_t n = x.size();
    // Not faded out and in again: such a loop joins smoothly but dips on every
    // turn. (One end may fall in a pause, as speech does.)
    const std::size_t edge = std::size_t(sound.rate / 20);
    const double whole = Db(Rms(x, 0, n));
    EXPECT_GT(std::max(Db(Rms(x, 0, edge)), Db(Rms(x, n - edge, edge))), whole - 10);
    // The step from the last sample back to the first is an ordinary step of the
    // waveform around it, not a jump: a loop cut at the wrong place steps
    // several times further than the waveform moves there.
    double sum = 0;
    for (std::size_t i = 0; i < 256; ++i) {
      sum += (x[i + 1] - x[i]) * (x[i + 1] - x[i]);
      sum += (x[n - 1 - i] - x[n - 2 - i]) * (x[n - 1 - i] - x[n - 2 - i]);
    }
    const double typicalStep = std::sqrt(sum / 512);
    EXPECT_LE(std::fabs(x.front() - x.back()), 3 * typicalStep + 1e-4)
        << "seam step " << std::fabs(x.front() - x.back()) << ", typical step around it " << typicalStep;
  }
}

}  // namespace

#include "data/codec.h"

#include <algorithm>
#include <cmath>

#include "data/info_box.h"
#include "data/random_source.h"

using namespace Qt::StringLiterals;

namespace {

// Enough for any byte of real text (32 and above) to find a random split with
// near certainty; only a source that keeps giving useless numbers runs out.
constexpr int kMaxDraws = 1000;

// Sums of complete groups, written straight into the result. Returns the groups
// written before the first damaged one. Always inlined, so that each call with a
// constant group size below is unrolled for that size.
[[gnu::always_inline]] inline qsizetype DecodeGroups(const unsigned char* in, qsizetype groups, int parts, char* out) {
  for (qsizetype k = 0; k < groups; ++k, in += parts) {
    unsigned sum = 0;
    for (int j = 0; j < parts; ++j) sum += in[j];
    if (sum > 255) return k;
    out[k] = char(sum);
  }
  return groups;
}

// Whether `value` splits into `count` allowed bytes.
bool Splits(int value, int count) {
  if (count == 1) return value >= 0 && value <= 255 && IsAllowedByte(quint8(value));
  return value >= 6 * count && value <= 255 * count;
}

// A split found without the random source: each part the largest allowed byte that
// leaves a remainder the remaining parts can still hold.
void SplitWithoutDraws(int byte, int parts, unsigned char* group) {
  int remaining = byte;
  for (int i = 0; i < parts - 1; ++i) {
    const int after = parts - 1 - i;
    for (int v = std::min(255, remaining - 6 * after); v >= 6; --v) {
      if (IsAllowedByte(quint8(v)) && Splits(remaining - v, after)) {
        group[i] = (unsigned char)v;
        remaining -= v;
        break;
      }
    }
  }
  group[parts - 1] = (unsigned char)remaining;
}

// One random part below `remaining` (0 when nothing remains), whatever the source gives.
int DrawPart(RandomSource& random, int remaining) {
  const double u = random.Next();
  if (!(u > 0.0)) return 0;  // also NaN
  const double r = std::floor(u * remaining);
  if (r >= remaining) return std::max(remaining - 1, 0);
  return int(r);
}

void SplitByte(int byte, int parts, RandomSource& random, unsigned char* group) {
  for (int attempt = 0; attempt < kMaxDraws; ++attempt) {
    int remaining = byte;
    bool fits = true;
    for (int i = 0; i < parts - 1 && fits; ++i) {
      const int r = DrawPart(random, remaining);
      fits = IsAllowedByte(quint8(r));
      group[i] = (unsigned char)r;
      remaining -= r;
    }
    if (fits && IsAllowedByte(quint8(remaining))) {
      group[parts - 1] = (unsigned char)remaining;
      return;
    }
  }
  SplitWithoutDraws(byte, parts, group);
}

}  // namespace

QString DamagedDataMessage() { return u"Данные повреждены. Расшифровка невозможна!!!"_s; }

QString DamagedFileMessage(const QString& file, int damagedFields) {
  QString text = DamagedDataMessage();
  if (!file.isEmpty()) text += u"\r\nФайл: "_s + file;
  return text + u"\r\nПоврежденных полей: "_s + QString::number(damagedFields);
}

QByteArray Unscramble(const QByteArray& text, int parts, InfoBox& box) {
  bool damaged = false;
  QByteArray result = DecodeScrambled(text, parts, damaged);
  if (damaged) box.Warn(DamagedDataMessage());
  return result;
}

QByteArray DecodeScrambled(const QByteArray& text, int parts, bool& damaged) {
  parts = std::max(parts, 1);
  const qsizetype length = std::min(text.size(), kMaxScrambledLength);
  const auto* in = reinterpret_cast<const unsigned char*>(text.constData());
  const qsizetype groups = length / parts;

  QByteArray result(groups, Qt::Uninitialized);
  char* out = result.data();
  qsizetype decoded;
  switch (parts) {
    case 2: decoded = DecodeGroups(in, groups, 2, out); break;
    case 3: decoded = DecodeGroups(in, groups, 3, out); break;
    case 4: decoded = DecodeGroups(in, groups, 4, out); break;
    default: decoded = DecodeGroups(in, groups, parts, out); break;
  }
  damaged = decoded < groups;
  if (!damaged) {
    // The trailing incomplete group is dropped, but it is read: past 255 it is damage.
    unsigned tail = 0;
    for (qsizetype i = groups * parts; i < length; ++i) tail += in[i];
    damaged = tail > 255;
  }
  result.truncate(decoded);
  damaged = damaged || text.size() > kMaxScrambledLength;
  return result;
}

QByteArray Scramble(const QByteArray& text, int parts, RandomSource& random) {
  const int smallest = SmallestSplittable(parts);
  if (parts < 2 || smallest > 255) return {};
  QByteArray result(text.size() * parts, Qt::Uninitialized);
  auto* out = reinterpret_cast<unsigned char*>(result.data());
  for (const char c : text) {
    SplitByte(std::max(int((unsigned char)c), smallest), parts, random, out);
    out += parts;
  }
  return result;
}

#include "data/cp1251.h"

#include <array>

namespace {

constexpr char16_t kUnassigned = 0xFFFD;

// 0x80 … 0xBF; 0xC0 … 0xFF are А … я in order (U+0410 … U+044F).
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402,      0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC,      0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    kUnassigned, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0,      0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401,      0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0,      0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451,      0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr std::array<char16_t, 256> MakeDecodeTable() {
  std::array<char16_t, 256> table{};
  for (int b = 0; b < 0x80; ++b) table[b] = char16_t(b);
  for (int b = 0x80; b < 0xC0; ++b) table[b] = kUpperHalf[b - 0x80];
  for (int b = 0xC0; b < 0x100; ++b) table[b] = char16_t(0x0410 + (b - 0xC0));
  return table;
}
constexpr std::array<char16_t, 256> kDecode = MakeDecodeTable();

// The byte of `unicode`, or -1 when the code page has none.
int EncodeChar(char32_t unicode) {
  if (unicode < 0x80) return int(unicode);
  if (unicode >= 0x0410 && unicode <= 0x044F) return int(unicode - 0x0410 + 0xC0);
  if (unicode == kUnassigned) return -1;
  for (int i = 0; i < int(kUpperHalf.size()); ++i) {
    if (kUpperHalf[i] == unicode) return 0x80 + i;
  }
  return -1;
}

// Walks `text` by character, a surrogate pair being one; -1 for one without a byte.
template <class Visit>
void ForEachCharacter(const QString& text, Visit visit) {
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
      visit(c, -1);
      ++i;
    } else if (c.isSurrogate()) {
      visit(c, -1);
    } else {
      visit(c, EncodeChar(c.unicode()));
    }
  }
}

}  // namespace

QByteArray ToCp1251(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  ForEachCharacter(text, [&](QChar, int byte) { bytes.append(byte < 0 ? '?' : char(byte)); });
  return bytes;
}

QString FromCp1251(const char* data, qsizetype size) {
  QString text(size, Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  const auto* in = reinterpret_cast<const unsigned char*>(data);
  for (qsizetype i = 0; i < size; ++i) out[i] = kDecode[in[i]];
  return text;
}

QString FromCp1251(const QByteArray& bytes) { return FromCp1251(bytes.constData(), bytes.size()); }

bool IsCp1251Encodable(QChar c) { return !c.isSurrogate() && EncodeChar(c.unicode()) >= 0; }

QString MakeEncodable(const QString& name) {
  QString result;
  result.reserve(name.size());
  ForEachCharacter(name, [&](QChar c, int byte) {
    if (byte < 32) {
      result.append(u'?');
    } else {
      result.append(c);
    }
  });
  return result;
}

#include "data/winners_table.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "data/codec.h"
#include "data/cp1251.h"
#include "data/info_box.h"
#include "data/line_reader.h"

namespace {

constexpr int kParts = 3;
// One byte more than the decoder reads: an overlong field still gets its message.
constexpr qsizetype kFieldCap = kMaxScrambledLength + 1;
// Longest text whose scrambled form the decoder reads whole.
constexpr qsizetype kMaxPlainLength = kMaxScrambledLength / kParts;

class WinnersParser {
 public:
  void Bytes(const char* data, qsizetype size) {
    qsizetype i = 0;
    while (i < size) {
      const qsizetype start = i;
      while (i < size && !IsSpecial((unsigned char)data[i])) ++i;
      if (i > start && m_field) {
        const qsizetype take = std::min(i - start, kFieldCap - m_field->size());
        if (take > 0) m_field->append(data + start, take);
      }
      if (i == size) break;
      const unsigned char c = (unsigned char)data[i++];
      if (c == 1) {
        // Rows past the table's end are dropped, with their sums.
        if (m_rows < kMaxWinners) ++m_rows;
        m_rowDropped = m_seen >= kMaxWinners;
        ++m_seen;
        m_field = m_rowDropped ? nullptr : &m_name[size_t(m_rows)];
      } else if (c == 2) {
        // A sum before the file's first row belongs to no row.
        m_field = (m_rows == 0 || m_rowDropped) ? nullptr : &m_sum[size_t(m_rows)];
      }
    }
  }
  void EndLine() { m_field = nullptr; }

  void Finish(WinnersTable& table, InfoBox& box) {
    table = WinnersTable{};
    table.count = m_rows;
    for (int r = 1; r <= m_rows; ++r) {
      table.name[size_t(r)] = FromCp1251(EnCodeFromSN(m_name[size_t(r)], kParts, box));
      table.sum[size_t(r)] = FromCp1251(EnCodeFromSN(m_sum[size_t(r)], kParts, box));
    }
  }

 private:
  static bool IsSpecial(unsigned char c) { return c == 1 || c == 2 || c == 10 || c == 13 || c == 27; }

  std::array<QByteArray, kMaxWinners + 1> m_name, m_sum;
  int m_rows = 0;
  int m_seen = 0;
  bool m_rowDropped = false;
  QByteArray* m_field = nullptr;
};

}  // namespace

void ReadWinners(QIODevice& device, WinnersTable& table, InfoBox& box) {
  WinnersParser parser;
  ReadLines(device, parser);
  parser.Finish(table, box);
}

void LoadWinners(const QString& path, WinnersTable& table, InfoBox& box) {
  table = WinnersTable{};
  QFile file(path);
  if (!QFileInfo::exists(path)) {
    // NewOnly: never cuts a file that appeared meanwhile.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.close();
    return;
  }
  // Only an ordinary file is read; anything else (a folder, a pipe) is an empty table.
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return;
  ReadWinners(file, table, box);
}

QByteArray WinnersFileBytes(const WinnersTable& table, RandomSource& random) {
  QByteArray bytes;
  const int rows = std::clamp(table.count, 0, kMaxWinners);
  for (int r = 1; r <= rows; ++r) {
    // Made encodable and cut to what the decoder reads, so the file always loads
    // back to exactly what it was given.
    const QByteArray name = ToCp1251(MakeEncodable(table.name[size_t(r)])).left(kMaxPlainLength);
    const QByteArray sum = ToCp1251(MakeEncodable(table.sum[size_t(r)])).left(kMaxPlainLength);
    bytes.append('\x01');
    bytes.append(CodeToSN(name, kParts, random));
    bytes.append('\x02');
    bytes.append(CodeToSN(sum, kParts, random));
    bytes.append("\r\n");
  }
  return bytes;
}

bool SaveWinners(const QString& path, const WinnersTable& table, RandomSource& random) {
  const QByteArray bytes = WinnersFileBytes(table, random);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    file.commit();
    return false;
  }
  return file.commit();
}

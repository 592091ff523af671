#include "data/winners_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "data/board_lock.h"
#include "data/codec.h"
#include "data/cp1251.h"
#include "data/info_box.h"
#include "data/line_reader.h"
#include "data/ordinary_file.h"
#include "data/save_leftovers.h"
#include "data/whole_file.h"

using namespace Qt::StringLiterals;

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

  // Fills `table` and returns how many fields were damaged.
  int Finish(WinnersTable& table) {
    table = WinnersTable{};
    int damagedFields = 0;
    const auto decode = [&](const QByteArray& scrambled) {
      bool damaged = false;
      const QByteArray plain = DecodeScrambled(scrambled, kParts, damaged);
      if (damaged) ++damagedFields;
      return FromCp1251(plain);
    };
    for (int r = 1; r <= m_rows; ++r) {
      BoardRow row;
      row.name = decode(m_name[size_t(r)]);
      row.sum = decode(m_sum[size_t(r)]);
      table.rows.append(row);
    }
    return damagedFields;
  }

 private:
  static bool IsSpecial(unsigned char c) { return c == 1 || c == 2 || c == 10 || c == 13 || c == 27; }

  std::array<QByteArray, kMaxWinners + 1> m_name, m_sum;
  int m_rows = 0;
  int m_seen = 0;
  bool m_rowDropped = false;
  QByteArray* m_field = nullptr;
};

// Reads the whole device into `table`; returns the number of damaged fields.
int ReadTable(QIODevice& device, WinnersTable& table) {
  WinnersParser parser;
  ReadLines(device, parser);
  return parser.Finish(table);
}

// Reads the existing file at `path`. False when it cannot be read: only an ordinary
// file is (a folder or a pipe is not), and a read error counts like a failed open.
bool ReadExistingFile(const QString& path, WinnersTable& table, int& damagedFields) {
  table = WinnersTable{};
  damagedFields = 0;
  QFile file;
  if (!OpenOrdinaryFile(file, path)) return false;
  damagedFields = ReadTable(file, table);
  if (file.error() != QFileDevice::NoError) {
    table = WinnersTable{};
    damagedFields = 0;
    return false;
  }
  return true;
}

// Long enough for another game to finish its save (a few milliseconds), short
// enough that the window does not stand still for long while a lock that is held
// is waited on. A result that is not stored stays in memory and is tried again.
constexpr int kBriefLockWaitMs = 250;

// Takes the board's lock for a change; when it cannot, what the change comes to.
std::optional<WinnersWrite> TakeLock(BoardLock& lock, QString* problem, LockWait wait) {
  const BoardLock::Outcome outcome = lock.Take(wait == LockWait::Brief ? kBriefLockWaitMs : 0);
  if (problem) *problem = lock.problem();
  switch (outcome) {
    case BoardLock::Outcome::Taken: return std::nullopt;
    case BoardLock::Outcome::Busy: return WinnersWrite::Busy;
    case BoardLock::Outcome::Broken: return WinnersWrite::LockBroken;
    case BoardLock::Outcome::Refused: return WinnersWrite::Failed;
  }
  return WinnersWrite::Failed;
}

QString FileVersion(const QString& path) {
  const QFileInfo info(path);
  return QString::number(info.size()) + u'@' + QString::number(info.lastModified().toMSecsSinceEpoch());
}

}  // namespace

void ReadWinners(QIODevice& device, WinnersTable& table, InfoBox& box, const QString& name) {
  const int damagedFields = ReadTable(device, table);
  if (damagedFields > 0) box.Warn(DamagedFileMessage(name, damagedFields));
}

WinnersFileRead ReadWinnersFile(const QString& path, WinnersTable& table) {
  table = WinnersTable{};
  WinnersFileRead read;
  switch (ExaminePlace(path)) {
    case FilePlace::Free: {
      // NewOnly: never cuts a file that appeared meanwhile, nor follows a link.
      QFile file(path);
      if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.close();
      return read;
    }
    case FilePlace::ForeignLink:
    case FilePlace::DanglingLink: read.state = WinnersRead::Link; return read;
    case FilePlace::NotAFile: read.state = WinnersRead::Unreadable; return read;
    case FilePlace::OwnFile: break;
  }
  read.version = FileVersion(path);
  if (!ReadExistingFile(path, table, read.damagedFields)) read.state = WinnersRead::Unreadable;
  return read;
}

WinnersRead LoadWinners(const QString& path, WinnersTable& table, InfoBox& box) {
  const WinnersFileRead read = ReadWinnersFile(path, table);
  // One message for the file, however many of its fields are damaged.
  if (read.damagedFields > 0) {
    box.Warn(DamagedFileMessage(QDir::toNativeSeparators(path), read.damagedFields));
  }
  return read.state;
}

QByteArray WinnersFileBytes(const WinnersTable& table, RandomSource& random) {
  QByteArray bytes;
  for (const BoardRow& row : table.rows.first(std::min(table.count(), kMaxWinners))) {
    // Made encodable and cut to what the decoder reads, so the file always loads
    // back to exactly what it was given.
    const QByteArray name = ToCp1251(MakeEncodable(row.name)).left(kMaxPlainLength);
    const QByteArray sum = ToCp1251(MakeEncodable(row.sum)).left(kMaxPlainLength);
    bytes.append('\x01');
    bytes.append(Scramble(name, kParts, random));
    bytes.append('\x02');
    bytes.append(Scramble(sum, kParts, random));
    bytes.append("\r\n");
  }
  return bytes;
}

bool SaveWinners(const QString& path, const WinnersTable& table, RandomSource& random) {
  return WriteFileWhole(path, WinnersFileBytes(table, random));
}

qint64 WinnerSumValue(const QString& sum) {
  qint64 value = 0;
  qsizetype i = 0;
  while (i < sum.size() && sum[i] == u' ') ++i;
  const bool negative = i < sum.size() && sum[i] == u'-';
  if (negative || (i < sum.size() && sum[i] == u'+')) ++i;
  for (; i < sum.size() && sum[i].isDigit() && value < (qint64(1) << 40); ++i) value = value * 10 + sum[i].digitValue();
  return negative ? -value : value;
}

int WinnerRank(const WinnersTable& table, qint64 sum) {
  const int rows = std::min(table.count(), kMaxWinners);
  int rank = 1;
  while (rank <= rows && WinnerSumValue(table.AtRank(rank).sum) > sum) ++rank;
  return rank;
}

int InsertWinner(WinnersTable& table, const QString& name, qint64 sum, AnswerTime time) {
  if (table.count() > kMaxWinners) table.rows.resize(kMaxWinners);
  const int rank = WinnerRank(table, sum);
  if (rank > kMaxWinners) return 0;
  table.rows.insert(rank - 1, {name, QString::number(sum) + AnswerTimeMark(time)});
  // A full table drops its last row.
  if (table.count() > kMaxWinners) table.rows.removeLast();
  return rank;
}

WinnersWrite StoreWinners(const QString& path, const QList<WinnerEntry>& results, RandomSource& random,
                          QString* problem, LockWait wait) {
  BoardLock lock(path);
  if (const std::optional<WinnersWrite> refused = TakeLock(lock, problem, wait)) return *refused;
  WinnersTable table;
  switch (ExaminePlace(path)) {
    case FilePlace::Free: break;
    case FilePlace::ForeignLink:
    case FilePlace::DanglingLink: return WinnersWrite::Link;
    case FilePlace::NotAFile: return WinnersWrite::Unreadable;
    case FilePlace::OwnFile: {
      int damagedFields = 0;
      // What cannot be read is not written over: it may hold every result there is.
      if (!ReadExistingFile(path, table, damagedFields)) return WinnersWrite::Unreadable;
      break;
    }
  }
  for (const WinnerEntry& result : results) InsertWinner(table, result.name, result.sum, result.time);
  return SaveWinners(path, table, random) ? WinnersWrite::Written : WinnersWrite::Failed;
}

WinnersWrite ClearWinners(const QString& path, QString* problem) {
  BoardLock lock(path);
  if (const std::optional<WinnersWrite> refused = TakeLock(lock, problem, LockWait::Brief)) return *refused;
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return WinnersWrite::Written;
  return QFile::remove(path) ? WinnersWrite::Written : WinnersWrite::Failed;
}

void RemoveWinnersLeftovers(const QString& path) { RemoveSaveLeftovers(path); }

QString UnreadableWinnersMessage(const QString& path) {
  return u"Таблица лидеров есть, но прочитать её не удалось:"_s + u"\r\n"_s + QDir::toNativeSeparators(path) +
         u"\r\n"_s + u"Игра не будет записывать поверх неё."_s;
}

QString LinkedWinnersMessage(const QString& path) {
  return u"Таблица лидеров — ссылка, которую сделал другой пользователь или которая ведёт в никуда:"_s + u"\r\n"_s +
         QDir::toNativeSeparators(path) + u"\r\n"_s + u"Игра не читает и не записывает таблицу через такую ссылку."_s;
}

QString WinnersNotStoredMessage(const QString& path, WinnersWrite why, const QString& problem) {
  const QString kept =
      u"Прежняя таблица не тронута. Ваш результат игра помнит и запишет при следующей записи таблицы."_s;
  const QString where = u"\r\n"_s + QDir::toNativeSeparators(path) + u"\r\n"_s;
  switch (why) {
    case WinnersWrite::Unreadable:
      return u"Таблицу лидеров не удалось прочитать, и игра не записывает поверх неё:"_s + where + kept;
    case WinnersWrite::Link:
      return u"Таблица лидеров — ссылка, которую сделал другой пользователь или которая ведёт в никуда, "
             u"и игра не записывает через неё:"_s +
             where + kept;
    case WinnersWrite::Busy:
    case WinnersWrite::LockBroken:
      // The lock names itself what holds it.
      if (!problem.isEmpty()) return problem + u"\r\n"_s + kept;
      return u"Таблицу лидеров сейчас записывает другая игра:"_s + where + kept;
    case WinnersWrite::Failed:
    case WinnersWrite::Written: break;
  }
  return u"Таблицу лидеров не удалось записать (нет места на диске или нет доступа):"_s + where + kept;
}

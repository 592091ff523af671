#include "data/player_history.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>

#include "data/board_lock.h"
#include "data/ordinary_file.h"
#include "data/save_leftovers.h"
#include "data/whole_file.h"

using namespace Qt::StringLiterals;

namespace {

constexpr char kHeaderName[] = "fartovik-history";
constexpr int kVersion = 1;
// A game's line is about 400 bytes at most; anything far longer is not one.
constexpr qsizetype kMaxLineBytes = 1024;
constexpr int kMaxAsked = 15;
constexpr int kMaxLifelines = 3;
constexpr int kMaxSum = 1000000;
constexpr int kHighestLevel = 6;
constexpr int kQuestionsInGame = 15;
// As long as a change of the leaderboard waits: enough for another game's write.
constexpr int kLockWaitMs = 250;
// Names tried for a damaged file: ".bad", then ".bad.2" … before giving up.
constexpr int kMaxSetAsideNames = 99;
constexpr char kNoTime[] = "1970-01-01T00:00:00Z";
constexpr char kNoFingerprint[] = "0000000000000000";

struct OutcomeName {
  GameOutcome outcome;
  const char* name;
};
constexpr OutcomeName kOutcomes[] = {{GameOutcome::Wrong, "wrong"},
                                     {GameOutcome::TimeOut, "timeout"},
                                     {GameOutcome::TookMoney, "took-money"},
                                     {GameOutcome::Million, "million"}};

struct KindName {
  LifelineKind kind;
  const char* name;
};
constexpr KindName kKinds[] = {{LifelineKind::FiftyFifty, "fifty-fifty"},
                               {LifelineKind::PhoneFriend, "phone"},
                               {LifelineKind::AskAudience, "poll"}};

QByteArray Header() { return QByteArray(kHeaderName) + ' ' + QByteArray::number(kVersion); }

/// A number of at most seven digits within [low, high], with no sign or spaces.
std::optional<int> ReadNumber(const QByteArray& text, int low, int high) {
  if (text.isEmpty() || text.size() > 7) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<bool> ReadFlag(const QByteArray& text) {
  if (text == "1") return true;
  if (text == "0") return false;
  return std::nullopt;
}

bool IsFingerprint(const QByteArray& text) {
  return text.size() == 16 &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

QByteArray TimeText(const QDateTime& time) {
  const QDateTime utc = time.toUTC();
  // Only what reads back: a year of four digits, whole seconds.
  if (!utc.isValid() || utc.date().year() < 1 || utc.date().year() > 9999) return kNoTime;
  return utc.toString(Qt::ISODate).toLatin1();
}

std::optional<QDateTime> ReadTime(const QByteArray& text) {
  if (text.size() != 20 || !text.endsWith('Z')) return std::nullopt;
  const QDateTime time = QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
  // Written back the same, or it is not the form this file writes.
  if (!time.isValid() || TimeText(time) != text) return std::nullopt;
  return time.toUTC();
}

/// The items of a list field: "-" is none; at most `most` items, none empty.
std::optional<QList<QByteArray>> ReadList(const QByteArray& field, int most) {
  if (field == "-") return QList<QByteArray>();
  if (field.count(',') >= most) return std::nullopt;
  QList<QByteArray> items = field.split(',');
  if (std::any_of(items.begin(), items.end(), [](const QByteArray& item) { return item.isEmpty(); }))
    return std::nullopt;
  return items;
}

std::optional<AskedQuestion> ReadAsked(const QByteArray& item) {
  const QList<QByteArray> parts = item.split(':');
  if (parts.size() != 3 || !IsFingerprint(parts[1])) return std::nullopt;
  const std::optional<int> level = ReadNumber(parts[0], 0, kHighestLevel);
  const std::optional<bool> right = ReadFlag(parts[2]);
  if (!level || !right) return std::nullopt;
  return AskedQuestion{*level, parts[1], *right};
}

std::optional<LifelineUse> ReadLifeline(const QByteArray& item) {
  const qsizetype at = item.indexOf('@');
  const qsizetype colon = item.indexOf(':');
  if (at <= 0 || colon < at) return std::nullopt;
  const QByteArray name = item.left(at);
  const auto kind =
      std::find_if(std::begin(kKinds), std::end(kKinds), [&](const KindName& k) { return name == k.name; });
  if (kind == std::end(kKinds)) return std::nullopt;
  const std::optional<int> question = ReadNumber(item.mid(at + 1, colon - at - 1), 1, kQuestionsInGame);
  const std::optional<bool> right = ReadFlag(item.mid(colon + 1));
  if (!question || !right) return std::nullopt;
  return LifelineUse{kind->kind, *question, *right};
}

std::optional<GameRecord> ReadGame(const QByteArray& line) {
  if (line.size() > kMaxLineBytes) return std::nullopt;
  const QList<QByteArray> fields = line.split(' ');
  if (fields.size() != 5) return std::nullopt;
  GameRecord game;
  const std::optional<QDateTime> time = ReadTime(fields[0]);
  const auto outcome = std::find_if(std::begin(kOutcomes), std::end(kOutcomes),
                                    [&](const OutcomeName& o) { return fields[1] == o.name; });
  const std::optional<int> sum = ReadNumber(fields[2], 0, kMaxSum);
  const std::optional<QList<QByteArray>> asked = ReadList(fields[3], kMaxAsked);
  const std::optional<QList<QByteArray>> lifelines = ReadList(fields[4], kMaxLifelines);
  if (!time || outcome == std::end(kOutcomes) || !sum || !asked || !lifelines) return std::nullopt;
  game.endedAt = *time;
  game.outcome = outcome->outcome;
  game.sum = *sum;
  for (const QByteArray& item : *asked) {
    const std::optional<AskedQuestion> question = ReadAsked(item);
    if (!question) return std::nullopt;
    game.asked.push_back(*question);
  }
  for (const QByteArray& item : *lifelines) {
    const std::optional<LifelineUse> use = ReadLifeline(item);
    if (!use) return std::nullopt;
    game.lifelines.push_back(*use);
  }
  return game;
}

QByteArray GameLine(const GameRecord& game) {
  const auto outcome = std::find_if(std::begin(kOutcomes), std::end(kOutcomes),
                                    [&](const OutcomeName& o) { return o.outcome == game.outcome; });
  QByteArray line = TimeText(game.endedAt) + ' ' + (outcome != std::end(kOutcomes) ? outcome->name : "wrong") + ' ' +
                    QByteArray::number(std::clamp(game.sum, 0, kMaxSum)) + ' ';
  // Whatever a record holds, its line reads back.
  QByteArrayList asked;
  for (const AskedQuestion& q : game.asked) {
    if (asked.size() == kMaxAsked) break;
    asked.append(QByteArray::number(std::clamp(q.level, 0, kHighestLevel)) + ':' +
                 (IsFingerprint(q.fingerprint) ? q.fingerprint : QByteArray(kNoFingerprint)) + ':' +
                 (q.answeredRight ? '1' : '0'));
  }
  line += asked.isEmpty() ? QByteArray("-") : asked.join(',');
  line += ' ';
  QByteArrayList uses;
  for (const LifelineUse& use : game.lifelines) {
    if (uses.size() == kMaxLifelines) break;
    const auto kind =
        std::find_if(std::begin(kKinds), std::end(kKinds), [&](const KindName& k) { return k.kind == use.kind; });
    uses.append(QByteArray(kind != std::end(kKinds) ? kind->name : "fifty-fifty") + '@' +
                QByteArray::number(std::clamp(use.question, 1, kQuestionsInGame)) + ':' +
                (use.pointedRight ? '1' : '0'));
  }
  line += uses.isEmpty() ? QByteArray("-") : uses.join(',');
  return line;
}

enum class FileState { Read, Damaged, Later, Unreadable };

FileState ReadHistoryFile(const QString& path, std::vector<GameRecord>& games) {
  games.clear();
  switch (ExaminePlace(path)) {
    case FilePlace::Free: return FileState::Read;
    case FilePlace::ForeignLink:
    case FilePlace::DanglingLink:
    case FilePlace::NotAFile: return FileState::Unreadable;
    case FilePlace::OwnFile: break;
  }
  QFile file;
  if (!OpenOrdinaryFile(file, path)) return FileState::Unreadable;
  const QByteArray bytes = file.read(kMaxHistoryBytes + 1);
  if (file.error() != QFileDevice::NoError) return FileState::Unreadable;
  if (bytes.size() > kMaxHistoryBytes) return FileState::Damaged;
  switch (ParseHistory(bytes, games)) {
    case HistoryParse::Read: return FileState::Read;
    case HistoryParse::Damaged: return FileState::Damaged;
    case HistoryParse::Later: return FileState::Later;
  }
  return FileState::Damaged;
}

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString DamagedMessage(const QString& path, const QString& setAside) {
  return u"Файл истории игр повреждён или записан не этой игрой:\r\n"_s + Shown(path) +
         u"\r\nИстория сыгранных игр начинается заново. Прежний файл не тронут и сохранён как:\r\n"_s + Shown(setAside);
}

QString UnmovableMessage(const QString& path) {
  return u"Файл истории игр повреждён или записан не этой игрой, и отложить его не удалось:\r\n"_s + Shown(path) +
         u"\r\nИгра не будет записывать поверх него."_s;
}

QString LaterMessage(const QString& path) {
  return u"Файл истории игр записан более новой версией игры:\r\n"_s + Shown(path) +
         u"\r\nЭта версия не читает и не записывает его."_s;
}

QString UnreadableMessage(const QString& path) {
  return u"Файл истории игр есть, но прочитать его не удалось:\r\n"_s + Shown(path) +
         u"\r\nИгра не будет записывать поверх него."_s;
}

QString NotWrittenMessage(const QString& path) {
  return u"Историю игр не удалось записать (нет места на диске или нет доступа):\r\n"_s + Shown(path);
}

QString LockMessage(const QString& path, BoardLock::Outcome outcome) {
  if (outcome == BoardLock::Outcome::Busy) return u"Историю игр сейчас записывает другая игра:\r\n"_s + Shown(path);
  return u"Историю игр не удалось записать: файл блокировки не создаётся или не освобождается:\r\n"_s +
         Shown(path + u".lock"_s);
}

/// Takes the history's lock for a change; what stands in the way, or nothing.
QString TakeLock(BoardLock& lock, const QString& path) {
  const BoardLock::Outcome taken = lock.Take(kLockWaitMs);
  return taken == BoardLock::Outcome::Taken ? QString() : LockMessage(path, taken);
}

/// Renames a damaged file out of the way, untouched; the name it now has, or empty
/// when every name was taken or the rename failed.
QString SetAside(const QString& path) {
  for (int n = 1; n <= kMaxSetAsideNames; ++n) {
    const QString name = path + u".bad"_s + (n == 1 ? QString() : u"."_s + QString::number(n));
    if (ExaminePlace(name) != FilePlace::Free) continue;
    // Never replaces a file that appeared under that name meanwhile.
    return QFile::rename(path, name) ? name : QString();
  }
  return QString();
}

}  // namespace

HistoryParse ParseHistory(const QByteArray& bytes, std::vector<GameRecord>& games) {
  games.clear();
  if (bytes.isEmpty()) return HistoryParse::Read;
  QList<QByteArray> lines = bytes.split('\n');
  // After a final line end the split leaves an empty piece; without one the last
  // line may be cut short.
  const bool lastCut = !bytes.endsWith('\n');
  if (!lastCut) lines.removeLast();
  for (QByteArray& line : lines)
    if (line.endsWith('\r')) line.chop(1);

  const QByteArray& header = lines.front();
  if (header != Header()) {
    const QByteArray prefix = QByteArray(kHeaderName) + ' ';
    if (header.startsWith(prefix) && ReadNumber(header.mid(prefix.size()), kVersion + 1, 9999999))
      return HistoryParse::Later;
    // A header cut short is a file whose first write was cut short: nothing in it yet.
    if (lines.size() == 1 && lastCut && Header().startsWith(header)) return HistoryParse::Read;
    return HistoryParse::Damaged;
  }
  for (qsizetype i = 1; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    std::optional<GameRecord> game = ReadGame(lines[i]);
    if (game) {
      games.push_back(std::move(*game));
    } else if (!(lastCut && i == lines.size() - 1)) {
      games.clear();
      return HistoryParse::Damaged;
    }
  }
  return HistoryParse::Read;
}

QByteArray HistoryBytes(const std::vector<GameRecord>& games) {
  QByteArray bytes = Header() + '\n';
  for (const GameRecord& game : games) bytes += GameLine(game) + '\n';
  return bytes;
}

HistoryRead PlayerHistoryFile::Open(const QString& folder) {
  m_path = QDir(folder).filePath(QString::fromUtf16(kHistoryFileName));
  m_damageTold = false;
  // A write killed before its rename leaves its temporary file beside the history.
  RemoveSaveLeftovers(m_path);
  HistoryRead read;
  switch (ReadHistoryFile(m_path, read.games)) {
    case FileState::Read: return read;
    case FileState::Later: read.message = LaterMessage(m_path); return read;
    case FileState::Unreadable: read.message = UnreadableMessage(m_path); return read;
    case FileState::Damaged: break;
  }
  // Set aside under the lock: another game may be replacing the file this moment, and
  // its new file must not be the one moved.
  BoardLock lock(m_path);
  if (lock.Take(kLockWaitMs) != BoardLock::Outcome::Taken) {
    // The next write sets it aside; the player hears of it now.
    m_damageTold = true;
    read.message = DamagedMessage(m_path, m_path + u".bad"_s);
    return read;
  }
  if (ReadHistoryFile(m_path, read.games) != FileState::Damaged) return read;
  const QString setAside = SetAside(m_path);
  if (setAside.isEmpty()) {
    read.message = UnmovableMessage(m_path);
    return read;
  }
  m_damageTold = true;
  read.message = DamagedMessage(m_path, setAside);
  return read;
}

HistoryWrite PlayerHistoryFile::Add(const std::vector<GameRecord>& games) {
  HistoryWrite write;
  BoardLock lock(m_path);
  write.message = TakeLock(lock, m_path);
  if (!write.message.isEmpty()) return write;
  // The file as it is now: games other copies ended meanwhile stay in it.
  std::vector<GameRecord> kept;
  switch (ReadHistoryFile(m_path, kept)) {
    case FileState::Read: break;
    case FileState::Later: write.message = LaterMessage(m_path); return write;
    case FileState::Unreadable: write.message = UnreadableMessage(m_path); return write;
    case FileState::Damaged: {
      const QString setAside = SetAside(m_path);
      if (setAside.isEmpty()) {
        write.message = UnmovableMessage(m_path);
        return write;
      }
      if (!std::exchange(m_damageTold, true)) write.message = DamagedMessage(m_path, setAside);
      break;
    }
  }
  kept.insert(kept.end(), games.begin(), games.end());
  if (kept.size() > size_t(kMaxKeptGames)) kept.erase(kept.begin(), kept.end() - kMaxKeptGames);
  if (!WriteFileWhole(m_path, HistoryBytes(kept))) {
    write.message = NotWrittenMessage(m_path);
    return write;
  }
  write.written = true;
  write.games = std::move(kept);
  return write;
}

HistoryWrite PlayerHistoryFile::Forget() {
  HistoryWrite write;
  BoardLock lock(m_path);
  write.message = TakeLock(lock, m_path);
  if (!write.message.isEmpty()) return write;
  if (!WriteFileWhole(m_path, HistoryBytes({}))) {
    write.message = NotWrittenMessage(m_path);
    return write;
  }
  write.written = true;
  return write;
}

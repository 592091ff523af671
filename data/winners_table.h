#pragma once

#include <QList>
#include <QString>

#include "data/answer_time.h"

class InfoBox;
class QIODevice;
class RandomSource;

constexpr int kMaxWinners = 50;

/// One row of the leaderboard. The sum stays the text the file holds, so that a
/// board read and written back is the same file and shows as it was written.
struct BoardRow {
  QString name;
  QString sum;
  bool operator==(const BoardRow&) const = default;
};

/// The leaderboard: the best result first, at most kMaxWinners rows.
struct WinnersTable {
  QList<BoardRow> rows;

  int count() const { return int(rows.size()); }
  /// The row at `rank`, 1 for the best, as the board numbers them.
  const BoardRow& AtRank(int rank) const { return rows.at(rank - 1); }
  BoardRow& AtRank(int rank) { return rows[rank - 1]; }
};

/// What a load found at the leaderboard's place.
enum class WinnersRead {
  Read,        ///< the file was read (or created empty where there was none)
  Unreadable,  ///< something is there but could not be read: it must not be written over
  Link,        ///< a link made by another user, or one to nothing: never used
};

/// A load of the leaderboard file without a word to the player: the caller decides
/// what to say, and when.
struct WinnersFileRead {
  WinnersRead state = WinnersRead::Read;
  int damagedFields = 0;
  /// The file as it was read (size and time of change): the same damage in the same
  /// file is worth one message, not one per look at the board.
  QString version;
};
/// Replaces `table` by the leaderboard in the file at `path`, creating an empty file
/// first when there is nothing there; never follows a link another user made.
WinnersFileRead ReadWinnersFile(const QString& path, WinnersTable& table);

/// Replaces `table` by the leaderboard in the file at `path`, creating an empty
/// file first when there is none. Damaged fields keep what was decoded before the
/// damage and give one message for the file. A file that exists but cannot be read
/// (no permission, an I/O error, a folder in its place) is an empty table, and says
/// so by its result; the caller tells the player.
WinnersRead LoadWinners(const QString& path, WinnersTable& table, InfoBox& box);
/// Replaces `table` by the leaderboard read from `device` to its end; one message
/// (naming `name` when given) when fields were damaged.
void ReadWinners(QIODevice& device, WinnersTable& table, InfoBox& box, const QString& name = {});

/// The bytes SaveWinners writes for `table`.
QByteArray WinnersFileBytes(const WinnersTable& table, RandomSource& random);
/// Writes rows 1 … count to the file at `path`, replacing it as a whole: afterwards
/// it holds the old table or the new one, never a part. False when it could not be
/// written; the old file is then unchanged.
bool SaveWinners(const QString& path, const WinnersTable& table, RandomSource& random);

/// A stored sum read as a number: its leading digits, 0 when there are none.
qint64 WinnerSumValue(const QString& sum);
/// The row a result of `sum` takes: above every row with an equal or smaller sum;
/// kMaxWinners + 1 when a full table holds only better results.
int WinnerRank(const WinnersTable& table, qint64 sum);
/// Puts a result into `table` at its rank, moving the rows below down (a full
/// table drops its last row). Returns the rank, or 0 when the result has no row.
/// A result played with more time than the game's own carries its mark behind the
/// sum; it ranks by the sum alone.
int InsertWinner(WinnersTable& table, const QString& name, qint64 sum, AnswerTime time = AnswerTime::Normal);

/// A result to be stored: the name confirmed for it, its sum and the most time any
/// question of its game gave.
struct WinnerEntry {
  QString name;
  qint32 sum = 0;
  AnswerTime time = AnswerTime::Normal;
  bool operator==(const WinnerEntry&) const = default;
};

/// How a change of the leaderboard file went.
enum class WinnersWrite {
  Written,     ///< the change is in the file
  Unreadable,  ///< the file exists but cannot be read; it was left alone
  Busy,        ///< another game kept the board locked
  Failed,      ///< the file could not be written (a full disk, no permission); it is unchanged
  LockBroken,  ///< something in the lock's place never clears by itself
  Link,        ///< the board is a link made by another user, or one to nothing
};

/// How long a change of the board waits for a lock that is held.
enum class LockWait {
  None,   ///< one try: a caller on the window's thread tries again later instead
  Brief,  ///< a quarter of a second, enough for another game's save
};

/// Inserts each of `results`, in order, at its rank into the leaderboard file as it
/// is at this moment, so that games running side by side never undo each other's
/// results: takes the lock beside the file (a lock left by a game that was killed
/// is taken over), reads the file afresh and writes it whole, all before the lock
/// is released. Nothing is shown while the lock is held; damaged fields keep what
/// was decoded before the damage, as on a load. The lock is waited for at most as
/// `wait` says, so a lock that is held never freezes the window for long. `problem`,
/// when given, gets what stood in the way, in the player's words.
WinnersWrite StoreWinners(const QString& path, const QList<WinnerEntry>& results, RandomSource& random,
                          QString* problem = nullptr, LockWait wait = LockWait::Brief);
/// Deletes the leaderboard file under the same lock, waited for briefly; a missing
/// file is cleared already.
WinnersWrite ClearWinners(const QString& path, QString* problem = nullptr);

/// Removes the temporary files a save left when it was killed before it could put
/// its file in place. Only names of the save's own pattern go (see
/// IsWholeFileLeftover), and only while no other game is saving.
void RemoveWinnersLeftovers(const QString& path);

/// "Таблица лидеров не читается …": the board at `path` exists and will not be written over.
QString UnreadableWinnersMessage(const QString& path);
/// The board at `path` is a link that is not used: the game neither reads nor writes it.
QString LinkedWinnersMessage(const QString& path);
/// Why a result could not be stored in the board at `path`; it is kept for the next
/// save. `problem` is what StoreWinners said stood in the way.
QString WinnersNotStoredMessage(const QString& path, WinnersWrite why, const QString& problem = {});

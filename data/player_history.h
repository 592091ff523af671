#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "data/game_history.h"

/// The player's finished games in a text file of their own, "History.txt" beside the
/// leaderboard. The format, version 1 (UTF-8 without BOM, lines end in LF):
///
///     fartovik-history 1
///     2026-12-11T19:30:00Z wrong 1000 1:0123456789abcdef:1,1:89abcdef01234567:0 fifty-fifty@2:0
///
/// The first line names the format and its version. Then one line per finished game,
/// oldest first, five fields apart by single spaces:
/// - when the game ended, UTC, `yyyy-MM-ddTHH:mm:ssZ`;
/// - how it ended: `wrong`, `timeout`, `took-money` or `million`;
/// - the sum taken home, 0 … 1000000;
/// - the questions asked, in order, comma-separated `level:fingerprint:right`
///   (level 0 … 6, the question's 16-hex-digit fingerprint, right 1 or 0), at most 15;
/// - the lifelines taken, comma-separated `kind@question:pointedRight` (kind
///   `fifty-fifty`, `phone` or `poll`, question 1 … 15, 1 when the answer it pointed to
///   was right), at most 3.
/// An empty list is `-`.
///
/// Each change is a whole-file write under the leaderboard's lock discipline (the lock
/// "History.txt.lock"; the file read afresh under it, the new one written beside it,
/// flushed to the disk and renamed into place), so that a game killed at any moment
/// leaves the old file or the new one, never a part, and two games ending side by side
/// both count. A file is rewritten from what was read, so only a file read whole is
/// ever written over.
///
/// A file that is not this format (another header, a line that does not read) is
/// damaged: it is renamed to "History.txt.bad" untouched (".bad.2" … when that name is
/// taken) and the history starts afresh, with one message. A last line without its
/// line end is what a copy cut short leaves: it is dropped without a word when it does
/// not read. A file of a later version is neither read nor written. Files larger than
/// kMaxHistoryBytes count as damaged; the oldest games go once more than kMaxKeptGames
/// would be kept, which keeps the file well under that size.
class PlayerHistoryFile : public GameHistory {
 public:
  HistoryRead Open(const QString& folder) override;
  HistoryWrite Add(const std::vector<GameRecord>& games) override;
  HistoryWrite Forget() override;

  const QString& path() const { return m_path; }

 private:
  QString m_path;
  /// The player has heard that the file was set aside: a later write that finds it
  /// damaged again sets it aside without a second word about the same evening.
  bool m_damageTold = false;
};

constexpr qint64 kMaxHistoryBytes = 16 * 1024 * 1024;
constexpr int kMaxKeptGames = 20000;
/// The file's name in the data folder.
inline constexpr char16_t kHistoryFileName[] = u"History.txt";

/// How the bytes of a history file read.
enum class HistoryParse {
  Read,     ///< the games are read (an empty file holds none)
  Damaged,  ///< not this format, or a line that does not read
  Later,    ///< a later version of the format
};
/// Reads the history file's bytes into `games`; nothing is read unless all of it is.
HistoryParse ParseHistory(const QByteArray& bytes, std::vector<GameRecord>& games);
/// The bytes of a history file holding `games`.
QByteArray HistoryBytes(const std::vector<GameRecord>& games);

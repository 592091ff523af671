#pragma once

#include <QString>
#include <array>

class InfoBox;
class QIODevice;
class RandomSource;

constexpr int kMaxWinners = 50;

struct WinnersTable {
  int count = 0;                                  ///< WinnerCount
  std::array<QString, kMaxWinners + 1> name, sum;  ///< 1-based rows 1 … count; [0] unused
};

/// Replaces `table` by the leaderboard in the file at `path`, creating an empty
/// file first when there is none. A file that cannot be read is an empty table.
void LoadWinners(const QString& path, WinnersTable& table, InfoBox& box);
/// Replaces `table` by the leaderboard read from `device` to its end.
void ReadWinners(QIODevice& device, WinnersTable& table, InfoBox& box);

/// The bytes SaveWinners writes for `table`.
QByteArray WinnersFileBytes(const WinnersTable& table, RandomSource& random);
/// Writes rows 1 … count to the file at `path`, replacing it as a whole: afterwards
/// it holds the old table or the new one, never a part. False when it could not be
/// written; the old file is then unchanged.
bool SaveWinners(const QString& path, const WinnersTable& table, RandomSource& random);

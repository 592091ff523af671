#pragma once

#include <QLockFile>
#include <QString>

/// The lock beside a file that games running side by side change in turn. Before
/// the toolkit's lock is tried, what lies at the lock's place is looked at, so that
/// a pipe there cannot hold the game in an open() for ever, and a lock that can
/// never clear (a folder, a file that cannot be read) is named for what it is
/// instead of being waited on and blamed on another game.
class BoardLock {
 public:
  enum class Outcome {
    Taken,
    Busy,     ///< another game that is running holds it
    Broken,   ///< something in its place will never clear by itself; see problem()
    Refused,  ///< the folder does not let the lock be made (no permission)
  };

  /// The lock of the file at `path`: `path` + ".lock".
  explicit BoardLock(const QString& path);

  /// Tries for at most `waitMs` milliseconds; 0 tries once. A save takes a few
  /// milliseconds, so a short wait covers another game's save; a lock left by a game
  /// that died, or one that holds no lock at all, is taken over at once.
  Outcome Take(int waitMs);
  /// Why the lock is Busy or Broken, in the player's words, naming the file.
  QString problem() const { return m_problem; }

 private:
  /// Whether the lock, and the lock that guards taking it over, are files that can
  /// be read; otherwise sets m_problem.
  bool PlacesUsable();
  /// A lock file that names no process (cut short by a crash, or written by
  /// something else) guards nothing; it goes once it is older than a save.
  void DropLockOfNoProcess();

  QString m_path;
  QLockFile m_lock;
  QString m_problem;
};

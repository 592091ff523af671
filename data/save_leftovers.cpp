#include "data/save_leftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/board_lock.h"
#include "data/whole_file.h"

void RemoveSaveLeftovers(const QString& path) {
  const QFileInfo file(path);
  BoardLock lock(path);
  // The next start cleans up what a game saving now leaves.
  if (lock.Take(0) != BoardLock::Outcome::Taken) return;
  const QFileInfoList entries = file.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QFileInfo& entry : entries) {
    if (!entry.isSymLink() && entry.isFile() && IsWholeFileLeftover(entry.fileName(), file.fileName())) {
      QFile::remove(entry.filePath());
    }
  }
}

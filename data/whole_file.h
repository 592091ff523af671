#pragma once

#include <QByteArray>
#include <QString>

/// Replaces the file at `path` by `bytes` as a whole: afterwards it holds the old
/// content or the new one, never a part. Every step is checked, the last buffered
/// bytes and the flush to the disk included, so that a full disk fails the write
/// instead of putting a cut file in place of a whole one. False when the file could
/// not be written (the old one is then untouched); `error` says why.
///
/// Only a free place or an ordinary file is written (see ExaminePlace): a link made
/// by someone else, a link to nothing, a folder or a pipe is refused, so a link
/// planted in a shared folder never turns the write onto another file.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

/// Whether `entryName` is a temporary file WriteFileWhole left beside `fileName`
/// when it was killed before its rename. Its pattern is the game's own, hidden and
/// named after the game, so that no file a player keeps beside it ever matches.
bool IsWholeFileLeftover(const QString& entryName, const QString& fileName);

#pragma once

#include <QByteArray>
#include <QString>

/// Replaces the file at `path` by `bytes` as a whole: afterwards it holds the old
/// content or the new one, never a part. Every step is checked, the last buffered
/// bytes and the flush to the disk included, so that a full disk fails the write
/// instead of putting a cut file in place of a whole one. False when the file could
/// not be written (the old one is then untouched); `error` says why.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

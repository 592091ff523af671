#pragma once

#include <QByteArray>
#include <QString>

class QFile;

/// What stands at a path where the game keeps or reads a file of its own.
enum class FilePlace {
  Free,          ///< nothing: the file may be created
  OwnFile,       ///< an ordinary file, or a link of the player's own to one
  ForeignLink,   ///< a link someone else made: never read or written through
  DanglingLink,  ///< a link to nothing: writing would create its target
  NotAFile,      ///< a folder, a pipe, a device …: opening it may never return
};

/// Looks at `path` without opening it. A link counts as the player's own only when
/// the player owns the link and it leads to an ordinary file.
FilePlace ExaminePlace(const QString& path);

/// Opens `path` for reading only when it is an ordinary file, following links. The
/// type is checked on the opened file itself, and the open never waits: a pipe or a
/// device put in the file's place (even after it was listed) is refused at once
/// instead of holding the game for ever.
bool OpenOrdinaryFile(QFile& file, const QString& path);
/// The same for a path given as the file system's own bytes, which need not be
/// valid text in any encoding.
bool OpenOrdinaryFile(QFile& file, const QByteArray& nativePath);

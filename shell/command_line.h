#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// What the command line asks for. The game's options are read before any window
/// exists, so --help, --version and a mistake are answered without a display.
struct CommandLine {
  enum class Action { Play, Print, Fail };
  Action action = Action::Play;
  /// For Print the text for standard output, for Fail the error for standard error.
  QString text;
  /// The exit status for Print (0) and Fail (2).
  int exitCode = 0;
  /// --data DIR as given, in the file system's own bytes: a folder whose name is not
  /// valid text is still found. Empty: the usual folders.
  QByteArray dataFolder;
};

/// Reads the program's arguments as the program got them (`arguments[0]` is the
/// program). Qt's own options (-platform, -display, -style …) are let through for
/// the application object.
CommandLine ParseCommandLine(const QList<QByteArray>& arguments);
/// The same for arguments given as text.
CommandLine ParseCommandLine(const QStringList& arguments);

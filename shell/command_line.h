#pragma once

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
  /// --data DIR as given; empty: the usual folders.
  QString dataFolder;
};

/// Reads the program's arguments (`arguments[0]` is the program). Qt's own options
/// (-platform, -display, -style …) are let through for the application object.
CommandLine ParseCommandLine(const QStringList& arguments);

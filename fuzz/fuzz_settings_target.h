#pragma once

// The fuzz entry point for what the player hands the game before it has a window:
// the settings file and the command line. Like fuzz_targets.h, it returns an empty
// text when the input was handled as it should be, or what went wrong.

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdint>

#include "shell/command_line.h"
#include "shell/player_settings.h"
#include "shell/view_scale.h"

namespace fuzz {

/// The input up to the first NUL is the settings file; after it, one argument per
/// line follows the program's name.
inline QString SettingsAndCommandLine(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const qsizetype split = bytes.indexOf('\0');
  const QByteArray ini = split < 0 ? bytes : bytes.left(split);
  const QByteArray line = split < 0 ? QByteArray() : bytes.mid(split + 1);

  static QTemporaryDir dir;
  const QString file = dir.path() + QStringLiteral("/fartovik.ini");
  {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return QStringLiteral("cannot write the settings");
    out.write(ini);
  }
  // What the window reads from its settings at start, and what it makes of them.
  const std::unique_ptr<QSettings> settings = OpenPlayerSettings(file);
  bool known = false;
  const qreal stored = settings->value(QStringLiteral("view/zoom")).toReal(&known);
  const qreal zoom = ViewScale::Nearest(known ? stored : 1.0);
  if (!ViewScale::Steps().contains(zoom)) return QStringLiteral("a stored zoom is not a step");
  const QSize window = ViewScale::WindowSize(zoom);
  const QVariant position = settings->value(QStringLiteral("view/position"));
  if (position.canConvert<QPoint>() && position.isValid()) {
    const QRect screen(0, 0, 1920, 1080);
    const QPoint placed = ViewScale::ClampOntoScreens(position.toPoint(), window, {screen});
    if (window.width() <= screen.width() && window.height() <= screen.height() &&
        !screen.contains(QRect(placed, window))) {
      return QStringLiteral("a stored position puts the window off the screen");
    }
  }
  settings->value(QStringLiteral("view/fullScreen"), false).toBool();
  settings->value(QStringLiteral("sound/enabled"), true).toBool();

  // As the program gets them: bytes, in whatever encoding.
  QList<QByteArray> arguments{QByteArrayLiteral("fartovik")};
  if (!line.isEmpty()) arguments.append(line.split('\n'));
  const CommandLine parsed = ParseCommandLine(arguments);
  switch (parsed.action) {
    case CommandLine::Action::Play: {
      if (parsed.exitCode != 0 || !parsed.text.isEmpty()) return QStringLiteral("play with a status or a text");
      if (parsed.dataFolder.isEmpty()) break;
      // The folder is a word given whole, or what follows "=" in one.
      bool given = false;
      for (const QByteArray& argument : arguments) {
        given = given || argument == parsed.dataFolder || argument.endsWith(QByteArray("=" + parsed.dataFolder));
      }
      if (!given) return QStringLiteral("a data folder that was not given");
      break;
    }
    case CommandLine::Action::Print:
      if (parsed.exitCode != 0 || parsed.text.isEmpty()) return QStringLiteral("print without its text");
      break;
    case CommandLine::Action::Fail:
      if (parsed.exitCode != 2 || parsed.text.isEmpty()) return QStringLiteral("a failure without its reason");
      break;
  }
  return {};
}

}  // namespace fuzz

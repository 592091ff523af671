#include "shell/command_line.h"

#include <QCommandLineParser>

#include "screen/game_version.h"

using namespace Qt::StringLiterals;

namespace {

// Options QGuiApplication and QApplication take out of the arguments themselves.
// The parser must know them, or a launcher's "-platform xcb" would be refused.
const char* const kQtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                           "display", "geometry", "name", "title", "style", "stylesheet"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's options are single-dash words; read "-platform" as one option, not as -p -l -a ….
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(
      u"О, фартовик! — викторина на одного игрока: пятнадцать вопросов, лестница выигрышей, три подсказки.\n"
      "A single-player quiz game in Russian."_s);
  const QCommandLineOption help({u"h"_s, u"help"_s}, u"Показать эту справку и выйти (show this help)."_s);
  const QCommandLineOption version({u"v"_s, u"version"_s}, u"Показать версию и выйти (show the version)."_s);
  const QCommandLineOption data(u"data"_s,
                                u"Играть с базами вопросов из папки DIR вместо установленных "
                                "(play from the question bases in DIR)."_s,
                                u"DIR"_s);
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(data);
  for (const char* name : kQtOptionsWithValue) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), u"value"_s);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : kQtFlags) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }

  CommandLine result;
  const QString program = u"fartovik"_s;
  const auto fail = [&](const QString& error) {
    result.action = CommandLine::Action::Fail;
    result.exitCode = 2;
    result.text = program + u": "_s + error + u"\nTry '"_s + program + u" --help' for more information.\n"_s;
    return result;
  };
  if (!parser.parse(arguments)) return fail(parser.errorText());
  if (!parser.positionalArguments().isEmpty()) {
    return fail(u"unexpected argument '"_s + parser.positionalArguments().constFirst() + u"'"_s);
  }
  if (parser.isSet(help)) {
    result.action = CommandLine::Action::Print;
    result.text = u"Usage: "_s + program + u" [--data DIR]\n\n"_s + parser.applicationDescription() +
                  u"\n\nOptions:\n"_s + parser.helpText().section(u"Options:\n"_s, 1) +
                  u"\nQt's own options (-platform, -display, -style …) are accepted too.\n"_s;
    return result;
  }
  if (parser.isSet(version)) {
    result.action = CommandLine::Action::Print;
    result.text = program + u' ' + GameVersion() + u'\n';
    return result;
  }
  result.dataFolder = parser.value(data);
  if (parser.isSet(data) && result.dataFolder.isEmpty()) return fail(u"--data needs a folder"_s);
  return result;
}

#include "shell/command_line.h"

#include <QCommandLineParser>
#include <QFile>

#include "screen/game_version.h"

using namespace Qt::StringLiterals;

namespace {

// Options QGuiApplication and QApplication take out of the arguments themselves.
// The parser must know them, or a launcher's "-platform xcb" would be refused.
const char* const kQtOptionsWithValue[] = {"platform",        "platformpluginpath", "platformtheme", "plugin",
                                           "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                           "display",         "geometry",           "name",          "title",
                                           "style",           "stylesheet"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool TakesValue(QByteArrayView name) {
  if (name == "data") return true;
  for (const char* option : kQtOptionsWithValue) {
    if (name == option) return true;
  }
  return false;
}

// The bytes of the last --data value, read as the parser reads the words: "--" ends
// the options, one dash or two name an option, "=" or the next word gives its value.
// The parser itself sees text, in which bytes that are not valid UTF-8 are lost.
QByteArray RawDataFolder(const QList<QByteArray>& arguments) {
  QByteArray folder;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QByteArray& word = arguments[i];
    if (word == "--") break;
    if (word.size() < 2 || !word.startsWith('-')) continue;
    const QByteArray option = word.mid(word.startsWith("--") ? 2 : 1);
    const qsizetype equals = option.indexOf('=');
    const QByteArray name = equals < 0 ? option : option.left(equals);
    if (!TakesValue(name)) continue;
    QByteArray value;
    if (equals >= 0) {
      value = option.mid(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    }
    if (name == "data") folder = value;
  }
  return folder;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  QList<QByteArray> bytes;
  for (const QString& argument : arguments) bytes.append(QFile::encodeName(argument));
  return ParseCommandLine(bytes);
}

CommandLine ParseCommandLine(const QList<QByteArray>& rawArguments) {
  QStringList arguments;
  for (const QByteArray& argument : rawArguments) arguments.append(QString::fromLocal8Bit(argument));

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
  if (parser.isSet(data) && parser.value(data).isEmpty()) return fail(u"--data needs a folder"_s);
  if (parser.isSet(data)) result.dataFolder = RawDataFolder(rawArguments);
  return result;
}

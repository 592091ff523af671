// The game's command line: help and version are answered before any window
// exists, a mistake is named and ends with status 2, --data picks the folder.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "screen/game_version.h"
#include "shell/command_line.h"

using namespace Qt::StringLiterals;

namespace {

CommandLine Parse(const QStringList& words) { return ParseCommandLine(QStringList{u"fartovik"_s} + words); }

}  // namespace

TEST(CommandLine, HelpAndVersionArePrintedAndEndWithStatusZero) {
  for (const QString& word : {u"--help"_s, u"-h"_s}) {
    const CommandLine line = Parse({word});
    EXPECT_EQ(line.action, CommandLine::Action::Print) << word.toStdString();
    EXPECT_EQ(line.exitCode, 0);
    EXPECT_TRUE(line.text.startsWith(u"Usage: fartovik [--data DIR]\n"_s)) << line.text.toStdString();
    for (const QString& option : {u"--help"_s, u"--version"_s, u"--data <DIR>"_s}) {
      EXPECT_TRUE(line.text.contains(option)) << option.toStdString();
    }
    // Qt's own options are accepted but not listed one by one.
    EXPECT_FALSE(line.text.contains(u"--platformpluginpath"_s));
  }
  for (const QString& word : {u"--version"_s, u"-v"_s}) {
    const CommandLine line = Parse({word});
    EXPECT_EQ(line.action, CommandLine::Action::Print);
    EXPECT_EQ(line.exitCode, 0);
    EXPECT_EQ(line.text, u"fartovik 0.99.19\n"_s);
  }
  EXPECT_EQ(GameVersion(), u"0.99.19"_s);
}

TEST(CommandLine, MistakesAreNamedAndEndWithStatusTwo) {
  const struct {
    QStringList words;
    QString named;
  } cases[] = {
      {{u"--bogus"_s}, u"--bogus"_s.mid(2)},
      {{u"-x"_s}, u"x"_s},
      {{u"--data"_s}, u"data"_s},                    // the folder is missing
      {{u"--data="_s}, u"--data"_s},                 // an empty folder
      {{u"extra"_s}, u"extra"_s},                    // the game takes no file
      {{u"--version"_s, u"--bogus"_s}, u"bogus"_s},  // a mistake is not hidden by --version
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words.join(u' ').toStdString());
    const CommandLine line = Parse(c.words);
    EXPECT_EQ(line.action, CommandLine::Action::Fail);
    EXPECT_EQ(line.exitCode, 2);
    EXPECT_TRUE(line.text.startsWith(u"fartovik: "_s)) << line.text.toStdString();
    EXPECT_TRUE(line.text.contains(c.named)) << line.text.toStdString();
    EXPECT_TRUE(line.text.contains(u"--help"_s));
  }
}

TEST(CommandLine, PlayingTakesTheDataFolderAndLetsQtOptionsThrough) {
  EXPECT_EQ(Parse({}).action, CommandLine::Action::Play);
  EXPECT_TRUE(Parse({}).dataFolder.isEmpty());
  for (const QStringList& words : {QStringList{u"--data"_s, u"/tmp/pack"_s}, QStringList{u"--data=/tmp/pack"_s},
                                   QStringList{u"-platform"_s, u"offscreen"_s, u"--data"_s, u"/tmp/pack"_s},
                                   QStringList{u"-style"_s, u"fusion"_s, u"-reverse"_s, u"--data"_s, u"/tmp/pack"_s}}) {
    SCOPED_TRACE(words.join(u' ').toStdString());
    const CommandLine line = Parse(words);
    EXPECT_EQ(line.action, CommandLine::Action::Play) << line.text.toStdString();
    EXPECT_EQ(line.dataFolder, QByteArray("/tmp/pack"));
  }
}

// A folder named in another encoding reaches the game as the bytes it was given.
TEST(CommandLine, TheDataFolderKeepsItsBytesWhenTheyAreNotText) {
  const QByteArray folder = "/tmp/caf\xe9";
  for (const QList<QByteArray>& words :
       {QList<QByteArray>{"--data", folder}, QList<QByteArray>{"--data=" + folder}, QList<QByteArray>{"-data", folder},
        QList<QByteArray>{"-platform", "offscreen", "--data", "/tmp/first", "--data", folder},
        // A value of Qt's own that reads like the option is no folder.
        QList<QByteArray>{"-title", "--data", "--data", folder}}) {
    SCOPED_TRACE(words.join(' ').toStdString());
    const CommandLine line = ParseCommandLine(QList<QByteArray>{"fartovik"} + words);
    EXPECT_EQ(line.action, CommandLine::Action::Play) << line.text.toStdString();
    EXPECT_EQ(line.dataFolder, folder);
  }
  // After "--" every word is the game's, and it takes none.
  EXPECT_EQ(ParseCommandLine(QList<QByteArray>{"fartovik", "--", "--data", folder}).action, CommandLine::Action::Fail);
}

// The built program itself, where no display can be reached: --help and --version
// must not need one, and a mistake must be refused before one is looked for.
TEST(CommandLine, TheProgramAnswersWithoutADisplay) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(u"DISPLAY"_s);
  env.remove(u"WAYLAND_DISPLAY"_s);
  env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
  const auto run = [&](const QStringList& words) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(FARTOVIK_BINARY_DIR "/fartovik"), words);
    EXPECT_TRUE(process.waitForFinished(20000));
    return std::tuple{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                      QString::fromUtf8(process.readAllStandardOutput()),
                      QString::fromUtf8(process.readAllStandardError())};
  };
  auto [code, out, err] = run({u"--version"_s});
  EXPECT_EQ(code, 0) << err.toStdString();
  EXPECT_EQ(out, u"fartovik 0.99.19\n"_s);

  std::tie(code, out, err) = run({u"--help"_s});
  EXPECT_EQ(code, 0) << err.toStdString();
  EXPECT_TRUE(out.contains(u"--data <DIR>"_s));

  std::tie(code, out, err) = run({u"--no-such-option"_s});
  EXPECT_EQ(code, 2);
  EXPECT_TRUE(out.isEmpty());
  EXPECT_TRUE(err.contains(u"no-such-option"_s)) << err.toStdString();
}

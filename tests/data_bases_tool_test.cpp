#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "data/codec.h"
#include "data/random_source.h"
#include "data/winners_table.h"
#include "tests/fixtures/file_size_limit.h"

using namespace Qt::StringLiterals;

namespace {

struct ToolRun {
  int exitCode = -1;
  QByteArray out, err;
  QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

ToolRun Tool(const QStringList& args, const QString& workingDir = {},
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  if (!workingDir.isEmpty()) process.setWorkingDirectory(workingDir);
  process.start(QStringLiteral(FARTOVIK_BINARY_DIR "/fartovik-bases"), args);
  ToolRun run;
  if (!process.waitForStarted(10000)) {
    run.err = "could not start " FARTOVIK_BINARY_DIR "/fartovik-bases";
    return run;
  }
  process.waitForFinished(60000);
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

void WriteFile(const QString& path, const QString& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toUtf8());
}

const QString kLevelOne =
    u"level: 1\n"
    "year: 1812\n"
    "? Кто победил при Бородине?\n"
    "+ Никто\n- Французы\n- Русские\n- Англичане\n"
    "? Сколько будет 2+2?\n"
    "+ 4\n- 5\n- 22\n- 0\n"
    "? «Ёж» — это …\n"
    "+ зверь\n- птица\n- рыба\n- гриб\n"_s;
const QString kLevelZero = u"level: 0\n? Разминка?\n+ Да\n- Нет\n- Может\n- Потом\n"_s;

QJsonObject Message(const QString& text, const QString& kind) { return {{u"text"_s, text}, {u"kind"_s, kind}}; }

}  // namespace

TEST(DataBasesTool, PackedSourcesDumpAsTheGameLoadsThem) {
  QTemporaryDir dir;
  WriteFile(dir.filePath(u"one.txt"_s), kLevelOne);
  WriteFile(dir.filePath(u"warm.txt"_s), kLevelZero);
  const QString program = dir.filePath(u"program"_s);
  ToolRun pack =
      Tool({u"pack"_s, u"-o"_s, program + u"/Data"_s, dir.filePath(u"one.txt"_s), dir.filePath(u"warm.txt"_s)});
  ASSERT_EQ(pack.exitCode, 0) << pack.err.toStdString();
  EXPECT_EQ(QDir(program + u"/Data"_s).entryList(QDir::Files), QStringList({u"one.ol1"_s, u"warm.ol0"_s}));
  EXPECT_EQ(QString::fromUtf8(pack.out), u"Записано: %1/Data (файлов: 2), вопросов: 4\n"_s.arg(program));
  EXPECT_EQ(pack.err, QByteArray());

  const ToolRun dump = Tool({u"dump"_s, program});
  ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
  const QJsonObject json = dump.json();
  // What the game says at its start: one message for every level that is missing.
  const QJsonArray expectedMessages = {
      Message(u"Базы вопросов не найдены!!!\r\nДля уровней 2, 3, 4, 5, 6 нет ни одного файла "
              u"(*.ol2, *.ol3, *.ol4, *.ol5, *.ol6)."_s,
              u"warning"_s)};
  EXPECT_EQ(json[u"messages"_s].toArray(), expectedMessages);
  const QJsonArray levels = json[u"levels"_s].toArray();
  ASSERT_EQ(levels.size(), 7);
  for (int level = 0; level < 7; ++level) EXPECT_EQ(levels[level][u"level"_s].toInt(), level);

  const QJsonObject zero = levels[0].toObject();
  EXPECT_EQ(zero[u"count"_s].toInt(), 1);
  EXPECT_TRUE(zero[u"decoded"_s].toBool());
  EXPECT_EQ(zero[u"questions"_s].toArray()[0].toObject(),
            QJsonObject({{u"text"_s, u"Разминка?"_s},
                         {u"answers"_s, QJsonArray({u"Да"_s, u"Нет"_s, u"Может"_s, u"Потом"_s})},
                         {u"year"_s, u""_s}}));
  const QJsonObject one = levels[1].toObject();
  EXPECT_EQ(one[u"count"_s].toInt(), 3);
  const QJsonArray questions = one[u"questions"_s].toArray();
  ASSERT_EQ(questions.size(), 3);
  EXPECT_EQ(questions[1].toObject(), QJsonObject({{u"text"_s, u"Сколько будет 2+2?"_s},
                                                  {u"answers"_s, QJsonArray({u"4"_s, u"5"_s, u"22"_s, u"0"_s})},
                                                  {u"year"_s, u"1812"_s}}));
  EXPECT_EQ(questions[2][u"text"_s].toString(), u"«Ёж» — это …"_s);
  EXPECT_EQ(levels[4][u"count"_s].toInt(), 0);
  EXPECT_FALSE(levels[4][u"decoded"_s].toBool());
}

TEST(DataBasesTool, DumpShowsUndecodedLevelsAndAMissingFolder) {
  QTemporaryDir dir;
  WriteFile(dir.filePath(u"few.txt"_s), u"level: 5\n? Один?\n+ a\n- b\n- c\n- d\n"_s);
  ASSERT_EQ(Tool({u"pack"_s, u"-o"_s, dir.filePath(u"p/data"_s), dir.filePath(u"few.txt"_s)}).exitCode, 0);
  ToolRun dump = Tool({u"dump"_s, dir.filePath(u"p"_s)});
  ASSERT_EQ(dump.exitCode, 0);
  QJsonArray messages = dump.json()[u"messages"_s].toArray();
  ASSERT_EQ(messages.size(), 1);
  const QStringList parts = messages[0][u"text"_s].toString().split(u"\r\n\r\n"_s);
  ASSERT_EQ(parts.size(), 2);
  EXPECT_TRUE(parts[0].startsWith(u"Базы вопросов не найдены!!!\r\nДля уровней 0, 1, 2, 3, 4, 6 "_s));
  EXPECT_EQ(parts[1], u"Очень мало вопросов!!!\r\nНа уровне 5 всего 1 вопрос, а для игры нужно не меньше 3."_s);
  EXPECT_EQ(messages[0][u"kind"_s].toString(), u"warning"_s);
  const QJsonObject five = dump.json()[u"levels"_s].toArray()[5].toObject();
  EXPECT_FALSE(five[u"decoded"_s].toBool());
  EXPECT_EQ(five[u"count"_s].toInt(), 1);
  EXPECT_NE(five[u"questions"_s].toArray()[0][u"text"_s].toString(), u"Один?"_s);

  dump = Tool({u"dump"_s, dir.filePath(u"nowhere"_s)});
  EXPECT_EQ(dump.exitCode, 0);
  messages = dump.json()[u"messages"_s].toArray();
  EXPECT_EQ(messages, QJsonArray({Message(u"Папка "_s + QDir::toNativeSeparators(dir.filePath(u"nowhere/Data/"_s)) +
                                              u" не найдена!!!"_s,
                                          u"warning"_s)}));
}

TEST(DataBasesTool, FaultySourcesAreReportedAndNothingIsWritten) {
  QTemporaryDir dir;
  WriteFile(dir.filePath(u"good.txt"_s), kLevelOne);
  WriteFile(dir.filePath(u"bad.txt"_s), u"level: 2\n? Вопрос\n+ Да\n- Нет\n- Нет\nКакая-то строка\n"_s);
  WriteFile(dir.filePath(u"nolevel.txt"_s), u"\n? Вопрос\n+ Да\n- Нет\n- Нет\n- 日\n"_s);
  const QString out = dir.filePath(u"out"_s);
  const ToolRun run = Tool({u"pack"_s, u"-o"_s, out, dir.filePath(u"good.txt"_s), dir.filePath(u"bad.txt"_s),
                            dir.filePath(u"nolevel.txt"_s), dir.filePath(u"missing.txt"_s)});
  EXPECT_EQ(run.exitCode, 1);
  const QString err = QString::fromUtf8(run.err);
  EXPECT_TRUE(err.contains(dir.filePath(u"bad.txt"_s) + u":2: у вопроса должны быть один ответ «+» и три «-»"_s))
      << err.toStdString();
  EXPECT_TRUE(err.contains(dir.filePath(u"bad.txt"_s) + u":6: непонятная строка"_s)) << err.toStdString();
  EXPECT_TRUE(err.contains(dir.filePath(u"nolevel.txt"_s) + u":2: перед первым вопросом нет строки «level: N»"_s))
      << err.toStdString();
  EXPECT_TRUE(err.contains(dir.filePath(u"nolevel.txt"_s) + u":6: знака «日»"_s)) << err.toStdString();
  EXPECT_TRUE(err.contains(dir.filePath(u"missing.txt"_s) + u": не прочесть: это не файл"_s)) << err.toStdString();
  EXPECT_FALSE(err.contains(u"good.txt"_s));
  EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(DataBasesTool, PackWritesIntoTheCurrentFolderByDefaultAndRefusesTwoSourcesForOneFile) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir(u"a"_s);
  QDir(dir.path()).mkdir(u"b"_s);
  WriteFile(dir.filePath(u"a/same.txt"_s), kLevelOne);
  WriteFile(dir.filePath(u"b/same.txt"_s), kLevelOne);
  ToolRun run = Tool({u"pack"_s, dir.filePath(u"a/same.txt"_s)}, dir.path());
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(QFileInfo(dir.filePath(u"same.ol1"_s)).isFile());
  EXPECT_EQ(QString::fromUtf8(run.out), u"Записано: ./same.ol1, вопросов: 3\n"_s);
  QFile::remove(dir.filePath(u"same.ol1"_s));
  run = Tool({u"pack"_s, dir.filePath(u"a/same.txt"_s), dir.filePath(u"b/same.txt"_s)}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(QString::fromUtf8(run.err).contains(dir.filePath(u"b/same.txt"_s) + u":1: пакуется в "_s));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"same.ol1"_s)));
}

TEST(DataBasesTool, PackOnAFullDiskFailsAndLeavesNoCutBase) {
  QTemporaryDir dir;
  WriteFile(dir.filePath(u"one.txt"_s), kLevelOne);
  const QString out = dir.filePath(u"out"_s);
  ASSERT_TRUE(QDir().mkpath(out));
  // The tool inherits the limit: its base fits the write buffer, and the disk
  // refuses it only when the buffer goes out.
  const ToolRun run = UnderFileSizeLimit(100, [&] {
    return Tool({u"pack"_s, u"-o"_s, out, dir.filePath(u"one.txt"_s)});
  });
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(QString::fromUtf8(run.err).contains(QDir(out).filePath(u"one.ol1"_s) + u": не записать: "_s))
      << run.err.toStdString();
  EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(DataBasesTool, WinnersShowsALeaderboardWithoutCreatingOne) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"Winners.tbl"_s);
  ToolRun run = Tool({u"winners"_s, path});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.json(), QJsonObject({{u"messages"_s, QJsonArray()}, {u"rows"_s, QJsonArray()}}));
  EXPECT_FALSE(QFileInfo::exists(path));

  WinnersTable table;
  table.rows.resize(2);
  table.AtRank(1).name = u"Ёлкин"_s;
  table.AtRank(1).sum = u"1000000"_s;
  table.AtRank(2).name = u"Ли"_s;
  table.AtRank(2).sum = u"100"_s;
  SystemRandomSource random;
  ASSERT_TRUE(SaveWinners(path, table, random));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\x01\x64\x64\x64\r\n");  // a damaged third row
  }
  run = Tool({u"winners"_s, path});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.json()[u"rows"_s].toArray(), QJsonArray({QJsonObject{{u"name"_s, u"Ёлкин"_s}, {u"sum"_s, u"1000000"_s}},
                                                         QJsonObject{{u"name"_s, u"Ли"_s}, {u"sum"_s, u"100"_s}},
                                                         QJsonObject{{u"name"_s, u""_s}, {u"sum"_s, u""_s}}}));
  EXPECT_EQ(run.json()[u"messages"_s].toArray(), QJsonArray({Message(DamagedFileMessage(path, 1), u"warning"_s)}));
}

TEST(DataBasesTool, WrongUseIsAUsageError) {
  for (const QStringList& args :
       {QStringList{}, QStringList{u"pack"_s}, QStringList{u"unpack"_s, u"x"_s}, QStringList{u"dump"_s, u"a"_s, u"b"_s},
        QStringList{u"pack"_s, u"-x"_s, u"a.txt"_s}}) {
    const ToolRun run = Tool(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(QString::fromUtf8(run.err).startsWith(u"Использование:"_s)) << run.err.toStdString();
  }
}

// With no folder, dump finds the bases as the game beside it does, the player's own
// added to the shipped ones, and tells how many of each level are the player's.
TEST(DataBasesTool, DumpWithoutAFolderShowsThePlayersPacksMergedAsTheGamePlaysThem) {
  QTemporaryDir home;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(u"XDG_DATA_HOME"_s, home.path());
  environment.remove(u"XDG_RUNTIME_DIR"_s);
  const QString own = home.filePath(u"fartovik/Data"_s);
  WriteFile(home.filePath(u"pack.txt"_s), kLevelOne);
  ASSERT_EQ(Tool({u"pack"_s, u"-o"_s, own, home.filePath(u"pack.txt"_s)}).exitCode, 0);

  const ToolRun shipped = Tool({u"dump"_s, QStringLiteral(FARTOVIK_BINARY_DIR)}, {}, environment);
  const ToolRun merged = Tool({u"dump"_s}, {}, environment);
  ASSERT_EQ(merged.exitCode, 0) << merged.err.toStdString();
  const QJsonObject json = merged.json();
  EXPECT_EQ(json[u"playerFolder"_s].toString(), QDir::toNativeSeparators(own + u"/"_s));
  EXPECT_EQ(json[u"folders"_s].toArray().last().toString(), json[u"playerFolder"_s].toString());
  const QJsonArray levels = json[u"levels"_s].toArray(), shippedLevels = shipped.json()[u"levels"_s].toArray();
  ASSERT_EQ(levels.size(), 7);
  ASSERT_EQ(shippedLevels.size(), 7);
  for (int level = 0; level < 7; ++level) {
    const int added = level == 1 ? 3 : 0;
    EXPECT_EQ(levels[level][u"fromPlayerFolder"_s].toInt(), added) << level;
    EXPECT_EQ(levels[level][u"count"_s].toInt(), shippedLevels[level][u"count"_s].toInt() + added) << level;
  }
  const QJsonArray one = levels[1][u"questions"_s].toArray();
  EXPECT_EQ(one.last()[u"text"_s].toString(), u"«Ёж» — это …"_s);
  const QString said = QString::fromUtf8(merged.err);
  EXPECT_TRUE(said.startsWith(u"Вопросов из "_s + QDir::toNativeSeparators(own))) << said.toStdString();
  EXPECT_TRUE(said.contains(u"1: 3 из %1,"_s.arg(levels[1][u"count"_s].toInt()))) << said.toStdString();
  EXPECT_FALSE(said.contains(u"XDG"_s)) << said.toStdString();
}

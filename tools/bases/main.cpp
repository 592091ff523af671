// fartovik-bases: packs readable question sources into base files, checks them for
// their authors, and shows what the game reads from a program folder or a
// leaderboard file.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "data/data_paths.h"
#include "data/info_box.h"
#include "data/question_loader.h"
#include "data/question_source.h"
#include "data/random_source.h"
#include "data/whole_file.h"
#include "data/winners_table.h"
#include "tools/bases/console.h"
#include "tools/bases/lint.h"

using namespace Qt::StringLiterals;

namespace {

int Usage() {
  Print(
      stderr,
      u"Использование:\n"
      "  fartovik-bases pack [-o ПАПКА] ИСХОДНИК...  исходники вопросов -> файлы баз ПАПКА/<имя>.ol<уровень>\n"
      "  fartovik-bases lint ИСХОДНИК...             проверка исходников для их авторов: ФАЙЛ:СТРОКА: замечание\n"
      "  fartovik-bases dump ПАПКА                   базы вопросов, которые игра загрузит из папки программы, в JSON\n"
      "  fartovik-bases dump                         то же для этой установки игры, с вашими базами вместе\n"
      "  fartovik-bases winners ФАЙЛ                 таблица лидеров, как её читает игра, в JSON (файл не создаётся)\n"_s);
  return kUsageError;
}

// Qt's own notes (a missing XDG_RUNTIME_DIR and the like) mean nothing to a
// question author; the tool says what it has to say itself.
void DropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Print(stderr, message + u'\n');
}

/// What the game would have shown in its message box, kept for the JSON; a
/// question (none comes while reading) gets the game's preset answer.
class CollectedMessages : public InfoBox {
 public:
  Answer Show(const Message& message) override {
    messages.append(message);
    return message.preset;
  }
  QList<Message> messages;
};

QString KindName(InfoBox::Kind kind) {
  switch (kind) {
    case InfoBox::Kind::Information: return u"information"_s;
    case InfoBox::Kind::Warning: return u"warning"_s;
    case InfoBox::Kind::Question: return u"question"_s;
  }
  return {};
}

QJsonArray Messages(const CollectedMessages& box) {
  QJsonArray messages;
  for (const auto& m : box.messages) messages.append(QJsonObject{{u"text"_s, m.text}, {u"kind"_s, KindName(m.kind)}});
  return messages;
}

void PrintJson(const QJsonObject& object) {
  const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int Pack(QStringList args) {
  QString outDir = u"."_s;
  QStringList sources;
  while (!args.isEmpty()) {
    const QString arg = args.takeFirst();
    if (arg == u"-o"_s) {
      if (args.isEmpty()) return Usage();
      outDir = args.takeFirst();
    } else if (arg.startsWith(u'-') && arg.size() > 1) {
      return Usage();
    } else {
      sources.append(arg);
    }
  }
  if (sources.isEmpty()) return Usage();

  // Everything is read and checked before anything is written.
  struct Packed {
    QString output;
    QuestionSource source;
  };
  QList<Packed> packed;
  QHash<QString, QString> outputs;  // output file -> its source
  bool failed = false;
  for (const QString& path : sources) {
    QFile file(path);
    const bool isFile = QFileInfo(path).isFile();
    if (!isFile || !file.open(QIODevice::ReadOnly)) {
      Print(stderr, path + u": не прочесть: "_s + (isFile ? file.errorString() : u"это не файл"_s) + u'\n');
      failed = true;
      continue;
    }
    QuestionSource source = ParseQuestionSource(file.readAll());
    for (const SourceError& error : source.errors) {
      Print(stderr, u"%1:%2: %3\n"_s.arg(path).arg(error.line).arg(error.reason));
    }
    if (!source.errors.isEmpty()) {
      failed = true;
      continue;
    }
    const QString output = QDir(outDir).filePath(BaseFileName(path, source.level));
    if (outputs.contains(output)) {
      Print(stderr, u"%1:1: пакуется в %2, как и %3\n"_s.arg(path, output, outputs.value(output)));
      failed = true;
      continue;
    }
    outputs.insert(output, path);
    packed.append({output, std::move(source)});
  }
  if (failed) return 1;

  if (!QDir().mkpath(outDir)) {
    Print(stderr, outDir + u": не создать папку\n"_s);
    return 1;
  }
  SystemRandomSource random;
  qsizetype questions = 0;
  for (const Packed& p : packed) {
    QString error;
    if (!WriteFileWhole(p.output, BuildQuestionBase(p.source, random), &error)) {
      Print(stderr, p.output + u": не записать: "_s + error + u'\n');
      return 1;
    }
    questions += qsizetype(p.source.questions.size());
  }
  const QString written =
      packed.size() == 1 ? packed.first().output : u"%1 (файлов: %2)"_s.arg(outDir).arg(packed.size());
  Print(stdout, u"Записано: %1, вопросов: %2\n"_s.arg(written).arg(questions));
  return 0;
}

QJsonArray Levels(const QuestionTable& table, const std::array<int, kLevelCount>* fromPlayer = nullptr) {
  QJsonArray levels;
  for (int level = 0; level < kLevelCount; ++level) {
    const QuestionLevel& l = table.levels[size_t(level)];
    QJsonArray questions;
    for (int r = 0; r < l.count; ++r) {
      const Question& q = l.rows[size_t(r)];
      QJsonArray answers;
      for (const QString& a : q.answers) answers.append(a);
      questions.append(QJsonObject{{u"text"_s, q.text}, {u"answers"_s, answers}, {u"year"_s, q.year}});
    }
    QJsonObject object{{u"level"_s, level}, {u"count"_s, l.count}, {u"decoded"_s, l.decoded}};
    if (fromPlayer) object.insert(u"fromPlayerFolder"_s, (*fromPlayer)[size_t(level)]);
    object.insert(u"questions"_s, questions);
    levels.append(object);
  }
  return levels;
}

int Dump(const QString& programFolder) {
  QuestionTable table;
  CollectedMessages box;
  // Only the questions matter here: the leaderboard's place is never looked for.
  LoadQuestionBases(programFolder, table, box, [](const QString&) { return true; });
  PrintJson(QJsonObject{{u"messages"_s, Messages(box)}, {u"levels"_s, Levels(table)}});
  return 0;
}

// What the game installed beside this tool plays with: it looks for its bases as
// the game does, and counts what the player's own folder adds to each level.
int DumpAsTheGameFinds() {
  const QString programFolder = QCoreApplication::applicationDirPath();
  const DataLocations locations =
      DataLocations::ForProgram(programFolder, QStringLiteral(FARTOVIK_DATA_FROM_BINARY), QByteArray());
  QuestionTable table;
  CollectedMessages box;
  const DataPaths paths = LoadQuestionBases(programFolder, locations, table, box, [](const QString&) { return true; });

  // The player's folder is read after the shipped one, so its rows are the last
  // of each level; loading it alone tells how many they are.
  std::array<int, kLevelCount> fromPlayer{};
  QString playerFolder;
  if (paths.questionFolders.size() > 1) {
    playerFolder = QFile::decodeName(paths.questionFolders.last());
    QuestionTable own;
    CollectedMessages ignored;
    for (int level = 0; level < kLevelCount; ++level) {
      LoadQuestionBase(level, QList<QByteArray>{paths.questionFolders.last()}, own, ignored);
      fromPlayer[size_t(level)] = std::max(own.levels[size_t(level)].count, 0);
    }
  }
  QJsonArray folders;
  for (const QByteArray& folder : paths.questionFolders) {
    folders.append(QDir::toNativeSeparators(QFile::decodeName(folder)));
  }
  PrintJson(QJsonObject{{u"messages"_s, Messages(box)},
                        {u"folders"_s, folders},
                        {u"playerFolder"_s, QDir::toNativeSeparators(playerFolder)},
                        {u"levels"_s, Levels(table, &fromPlayer)}});

  // The same in a line a person reads, beside the JSON rather than in it.
  QStringList counts;
  for (int level = 1; level < kLevelCount; ++level)
    counts.append(u"%1: %2 из %3"_s.arg(level).arg(fromPlayer[size_t(level)]).arg(table.levels[size_t(level)].count));
  Print(stderr,
        playerFolder.isEmpty()
            ? u"Ваша папка с вопросами не читается: игра найдёт только поставленные базы.\n"_s
            : u"Вопросов из %1 по уровням — %2\n"_s.arg(QDir::toNativeSeparators(playerFolder), counts.join(u", "_s)));
  return 0;
}

int Winners(const QString& path) {
  WinnersTable table;
  CollectedMessages box;
  QFile file(path);
  if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly)) ReadWinners(file, table, box, path);
  QJsonArray rows;
  for (const BoardRow& row : table.rows) {
    rows.append(QJsonObject{{u"name"_s, row.name}, {u"sum"_s, row.sum}});
  }
  PrintJson(QJsonObject{{u"messages"_s, Messages(box)}, {u"rows"_s, rows}});
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(DropQtNotes);
  // Lint measures text with the game's fonts and so makes a GUI application of its own.
  if (argc > 1 && std::strcmp(argv[1], "lint") == 0) return RunLint(argc, argv);
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return Usage();
  const QString command = args.takeFirst();
  if (command == u"pack"_s) return Pack(args);
  if (command == u"dump"_s && args.size() == 1) return Dump(args.first());
  if (command == u"dump"_s && args.isEmpty()) return DumpAsTheGameFinds();
  if (command == u"winners"_s && args.size() == 1) return Winners(args.first());
  return Usage();
}

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
#include <cstdio>
#include <cstring>

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
  Print(stderr,
        u"usage:\n"
        "  fartovik-bases pack [-o OUTDIR] SOURCE...   question sources -> base files OUTDIR/<name>.ol<level>\n"
        "  fartovik-bases lint SOURCE...               question sources checked for their authors: FILE:LINE: reason\n"
        "  fartovik-bases dump DIR                     the question bases the game loads from program folder DIR, as JSON\n"
        "  fartovik-bases winners FILE                 a leaderboard file as the game reads it, as JSON (never creates it)\n"_s);
  return kUsageError;
}

QJsonArray Messages(const RecordingInfoBox& box) {
  QJsonArray messages;
  for (const auto& m : box.messages) messages.append(QJsonObject{{u"text"_s, m.text}, {u"flags"_s, m.flags}});
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
      Print(stderr, path + u": cannot read: "_s + (isFile ? file.errorString() : u"not a file"_s) + u'\n');
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
      Print(stderr, u"%1:1: packs into %2, as %3 does\n"_s.arg(path, output, outputs.value(output)));
      failed = true;
      continue;
    }
    outputs.insert(output, path);
    packed.append({output, std::move(source)});
  }
  if (failed) return 1;

  if (!QDir().mkpath(outDir)) {
    Print(stderr, outDir + u": cannot create the folder\n"_s);
    return 1;
  }
  SystemRandomSource random;
  for (const Packed& p : packed) {
    QString error;
    if (!WriteFileWhole(p.output, BuildQuestionBase(p.source, random), &error)) {
      Print(stderr, p.output + u": cannot write: "_s + error + u'\n');
      return 1;
    }
  }
  return 0;
}

int Dump(const QString& programFolder) {
  QuestionTable table;
  RecordingInfoBox box;
  // Only the questions matter here: the leaderboard's place is never looked for.
  LoadQuestionBases(programFolder, table, box, [](const QString&) { return true; });
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
    levels.append(QJsonObject{{u"level"_s, level},
                              {u"count"_s, l.count},
                              {u"decoded"_s, l.decoded},
                              {u"questions"_s, questions}});
  }
  PrintJson(QJsonObject{{u"messages"_s, Messages(box)}, {u"levels"_s, levels}});
  return 0;
}

int Winners(const QString& path) {
  WinnersTable table;
  RecordingInfoBox box;
  QFile file(path);
  if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly)) ReadWinners(file, table, box, path);
  QJsonArray rows;
  for (int r = 1; r <= table.count; ++r) {
    rows.append(QJsonObject{{u"name"_s, table.name[size_t(r)]}, {u"sum"_s, table.sum[size_t(r)]}});
  }
  PrintJson(QJsonObject{{u"messages"_s, Messages(box)}, {u"rows"_s, rows}});
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Lint measures text with the game's fonts and so makes a GUI application of its own.
  if (argc > 1 && std::strcmp(argv[1], "lint") == 0) return RunLint(argc, argv);
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return Usage();
  const QString command = args.takeFirst();
  if (command == u"pack"_s) return Pack(args);
  if (command == u"dump"_s && args.size() == 1) return Dump(args.first());
  if (command == u"winners"_s && args.size() == 1) return Winners(args.first());
  return Usage();
}

#include "tools/bases/lint.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "data/question_source.h"
#include "screen/element.h"
#include "screen/fonts.h"
#include "screen/qt_text_measurer.h"
#include "tools/bases/console.h"
#include "tools/bases/lint_give_away.h"
#include "tools/bases/lint_overlap.h"

using namespace Qt::StringLiterals;

namespace {

// The lines of each question's answers, keyed by the line of its "?", in the
// order the parser stores the answers: the "+" one, then the "-" ones. The parser
// keeps no line of an answer, so the source is walked again the way it reads it.
QHash<int, std::array<int, 4>> AnswerLines(const QByteArray& bytes) {
  QByteArray data = bytes;
  if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
  QList<QByteArray> lines = data.split('\n');
  if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
  QHash<int, std::array<int, 4>> answers;
  int question = 0;
  int wrong = 0;
  int n = 0;
  for (QByteArray& raw : lines) {
    ++n;
    if (raw.endsWith('\r')) raw.chop(1);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString line = QString(decoder.decode(raw)).trimmed();
    if (decoder.hasError() || line.isEmpty()) continue;
    const QChar marker = line.at(0);
    if (marker == u'?') {
      question = n;
      wrong = 0;
      answers.insert(n, {0, 0, 0, 0});
    } else if (question && marker == u'+') {
      int& slot = answers[question][0];
      if (!slot) slot = n;
    } else if (question && marker == u'-' && wrong < 3) {
      answers[question][size_t(wrong++) + 1] = n;
    }
  }
  return answers;
}

// Words (maximal runs of letters) that hold Latin and Cyrillic letters both:
// they look right and are wrong to search, sort and speak.
QStringList MixedScriptFindings(const QString& text) {
  QStringList reasons;
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n) {
    if (!text.at(i).isLetter()) {
      ++i;
      continue;
    }
    qsizetype j = i;
    QString latin;
    bool cyrillic = false;
    for (; j < n && text.at(j).isLetter(); ++j) {
      const QChar c = text.at(j);
      if (c.script() == QChar::Script_Latin) {
        if (!latin.contains(c)) latin += c;
      } else if (c.script() == QChar::Script_Cyrillic) {
        cyrillic = true;
      }
    }
    if (cyrillic && !latin.isEmpty()) {
      reasons.append(
          u"в слове «%1» смешаны латинские и русские буквы (латинские: %2)"_s.arg(text.mid(i, j - i), latin));
    }
    i = j;
  }
  return reasons;
}

// The game's own screen, measured with its own fonts: the size a text gets is the
// size the player would see.
class CaptionFit {
 public:
  CaptionFit() : m_screen(m_measurer, [](ElementId) { return QImage(); }) { m_screen.BuildScreen(); }

  int QuestionSize(const QString& text) { return Fitted(el::QuestionFrame, text); }

  // The answers' boxes differ by a few pixels and the game shows all four at the
  // smallest size any of them gets, so an answer counts at its worst position.
  int AnswerSize(const QString& text) {
    int size = Fitted(el::AnswerA, text);
    for (const ElementId e : {el::AnswerB, el::AnswerC, el::AnswerD}) size = std::min(size, Fitted(e, text));
    return size;
  }

 private:
  int Fitted(ElementId element, const QString& text) {
    m_screen.SetCaption(element, text, QString(), 0);
    return int(std::nearbyint(m_screen.element(element).caption.font.size));
  }

  QtTextMeasurer m_measurer;
  Screen m_screen;
};

struct Place {
  QString file;
  int line = 0;
};

}  // namespace

QList<LintFinding> LintSources(const QStringList& paths) {
  RegisterBundledFonts();
  CaptionFit fit;
  QList<QList<LintFinding>> perFile;    // findings of each file read, in the order of `paths`
  QList<SourceQuestion> all;            // every question of every file, in reading order
  QList<std::pair<int, Place>> where;   // for each of `all`: its file's index in perFile, and its place
  QHash<QString, Place> firstQuestion;  // normalised text -> where it first stands
  QSet<QString> seenFiles;

  for (const QString& path : paths) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty() && seenFiles.contains(canonical)) continue;
    seenFiles.insert(canonical);

    QFile file(path);
    if (!QFileInfo(path).isFile()) {
      perFile.append({{path, 0, u"не прочесть: это не файл"_s}});
      continue;
    }
    if (!file.open(QIODevice::ReadOnly)) {
      perFile.append({{path, 0, u"не прочесть: "_s + file.errorString()}});
      continue;
    }
    const QByteArray bytes = file.readAll();
    const QuestionSource source = ParseQuestionSource(bytes);
    const QHash<int, std::array<int, 4>> answerLines = AnswerLines(bytes);

    QList<LintFinding> found;
    const auto add = [&](int line, const QString& reason) { found.append({path, line, reason}); };
    // Faulty text (too long, outside code page 1251, control characters) is
    // refused by the parser, and said here in its words.
    for (const SourceError& error : source.errors) add(error.line, error.reason);

    for (const SourceQuestion& q : source.questions) {
      // The warm-up level is never played: a repeat of it tells a player nothing.
      if (source.level != 0) {
        all.append(q);
        where.append({int(perFile.size()), {path, q.line}});
      }
      const QString key = Normalised(q.text);
      const auto first = firstQuestion.constFind(key);
      if (first != firstQuestion.cend()) {
        add(q.line, u"повтор вопроса из %1:%2"_s.arg(first->file, QString::number(first->line)));
      } else {
        firstQuestion.insert(key, {path, q.line});
      }
      for (const QString& reason : MixedScriptFindings(q.text)) add(q.line, reason);
      for (const QString& reason : GiveAways(q, source.level)) add(q.line, reason);
      const int questionSize = fit.QuestionSize(q.text);
      if (questionSize < kLintMinQuestionSize) {
        add(q.line, u"вопрос помещается в рамку только размером %1 пт (нужно не меньше %2)"_s.arg(questionSize)
                        .arg(kLintMinQuestionSize));
      }

      const std::array<int, 4> lines = answerLines.value(q.line, {q.line, q.line, q.line, q.line});
      QHash<QString, int> answerSeen;  // normalised answer -> its line
      for (size_t a = 0; a < q.answers.size(); ++a) {
        const QString& answer = q.answers[a];
        const int line = lines[a] ? lines[a] : q.line;
        const QString answerKey = Normalised(answer);
        if (answerSeen.contains(answerKey)) {
          add(line, u"ответ повторяет ответ из строки %1"_s.arg(answerSeen.value(answerKey)));
        } else {
          answerSeen.insert(answerKey, line);
        }
        for (const QString& reason : MixedScriptFindings(answer)) add(line, reason);
        const int answerSize = fit.AnswerSize(answer);
        if (answerSize < kLintMinAnswerSize) {
          add(line,
              u"ответ помещается только размером %1 пт (нужно не меньше %2), а этим размером показываются все четыре ответа"_s
                  .arg(answerSize)
                  .arg(kLintMinAnswerSize));
        }
      }
    }
    perFile.append(found);
  }

  // A repeat is said at the later question, where an author adding one looks.
  for (const Overlap& o : FindOverlaps(all)) {
    const auto& [fileIndex, place] = where[o.later];
    const Place& other = where[o.earlier].second;
    perFile[fileIndex].append(
        {place.file, place.line, u"повторяет %1:%2: %3"_s.arg(other.file, QString::number(other.line), o.reason)});
  }

  QList<LintFinding> findings;
  for (QList<LintFinding>& found : perFile) {
    std::stable_sort(found.begin(), found.end(),
                     [](const LintFinding& a, const LintFinding& b) { return a.line < b.line; });
    findings += found;
  }
  return findings;
}

int RunLint(int argc, char** argv) {
  // Measuring text needs a GUI application, not a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList sources = app.arguments().mid(2);
  const bool option = std::any_of(sources.begin(), sources.end(),
                                  [](const QString& arg) { return arg.startsWith(u'-') && arg.size() > 1; });
  if (sources.isEmpty() || option) {
    Print(stderr, u"Использование: fartovik-bases lint ИСХОДНИК...\n"_s);
    return kUsageError;
  }

  const QList<LintFinding> findings = LintSources(sources);
  for (const LintFinding& f : findings) {
    Print(stdout, f.line > 0 ? u"%1:%2: %3\n"_s.arg(f.file, QString::number(f.line), f.reason)
                             : u"%1: %2\n"_s.arg(f.file, f.reason));
  }
  if (findings.isEmpty()) return 0;
  Print(stderr, u"Замечаний к исходникам вопросов: %1\n"_s.arg(findings.size()));
  return 1;
}

#include "tools/bases/lint_give_away.h"

#include <QSet>
#include <algorithm>

#include "tools/bases/lint_words.h"

using namespace Qt::StringLiterals;

namespace {

bool StartsWithDigit(const QString& answer) {
  const QString s = answer.trimmed();
  return !s.isEmpty() && s.front().isDigit();
}

// The digits a number is given with, zeros that only place it left out: «1,07»
// has three, «500» and «2» one, «1,5» two.
int SignificantDigits(const QString& answer) {
  QString digits;
  for (const QChar c : answer.trimmed()) {
    if (c.isDigit()) {
      digits += c;
    } else if (c != u',' && c != u'.' && !c.isSpace()) {
      break;
    }
  }
  while (digits.startsWith(u'0')) digits.remove(0, 1);
  while (digits.endsWith(u'0')) digits.chop(1);
  return int(digits.size());
}

// «Во Флоренции» and «В Риме» start alike.
QString PlainLinkWord(const QString& word) {
  if (word == u"во"_s || word == u"ко"_s || word == u"со"_s) return word.left(1);
  if (word == u"об"_s || word == u"обо"_s) return u"о"_s;
  return word;
}

QString OddFirstWord(const SourceQuestion& q) {
  std::array<QString, 4> first;
  for (size_t a = 0; a < 4; ++a) {
    const QStringList words = Words(q.answers[a]);
    if (words.isEmpty() || StartsWithDigit(words.first())) return {};
    first[a] = PlainLinkWord(words.first());
  }
  if (first[1] != first[2] || first[2] != first[3] || first[0] == first[1]) return {};
  return u"три неверных ответа начинаются с %1, а верный нет"_s.arg(Quoted(first[1]));
}

// The words an answer is written in, prepositions and conjunctions left out;
// «Рио-де-Жанейро» is one.
QStringList WrittenWords(const QString& answer) {
  QStringList words;
  for (const QString& w : answer.split(u' ', Qt::SkipEmptyParts)) {
    const QStringList parts = Words(w);
    if (!parts.isEmpty() && !(parts.size() == 1 && IsLinkWord(parts.first()))) words.append(w);
  }
  return words;
}

// A phrase among single words: the one answer someone had to explain is the
// right one. Names and titles are as long as they are («Нижний Новгород»,
// «Русский ковчег»).
QString MoreWords(const SourceQuestion& q) {
  const QStringList right = WrittenWords(q.answers[0]);
  if (right.size() < 2) return {};
  const bool title = q.answers[0].trimmed().startsWith(u'\u00AB');
  const bool name = std::all_of(right.begin(), right.end(), Capitalised);
  if (title || name) return {};
  for (size_t a = 1; a < 4; ++a) {
    if (WrittenWords(q.answers[a]).size() != 1) return {};
  }
  return u"только верный ответ из нескольких слов: %1 среди однословных"_s.arg(Quoted(q.answers[0]));
}

// A number given exactly among round ones («1,07 км» against «2 км», «500 м»).
// Small counts differ in digits by nature («12» against «6» and «8»).
QString MoreExact(const SourceQuestion& q) {
  if (!std::all_of(q.answers.begin(), q.answers.end(), StartsWithDigit)) return {};
  const int right = SignificantDigits(q.answers[0]);
  if (right < 3) return {};
  for (size_t a = 1; a < 4; ++a) {
    if (SignificantDigits(q.answers[a]) >= right) return {};
  }
  return u"только верный ответ дан с точностью до %1 значащих цифр"_s.arg(right);
}

// Stems long enough to be one word's family, not a common beginning.
QSet<QString> WordStems(const QString& text) {
  QSet<QString> stems;
  for (const QString& w : Words(text)) {
    if (IsQuestionWord(w)) continue;
    const QString stem = Stem(w);
    if (stem.size() >= 4) stems.insert(stem);
  }
  return stems;
}

// A stem of the answer begins with a stem of the question: «трут» and
// «трутовика», «маляр» and «малярийный».
QString SharedStem(const QSet<QString>& question, const QString& answer) {
  for (const QString& a : WordStems(answer)) {
    for (const QString& q : question) {
      if (a.startsWith(q.left(5)) || q.startsWith(a.left(5))) return a;
    }
  }
  return {};
}

QString OwnWording(const SourceQuestion& q) {
  const QSet<QString> question = WordStems(q.text);
  const QString right = SharedStem(question, q.answers[0]);
  if (right.isEmpty()) return {};
  for (size_t a = 1; a < 4; ++a) {
    if (!SharedStem(question, q.answers[a]).isEmpty()) return {};
  }
  return u"слова самого вопроса подсказывают верный ответ (%1)"_s.arg(Quoted(right));
}

}  // namespace

QStringList GiveAways(const SourceQuestion& question, int level) {
  QStringList reasons;
  // A question for a child of ten may hint at its answer («ростом с дюйм»).
  const QString wording = level > 1 ? OwnWording(question) : QString();
  for (const QString& reason : {OddFirstWord(question), MoreWords(question), MoreExact(question), wording}) {
    if (!reason.isEmpty()) reasons.append(reason);
  }
  return reasons;
}

#include "tools/bases/lint_overlap.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Russian endings change with case and number, the beginning of a word rarely
// does: five letters tell «Байкал» and «Байкала» apart from nothing else.
constexpr qsizetype kStemLength = 5;
// Stems two questions must share to be on the same subject.
constexpr int kSameSubject = 2;
// Answers two questions may share before they offer the same set.
constexpr int kSharedAnswers = 3;

// Words that shape a question rather than say what it is about. Tuned on the
// shipped questions: without them every "Какой … называют …" pair looks alike.
const QSet<QString>& QuestionWords() {
  static const QSet<QString> words = [] {
    const QString list = uR"(какой какая какое какие каком какую каким какого какому каких какими
кто что чем чего чему кого кому где когда сколько почему зачем откуда куда
который которая которое которые котором которого этот эта это эти этого этой этих того тот
также было была были быть есть году года годах веке века называют называется называли
называлась назывался называлось звали зовут можно нельзя самый самая самое самые самым самой
самого самых после перед между через около всего более менее очень один одна одно
первый первая первое первым первой первого стал стала стало стали известный известная
известное слово слова словом означает значит написал написала автор автором создал создала
придумал своей свою свой своего своих имени ними него нему такое такой такая такие этом
этому чтобы если тоже только всех весь вся всем всей кроме сразу обычно часто традиционно
считают считается одного одной двух трех четыре пять шесть семь восемь девять десять тысяча
раньше ныне нынешнего нынешний мире мира стране страна страны город города городе
примерно является чаще древности древний древние древнего главный главная главного
изображен изображена находится находятся стоит виде прибором измеряют прошли игры россии российский российского русский русская русского
русской русских отмечают отмечали снял сняла сняли фильм фильме фильма делают основном спорта химический химического элемент элемента
элементов придумал придумали)"_s;
    QSet<QString> set;
    for (const QString& w : list.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts)) set.insert(w);
    return set;
  }();
  return words;
}

const QSet<QString>& NumberWords() {
  static const QSet<QString> words = [] {
    QSet<QString> set;
    for (const QString& w : u"ноль один одна одно одну два две три четыре пять шесть семь восемь девять десять "
                            "одиннадцать двенадцать двадцать тридцать сорок пятьдесят сто двести тысяча "
                            "ни полтора полторы"_s.split(u' '))
      set.insert(w);
    return set;
  }();
  return words;
}

QStringList Words(const QString& text) {
  QStringList words;
  const QString s = Normalised(text);
  qsizetype i = 0;
  while (i < s.size()) {
    if (!s.at(i).isLetterOrNumber()) {
      ++i;
      continue;
    }
    qsizetype j = i;
    while (j < s.size() && s.at(j).isLetterOrNumber()) ++j;
    words.append(s.mid(i, j - i));
    i = j;
  }
  return words;
}

bool AllDigits(const QString& word) {
  return std::all_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
}

// The stems that say what a text is about.
QSet<QString> SubjectStems(const QString& text) {
  QSet<QString> stems;
  for (const QString& w : Words(text)) {
    if (w.size() >= 4 && !AllDigits(w) && !QuestionWords().contains(w)) stems.insert(w.left(kStemLength));
  }
  return stems;
}

// Every stem of a text, question words too: «Николая Первого» must not match a
// text that names Николай Второй.
QSet<QString> AllStems(const QString& text) {
  QSet<QString> stems;
  for (const QString& w : Words(text)) {
    if (w.size() >= 3 && !AllDigits(w)) stems.insert(w.left(kStemLength));
  }
  return stems;
}

// Counts, years and amounts repeat by nature; they never make two questions one.
bool IsNumber(const QString& answer) {
  if (std::any_of(answer.begin(), answer.end(), [](QChar c) { return c.isDigit(); })) return true;
  const QStringList words = Words(answer);
  return !words.isEmpty() && NumberWords().contains(words.first());
}

QString Quoted(const QString& text) { return u"\u00AB"_s + text + u"\u00BB"_s; }

struct Prepared {
  QSet<QString> subject;    // stems of the text
  QSet<QString> textAll;    // every stem of the text
  QSet<QString> everything; // stems of the text and the answers
  std::array<QString, 4> answers;  // normalised
  std::array<bool, 4> number{};
  std::array<QSet<QString>, 4> answerStems;
  QString text;  // normalised
};

Prepared Prepare(const SourceQuestion& q) {
  Prepared p;
  p.text = Normalised(q.text);
  p.subject = SubjectStems(q.text);
  p.textAll = AllStems(q.text);
  p.everything = p.subject;
  for (size_t a = 0; a < 4; ++a) {
    p.answers[a] = Normalised(q.answers[a]);
    p.number[a] = IsNumber(q.answers[a]);
    p.answerStems[a] = AllStems(q.answers[a]);
    p.everything += SubjectStems(q.answers[a]);
  }
  return p;
}

int Common(const QSet<QString>& a, const QSet<QString>& b) {
  const QSet<QString>& small = a.size() <= b.size() ? a : b;
  const QSet<QString>& large = a.size() <= b.size() ? b : a;
  int n = 0;
  for (const QString& s : small) n += large.contains(s);
  return n;
}

QString SharedAnswers(const Prepared& a, const Prepared& b, const SourceQuestion& later) {
  QStringList shared;
  for (size_t i = 0; i < 4; ++i) {
    if (b.number[i]) continue;
    for (size_t j = 0; j < 4; ++j) {
      if (!a.number[j] && a.answers[j] == b.answers[i]) {
        shared.append(Quoted(later.answers[i]));
        break;
      }
    }
  }
  if (shared.size() < kSharedAnswers) return {};
  return u"offers %1 of the same answers: %2"_s.arg(shared.size()).arg(shared.join(u", "_s));
}

QString SameFact(const Prepared& a, const Prepared& b, const SourceQuestion& qa, const SourceQuestion& qb) {
  const bool sameSubject = Common(a.subject, b.subject) >= kSameSubject;
  if (sameSubject && !a.number[0] && a.answers[0] == b.answers[0]) {
    return u"the same answer %1 on the same subject"_s.arg(Quoted(qb.answers[0]));
  }
  // Each offers the other's answer: whatever the subjects, a player who met one
  // pair has seen both answers side by side and is told the other by elimination.
  const auto offers = [](const Prepared& x, const QString& answer) {
    for (size_t i = 1; i < 4; ++i) {
      if (x.answers[i] == answer) return true;
    }
    return false;
  };
  if (!a.number[0] && !b.number[0] && offers(a, b.answers[0]) && offers(b, a.answers[0])) {
    return u"each offers the other's answer, %1 and %2"_s.arg(Quoted(qa.answers[0]), Quoted(qb.answers[0]));
  }
  // One's answer among the other's wrong ones: a player who met one is told the other.
  const struct {
    const Prepared& x;
    const Prepared& y;
    const SourceQuestion& qy;
  } mirrored[] = {{a, b, qb}, {b, a, qa}};
  for (const auto& m : mirrored) {
    if (sameSubject && !m.y.number[0] && offers(m.x, m.y.answers[0])) {
      return u"%1 answers one and is offered by the other"_s.arg(Quoted(m.qy.answers[0]));
    }
  }
  // An answer of one is what the other asks about, and more of the subject is shared.
  QSet<QString> subject;
  for (const QString& s : a.subject) {
    if (b.everything.contains(s)) subject.insert(s);
  }
  for (const QString& s : b.subject) {
    if (a.everything.contains(s)) subject.insert(s);
  }
  const struct {
    const Prepared& x;
    const Prepared& y;
    const SourceQuestion& qx;
  } named[] = {{a, b, qa}, {b, a, qb}};
  for (const auto& n : named) {
    for (size_t i = 0; i < 4; ++i) {
      const QSet<QString>& stems = n.x.answerStems[i];
      if (n.x.number[i] || stems.isEmpty()) continue;
      if (!std::all_of(stems.begin(), stems.end(), [&](const QString& s) { return n.y.textAll.contains(s); })) continue;
      if ((subject - stems).size() >= kSameSubject) {
        return u"%1, an answer of one, is what the other asks about"_s.arg(Quoted(n.qx.answers[i]));
      }
    }
  }
  return {};
}

}  // namespace

QString Normalised(const QString& text) {
  QString s = text.toCaseFolded();
  s.replace(u'ё', u'е');
  s = s.simplified();
  while (!s.isEmpty() && (s.back().isPunct() || s.back().isSpace())) s.chop(1);
  return s;
}

QList<Overlap> FindOverlaps(const QList<SourceQuestion>& questions) {
  QList<Prepared> prepared;
  prepared.reserve(questions.size());
  for (const SourceQuestion& q : questions) prepared.append(Prepare(q));

  QList<Overlap> overlaps;
  for (int later = 0; later < prepared.size(); ++later) {
    const Prepared& b = prepared[later];
    for (int earlier = 0; earlier < later; ++earlier) {
      const Prepared& a = prepared[earlier];
      // The same text is a duplicate, said by its own check.
      if (a.text == b.text) continue;
      QString reason = SharedAnswers(a, b, questions[later]);
      if (reason.isEmpty()) {
        const QString fact = SameFact(a, b, questions[earlier], questions[later]);
        if (!fact.isEmpty()) reason = u"asks the same fact: "_s + fact;
      }
      if (!reason.isEmpty()) overlaps.append({earlier, later, reason});
    }
  }
  return overlaps;
}

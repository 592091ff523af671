#include "tools/bases/lint_overlap.h"

#include "tools/bases/lint_words.h"

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
// Question texts a word may stand in and still tell one question's answer to
// another: a rare name hands it over, a common word does not.
constexpr int kRareInTexts = 3;

const QSet<QString>& NumberWords() {
  static const QSet<QString> words = [] {
    QSet<QString> set;
    for (const QString& w :
         u"ноль один одна одно одну два две три четыре пять шесть семь восемь девять десять "
         "одиннадцать двенадцать двадцать тридцать сорок пятьдесят сто двести тысяча "
         "ни полтора полторы"_s.split(u' '))
      set.insert(w);
    return set;
  }();
  return words;
}

bool AllDigits(const QString& word) {
  return std::all_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
}

// The stemmer settles the ending; the cut settles what it leaves of a word's
// family: «гоголевских» names Гоголь, «славянский» the славяне.
QString ShortStem(const QString& word) { return Stem(word).left(kStemLength); }

// The stems that say what a text is about.
QSet<QString> SubjectStems(const QString& text) {
  QSet<QString> stems;
  for (const QString& w : Words(text)) {
    if (w.size() >= 4 && !AllDigits(w) && !IsQuestionWord(w)) stems.insert(ShortStem(w));
  }
  return stems;
}

// Every stem of a text, question words too: «Николая Первого» must not match a
// text that names Николай Второй.
QSet<QString> AllStems(const QString& text) {
  QSet<QString> stems;
  for (const QString& w : Words(text)) {
    if (w.size() >= 3 && !AllDigits(w) && !IsLinkWord(w)) stems.insert(ShortStem(w));
  }
  return stems;
}

// The whole stems of a text's words, and of those it writes with a capital
// letter, the first word aside: names, which hand an answer over more surely than
// a common word.
struct TextStems {
  QSet<QString> all;
  QSet<QString> names;
};
TextStems WholeStems(const QString& text) {
  TextStems stems;
  bool first = true;
  for (const QString& written : text.split(u' ', Qt::SkipEmptyParts)) {
    const QStringList words = Words(written);
    if (words.isEmpty()) continue;
    for (const QString& w : words) {
      if (w.size() < 3 || AllDigits(w) || IsLinkWord(w)) continue;
      stems.all.insert(Stem(w));
      if (!first && Capitalised(written)) stems.names.insert(Stem(w));
    }
    first = false;
  }
  return stems;
}

// A word of an answer, as written (normalised) and stemmed.
struct AnswerWord {
  QString word;
  QString stem;
};

// A word of a text names a word of an answer when it is the same word or an
// adjective made of it: «гоголевских» names Гоголь, but «Мороза» does not name
// Морозова, nor «Леонида» Леонов. The stemmer takes «в» off «Ярослав» but not
// off «Ярослава»: a text stem that is the answer's word as written names it.
bool NamesWord(const QSet<QString>& text, const AnswerWord& answer) {
  if (text.contains(answer.stem) || text.contains(answer.word)) return true;
  static const QStringList adjective = {u"ск"_s, u"ьск"_s, u"цк"_s, u"ев"_s, u"ов"_s, u"ин"_s};
  return answer.stem.size() >= 4 && std::any_of(text.begin(), text.end(), [&](const QString& t) {
           if (!t.startsWith(answer.stem)) return false;
           const QStringView rest = QStringView(t).mid(answer.stem.size());
           return std::any_of(adjective.begin(), adjective.end(), [&](const QString& a) { return rest.startsWith(a); });
         });
}

bool NamesAll(const QSet<QString>& text, const QList<AnswerWord>& answer) {
  return !answer.isEmpty() &&
         std::all_of(answer.begin(), answer.end(), [&](const AnswerWord& a) { return NamesWord(text, a); });
}

// What a text must name of an answer: every word of it, or only the surname
// of a person's name («картине Ивана Шишкина», «гоголевских героев»).
QList<AnswerWord> NamingWords(const QString& answer) {
  const QStringList words = Words(answer);
  const QStringList written = answer.split(u' ', Qt::SkipEmptyParts);
  // A title in «» is named by all its words.
  const bool personsName = written.size() >= 2 && std::all_of(written.begin(), written.end(),
                                                              [](const QString& w) { return w.front().isUpper(); });
  if (personsName && !words.isEmpty() && words.last().size() >= 5 && !IsQuestionWord(words.last())) {
    return {{words.last(), Stem(words.last())}};
  }
  QList<AnswerWord> naming;
  for (const QString& w : words) {
    if (w.size() >= 3 && !AllDigits(w) && !IsLinkWord(w)) naming.append({w, Stem(w)});
  }
  return naming;
}

// Counts, years and amounts repeat by nature; they never make two questions one.
bool IsNumber(const QString& answer) {
  if (std::any_of(answer.begin(), answer.end(), [](QChar c) { return c.isDigit(); })) return true;
  const QStringList words = Words(answer);
  return !words.isEmpty() && NumberWords().contains(words.first());
}

struct Prepared {
  QSet<QString> subject;     // stems of the text
  QSet<QString> textAll;     // every stem of the text
  TextStems whole;           // the text's whole stems, to name answers
  QSet<QString> everything;  // stems of the text and the answers
  std::array<AnswerWords, 4> answers;
  std::array<bool, 4> number{};
  std::array<QSet<QString>, 4> answerStems;
  QList<AnswerWord> naming;  // what names the right answer in another text
  bool namingRare = false;   // few question texts name it
  QString text;              // normalised
};

Prepared Prepare(const SourceQuestion& q) {
  Prepared p;
  p.text = Normalised(q.text);
  p.subject = SubjectStems(q.text);
  p.textAll = AllStems(q.text);
  p.whole = WholeStems(q.text);
  p.everything = p.subject;
  for (size_t a = 0; a < 4; ++a) {
    p.answers[a] = ReadAnswer(q.answers[a]);
    p.number[a] = IsNumber(q.answers[a]);
    p.answerStems[a] = AllStems(q.answers[a]);
    p.everything += SubjectStems(q.answers[a]);
  }
  p.naming = NamingWords(q.answers[0]);
  return p;
}

int Common(const QSet<QString>& a, const QSet<QString>& b) {
  const QSet<QString>& small = a.size() <= b.size() ? a : b;
  const QSet<QString>& large = a.size() <= b.size() ? b : a;
  int n = 0;
  for (const QString& s : small) n += large.contains(s);
  return n;
}

bool Contains(const QSet<QString>& text, const QSet<QString>& stems) {
  return !stems.isEmpty() &&
         std::all_of(stems.begin(), stems.end(), [&](const QString& s) { return text.contains(s); });
}

QString SharedAnswers(const Prepared& a, const Prepared& b, const SourceQuestion& later) {
  QStringList shared;
  for (size_t i = 0; i < 4; ++i) {
    if (b.number[i]) continue;
    for (size_t j = 0; j < 4; ++j) {
      if (!a.number[j] && SameAnswer(a.answers[j], b.answers[i])) {
        shared.append(Quoted(later.answers[i]));
        break;
      }
    }
  }
  if (shared.size() < kSharedAnswers) return {};
  return u"одни и те же ответы (%1): %2"_s.arg(shared.size()).arg(shared.join(u", "_s));
}

// The right answer of `answer` among the wrong ones of `x`.
bool Offers(const Prepared& x, const Prepared& answer) {
  if (answer.number[0]) return false;
  for (size_t i = 1; i < 4; ++i) {
    if (SameAnswer(x.answers[i], answer.answers[0])) return true;
  }
  return false;
}

// The right answer of `answer` named in the question of `x` or offered among its answers.
bool Names(const Prepared& x, const Prepared& answer) {
  return Offers(x, answer) || (!answer.number[0] && NamesAll(x.whole.all, answer.naming));
}

QString SameFact(const Prepared& a, const Prepared& b, const SourceQuestion& qa, const SourceQuestion& qb) {
  const bool sameSubject = Common(a.subject, b.subject) >= kSameSubject;
  if (sameSubject && !a.number[0] && SameAnswer(a.answers[0], b.answers[0])) {
    return u"один и тот же ответ %1 на ту же тему"_s.arg(Quoted(qb.answers[0]));
  }
  // Each offers the other's answer: whatever the subjects, a player who met one
  // pair has seen both answers side by side and is told the other by elimination.
  if (Offers(a, b) && Offers(b, a)) {
    return u"каждый предлагает ответ другого: %1 и %2"_s.arg(Quoted(qa.answers[0]), Quoted(qb.answers[0]));
  }
  // Each names the other's answer, in its question or among its answers: the
  // two are one fact asked from both ends.
  if (Names(a, b) && Names(b, a)) {
    return u"каждый называет ответ другого: %1 и %2"_s.arg(Quoted(qa.answers[0]), Quoted(qb.answers[0]));
  }
  // One's answer among the other's wrong ones: a player who met one is told the other.
  const struct {
    const Prepared& x;
    const Prepared& y;
    const SourceQuestion& qy;
  } mirrored[] = {{a, b, qb}, {b, a, qa}};
  for (const auto& m : mirrored) {
    if (sameSubject && Offers(m.x, m.y)) {
      return u"%1 — ответ одного и вариант другого"_s.arg(Quoted(m.qy.answers[0]));
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
  // The right answer of one named in the other's text hands it over: a name
  // needs only one more stem of the subject in common, a common word two. A word
  // many questions use («белый», «Земля», «сердце») gives nothing away.
  for (const auto& n : named) {
    if (n.x.number[0] || !n.x.namingRare || !NamesAll(n.y.whole.all, n.x.naming)) continue;
    const bool asName = std::any_of(n.x.naming.begin(), n.x.naming.end(),
                                    [&](const AnswerWord& w) { return NamesWord(n.y.whole.names, w); });
    if ((subject - n.x.answerStems[0]).size() >= (asName ? 1 : kSameSubject)) {
      return u"%1, ответ одного, назван в тексте другого"_s.arg(Quoted(n.qx.answers[0]));
    }
  }
  for (const auto& n : named) {
    for (size_t i = 0; i < 4; ++i) {
      const QSet<QString>& stems = n.x.answerStems[i];
      if (n.x.number[i] || !Contains(n.y.textAll, stems)) continue;
      if ((subject - stems).size() >= kSameSubject) {
        return u"%1, вариант одного, — то, о чём спрашивает другой"_s.arg(Quoted(n.qx.answers[i]));
      }
    }
  }
  return {};
}

}  // namespace

QList<Overlap> FindOverlaps(const QList<SourceQuestion>& questions) {
  QList<Prepared> prepared;
  prepared.reserve(questions.size());
  for (const SourceQuestion& q : questions) prepared.append(Prepare(q));
  for (Prepared& p : prepared) {
    p.namingRare = std::all_of(p.naming.begin(), p.naming.end(), [&](const AnswerWord& w) {
      return std::count_if(prepared.begin(), prepared.end(),
                           [&](const Prepared& other) { return NamesWord(other.whole.all, w); }) <= kRareInTexts;
    });
  }

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
        if (!fact.isEmpty()) reason = u"спрашивает о том же: "_s + fact;
      }
      if (!reason.isEmpty()) overlaps.append({earlier, later, reason});
    }
  }
  return overlaps;
}

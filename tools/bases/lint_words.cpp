#include "tools/bases/lint_words.h"

#include <libstemmer.h>

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

QString Normalised(const QString& text) {
  QString s = text.toCaseFolded();
  s.replace(u'ё', u'е');
  s = s.simplified();
  while (!s.isEmpty() && (s.back().isPunct() || s.back().isSpace())) s.chop(1);
  return s;
}

QString Quoted(const QString& text) { return u"\u00AB"_s + text + u"\u00BB"_s; }

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

bool Capitalised(const QString& written) {
  const auto letter = std::find_if(written.begin(), written.end(), [](QChar c) { return c.isLetter(); });
  return letter != written.end() && letter->isUpper();
}

QString Stem(const QString& word) {
  // The lint runs on one thread; one stemmer serves every word.
  static const std::unique_ptr<sb_stemmer, void (*)(sb_stemmer*)> stemmer(sb_stemmer_new("russian", "UTF_8"),
                                                                          sb_stemmer_delete);
  if (!stemmer) return word;
  const QByteArray utf8 = word.toUtf8();
  const sb_symbol* stem =
      sb_stemmer_stem(stemmer.get(), reinterpret_cast<const sb_symbol*>(utf8.constData()), int(utf8.size()));
  // Out of memory is the stemmer's only failure: the word unstemmed still compares.
  if (!stem) return word;
  return QString::fromUtf8(reinterpret_cast<const char*>(stem), sb_stemmer_length(stemmer.get()));
}

// Words that shape a question rather than say what it is about. Tuned on the
// shipped questions: without them every "Какой … называют …" pair looks alike.
bool IsQuestionWord(const QString& word) {
  static const QSet<QString> words = [] {
    const QString list =
        uR"(какой какая какое какие каком какую каким какого какому каких какими
кто что чем чего чему кого кому где когда сколько почему зачем откуда куда
который которая которое которые котором которого этот эта это эти этого этой этих того тот
также было была были быть есть году года годах веке века называют называется называли
называлась назывался называлось звали зовут можно нельзя самый самая самое самые самым самой
самого самых после перед между через около всего более менее очень один одна одно
первый первая первое первым первой первого стал стала стало стали известный известная
известное слово слова словом означает значит создал создала
придумал своей свою свой своего своих имени ними него нему такое такой такая такие этом
этому чтобы если тоже только всех весь вся всем всей кроме сразу обычно часто традиционно
считают считается одного одной двух трех четыре пять шесть семь восемь девять десять тысяча
раньше ныне нынешнего нынешний мире мира стране страна страны город города городе
примерно является чаще древности древний древние древнего главный главная главного
изображен изображена находится находятся стоит виде прибором измеряют прошли игры россии российский российского русский русская русского
русской русских отмечают отмечали делают основном спорта химический химического элемент элемента
элементов придумал придумали)"_s;
    QSet<QString> set;
    for (const QString& w : list.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts)) set.insert(w);
    return set;
  }();
  return words.contains(word);
}

bool IsLinkWord(const QString& word) {
  static const QSet<QString> words = [] {
    QSet<QString> set;
    for (const QString& w :
         u"в во на к ко с со у о об обо от из изо по за до для при без над под про через "
         "и или а но ли"_s.split(u' '))
      set.insert(w);
    return set;
  }();
  return words.contains(word);
}

AnswerWords ReadAnswer(const QString& answer) {
  const QStringList all = Words(answer);
  AnswerWords read;
  for (const QString& w : all) {
    if (!IsLinkWord(w)) read.words.append(w);
  }
  if (read.words.isEmpty()) read.words = all;
  for (const QString& w : read.words) read.stems.append(Stem(w));
  const auto letter = std::find_if(answer.begin(), answer.end(), [](QChar c) { return c.isLetter(); });
  read.phraseEnding = letter != answer.end() && letter->isLower();
  read.whole = Normalised(answer);
  return read;
}

bool SameAnswer(const AnswerWords& a, const AnswerWords& b) {
  if (a.phraseEnding || b.phraseEnding) return a.whole == b.whole;
  if (a.words.isEmpty() || a.words.size() != b.words.size()) return false;
  for (qsizetype i = 0; i < a.words.size(); ++i) {
    // The stemmer takes «ан» off «барабан» but only «е» off «барабане»: a stem
    // that is the other word as written is the same word.
    if (a.stems[i] != b.stems[i] && a.stems[i] != b.words[i] && b.stems[i] != a.words[i]) return false;
  }
  return true;
}

#pragma once

#include <QString>
#include <QStringList>

/// A text as a player compares it: case, ё against е, spacing and the punctuation
/// at the end do not tell two texts apart.
QString Normalised(const QString& text);

/// A text in «», as findings quote answers.
QString Quoted(const QString& text);

/// The words of a text, normalised: runs of letters and digits («Сивка-Бурка» is
/// two words, «Т-34» is «т» and «34»).
QStringList Words(const QString& text);

/// A word as written in a source whose first letter is a capital («Шишкина»,
/// ««Восток»»): a name, unless it begins a sentence.
bool Capitalised(const QString& written);

/// A normalised word reduced to its stem by the Russian Snowball stemmer, so that
/// «Пасха» and «Пасху», «баскетбол» and «баскетболе» meet. Words in another
/// alphabet come back as they are.
QString Stem(const QString& word);

/// Words that shape a question rather than say what it is about («какой»,
/// «называют», «первым»), as they are written.
bool IsQuestionWord(const QString& word);

/// Prepositions and conjunctions: «В баскетбол» answers what «Баскетбол» does.
bool IsLinkWord(const QString& word);

/// An answer as the lint compares it: its words, prepositions and conjunctions
/// left out (all of them kept when nothing else is left), each with its stem.
/// An answer that starts with a small letter ends a proverb or a phrase and
/// compares as written: «дорог» is not «в дороге».
struct AnswerWords {
  QStringList words;
  QStringList stems;
  QString whole;  ///< normalised
  bool phraseEnding = false;
};
AnswerWords ReadAnswer(const QString& answer);

/// The same answer in any case or number, with or without a preposition
/// (a phrase's ending only as written):
/// «Баскетбол» and «В баскетбол», «Пасха» and «Пасху», «Барабан» and «На
/// барабане».
bool SameAnswer(const AnswerWords& a, const AnswerWords& b);

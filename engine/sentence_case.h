#pragma once

#include <QSet>
#include <QString>

struct QuestionTable;

/// Every word the question bases write in lower case somewhere in their questions
/// or answers, in lower case: the bases' own evidence of which words are common
/// words and not names.
QSet<QString> CommonWords(const QuestionTable& table);

/// `answer` as it reads inside a sentence. Its first letter goes to lower case when
/// its first word is a common word: written in lower case somewhere in the bases
/// (`commonWords`). A word the bases only ever write with a capital is taken for a
/// name ("Австралия", "Пушкин") and keeps it, as does a word in capitals ("СССР").
QString WithinSentence(const QString& answer, const QSet<QString>& commonWords);

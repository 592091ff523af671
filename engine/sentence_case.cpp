#include "engine/sentence_case.h"

#include "data/question_table.h"

namespace {

/// Runs of letters in `text`, as they stand.
QStringList Words(const QString& text) {
  QStringList words;
  QString word;
  for (QChar c : text) {
    if (c.isLetter()) {
      word += c;
    } else if (!word.isEmpty()) {
      words.append(word);
      word.clear();
    }
  }
  if (!word.isEmpty()) words.append(word);
  return words;
}

void AddLowerCaseWords(const QString& text, QSet<QString>& into) {
  for (const QString& word : Words(text))
    if (word.at(0).isLower()) into.insert(word);
}

}  // namespace

QSet<QString> CommonWords(const QuestionTable& table) {
  QSet<QString> words;
  for (const QuestionLevel& level : table.levels) {
    for (const Question& question : level.rows) {
      AddLowerCaseWords(question.text, words);
      for (const QString& answer : question.answers) AddLowerCaseWords(answer, words);
    }
  }
  return words;
}

QString WithinSentence(const QString& answer, const QSet<QString>& commonWords) {
  const QStringList words = Words(answer);
  if (words.isEmpty() || !answer.startsWith(words.first())) return answer;
  const QString& first = words.first();
  // Capitals after the first letter make an abbreviation, not a sentence's start.
  if (!first.at(0).isUpper() ||
      (first.size() > 1 && first.mid(1).toUpper() == first.mid(1) && first.mid(1).toLower() != first.mid(1)))
    return answer;
  if (!commonWords.contains(first.toLower())) return answer;
  return answer.at(0).toLower() + answer.mid(1);
}

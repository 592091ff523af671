#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class RandomSource;

/// The readable form question authors write, one item per line (UTF-8):
///
///     level: 3            once, before the first question (0 … 6)
///     year: 2026          at most once; the year of every question of the file
///     ? question
///     + correct answer
///     - wrong answer      three of them
///
/// Blank lines and lines starting with "#" are ignored.

struct SourceQuestion {
  int line = 0;  ///< of its "?"
  QString text;
  std::array<QString, 4> answers;  ///< the correct one first
};

struct SourceError {
  int line = 0;  ///< 1-based
  QString reason;
  bool operator==(const SourceError&) const = default;
};

struct QuestionSource {
  int level = -1;  ///< -1: none given
  std::optional<QString> year;
  std::vector<SourceQuestion> questions;
  QList<SourceError> errors;  ///< in line order; a source with errors is not packed
};

/// Reads a source file's bytes. Every fault is collected with its line, reading
/// goes on after it, so an author sees them all at once.
QuestionSource ParseQuestionSource(const QByteArray& utf8);

/// The base file of `source` (which must have no errors): an information section
/// with its year if it has one, then a questions section with one record per line,
/// CR LF line ends, fields scrambled with group sizes 2 (question), 3 (answers)
/// and 4 (year).
QByteArray BuildQuestionBase(const QuestionSource& source, RandomSource& random);

/// "<name without .txt>.ol<level>" for the source at `sourcePath`.
QString BaseFileName(const QString& sourcePath, int level);

#pragma once

#include <QList>
#include <QString>

#include "data/question_source.h"
#include "tools/bases/lint_words.h"

/// Two questions a player would take for one: `earlier` and `later` index the
/// list given to FindOverlaps, `reason` says why in an author's words.
struct Overlap {
  int earlier = 0;
  int later = 0;
  QString reason;
};

/// Pairs of questions that repeat each other without being the same text:
/// - three or more of the same answers (counts and years aside), which makes the
///   same few names come round again and again;
/// - the same fact asked twice: the same answer to a question on the same subject;
///   the answer of one offered as a wrong answer of the other on the same subject;
///   each offering the other's answer, on any subject (the two mirror each other);
///   each naming the other's answer in its text or answers; the right answer of
///   one named in the other's text, when few texts name it and the subject is
///   shared beyond it (one stem more for a name, two for a common word); an answer
///   of one being what the other asks about, with more of the subject in common.
/// Answers compare in any case and behind a preposition (see SameAnswer). A
/// subject is the question's words, stemmed and cut to five letters, common
/// question words left out; two questions share a subject when two such stems are
/// common to them. Pairs come in the order of `later`, then `earlier`.
QList<Overlap> FindOverlaps(const QList<SourceQuestion>& questions);

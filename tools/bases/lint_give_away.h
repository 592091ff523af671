#pragma once

#include <QStringList>

#include "data/question_source.h"

/// What tells a player the right answer of a question without knowing it, each
/// said in an author's words:
/// - its form among the others: the three wrong answers start with one word and
///   the right one does not («Без денег», «Без опыта», «Без приглашения» against
///   «Скрывая своё имя»); it alone is a phrase among single words, or a number
///   given more exactly than every wrong one («1,07 км» against «2 км»);
/// - above level 1, the question's own words: a word of the right answer and none
///   of the wrong ones shares its stem with a word of the question («…шашка
///   становится дамкой?» — «В шашках»).
QStringList GiveAways(const SourceQuestion& question, int level);

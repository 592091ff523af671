#pragma once

#include <QList>

#include "engine/record_book.h"
#include "screen/info_pages.h"

/// The record book as pages over the game: the games and sums; the answers, questions
/// met and lifelines; the last games. With no game played yet, one page that says so.
QList<InfoPage> RecordBookPages(const RecordBook& book);

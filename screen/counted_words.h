#pragma once

#include <QString>

/// A count with its noun in the form Russian gives it: "1 игра", "2 игры", "5 игр",
/// "11 игр", "21 игра". `one` goes with 1, 21, 101 …; `few` with 2 … 4, 22 … 24 …;
/// `many` with the rest, 11 … 14 included.
QString Counted(qint64 count, const QString& one, const QString& few, const QString& many);

#pragma once

#include <QString>

/// A sum as the player reads it: digits in groups of three parted by a thin space
/// ("1 000 000"), the same on every panel, list and page. Files keep plain digits.
QString SumText(qint64 sum);
/// A stored sum (plain digits, perhaps damaged) written as the player reads it: its
/// leading digit run grouped, anything after it kept as it is.
QString SumText(const QString& storedSum);
